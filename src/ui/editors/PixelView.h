#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace quarry::ui {

// A picture shown magnified with nearest-neighbour scaling (every source
// pixel becomes a solid block, never blended), with optional grid lines.
//
// Gestures are reported in the view's own coordinates, the "logical" size
// the window is laid out in (a 64 x 64 tile view, a 256 x 256 pattern table);
// the widget on screen may be `displayScale` times larger, and positions are
// mapped back before they are reported. Buttons are reported as numbers:
// 1 left, 2 right, 4 middle, summed while several are held.
class PixelView : public QWidget {
    Q_OBJECT

public:
    PixelView(QSize logicalSize, int displayScale, QWidget* parent = nullptr);

    // Shown stretched over the whole view.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // Grid lines every `pitch` logical pixels (0: none), inside the view.
    void setGridPitch(int pitch);
    void setGridShown(bool shown);
    void setGridColor(const QColor& colour);
    bool gridShown() const { return gridShown_; }

    QSize logicalSize() const { return logicalSize_; }
    int displayScale() const { return scale_; }
    // Logical position of a widget position (rounded down, also outside).
    QPoint toLogical(QPointF widgetPosition) const;

signals:
    void pressed(QPoint position, int button);
    void moved(QPoint position, int buttons);
    void released(QPoint position, int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize logicalSize_;
    int scale_ = 1;
    QImage picture_;
    int gridPitch_ = 0;
    bool gridShown_ = false;
    QColor gridColor_ = Qt::black;
};

} // namespace quarry::ui
