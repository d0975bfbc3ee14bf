#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

namespace quarry::ui {

// A picture shown magnified with nearest-neighbour scaling (every source
// pixel becomes a solid block, never blended), with optional grid lines.
//
// Gestures are reported in the view's own coordinates, the "logical" size
// the window is laid out in (a 64 x 64 tile view, a 256 x 256 pattern table);
// the widget on screen is `displayScale` x `zoom` times larger, and positions
// are mapped back before they are reported. The zoom (1 up to the view's
// maximum) changes with Ctrl+wheel or setZoom(); whole factors keep every
// logical pixel a square of screen pixels, so the mapping stays exact. Buttons are reported as numbers:
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

    // Drawn over the picture (under the grid), in logical coordinates.
    void setOverlay(std::function<void(QPainter&)> overlay);

    QSize logicalSize() const { return logicalSize_; }
    int displayScale() const { return scale_; }
    int zoom() const { return zoom_; }
    int maximumZoom() const { return maximumZoom_; }
    // Clamped to 1 - maximumZoom(); the widget resizes to match.
    void setZoom(int zoom);
    // 1 keeps the view at its laid-out size (Ctrl+wheel does nothing).
    void setMaximumZoom(int maximum);
    // Logical position of a widget position (rounded down, also outside).
    QPoint toLogical(QPointF widgetPosition) const;

signals:
    void pressed(QPoint position, int button);
    void moved(QPoint position, int buttons);
    void released(QPoint position, int button);
    void zoomChanged(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSize logicalSize_;
    int scale_ = 1;
    int zoom_ = 1;
    int maximumZoom_ = 1; // views that are large enough stay as laid out
    std::function<void(QPainter&)> overlay_;
    QImage picture_;
    int gridPitch_ = 0;
    bool gridShown_ = false;
    QColor gridColor_ = Qt::black;
};

} // namespace quarry::ui
