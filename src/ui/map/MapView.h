#pragma once

#include "ui/map/GridLines.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QScrollBar;
class QPainter;

namespace quarry::ui {

// The map picture at 1:1 in a viewport two screens wide and two high, with
// its scroll bars and grid. Only the exposed part of the picture is painted.
class MapView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kViewWidth = 512;
    static constexpr int kViewHeight = 448;

    explicit MapView(QWidget* parent = nullptr);

    // Composes the part `rect` of the map picture (in map pixels, inside the
    // picture) as an image of rect's size.
    using PictureSource = std::function<QImage(const QRect& rect)>;
    // The map picture of `size` pixels (W x 256 by H x 224), composed by
    // `source` only where the viewport shows it, at each paint.
    void setPicture(QSize size, PictureSource source);
    // A fixed picture.
    void setPicture(const QImage& picture);
    // The whole picture, composed now.
    QImage picture() const;
    QSize pictureSize() const { return pictureSize_; }
    // Back to the top-left corner, with ranges for a map of W x H screens.
    void setupScrollBars(int screensWide, int screensHigh);
    GridLines& grid() { return grid_; }
    // Repaints after the grid lines changed.
    void refreshGrid();
    // Drawn over the picture, in map pixels, for the markers of other modes.
    void setOverlay(std::function<void(QPainter&)> overlay);

    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }
    QWidget* viewport() const;
    // The map pixel shown at the viewport's top-left corner.
    QPoint scrollOffset() const;

signals:
    // A press inside the map picture, in map pixels.
    void mapPressed(QPoint mapPixel, Qt::MouseButton button);
    // While a button is held: the pointer moved, in map pixels (it may lie
    // outside the picture, even at negative positions).
    void mapMoved(QPoint mapPixel);
    // A button went up, wherever the pointer is now, in map pixels.
    void mapReleased(QPoint mapPixel, Qt::MouseButton button);
    // A double-click inside the map picture, in map pixels.
    void mapDoubleClicked(QPoint mapPixel, Qt::MouseButton button);

private:
    class Viewport;

    QSize pictureSize_;
    PictureSource source_;
    GridLines grid_;
    std::function<void(QPainter&)> overlay_;
    Viewport* viewport_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
};

} // namespace quarry::ui
