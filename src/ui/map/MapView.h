#pragma once

#include "ui/map/GridLines.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>

class QScrollBar;
class QPainter;

namespace quarry::ui {

// The map picture in a viewport at least two screens wide and two high (it
// grows with the window), magnified 1x to 4x with nearest-neighbour
// scaling, with its scroll bars and grid. Only the exposed part is painted.
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
    // Pictures drawn over the map, in map pixels, lowest layer first; each
    // layer has its own owner, so setting one leaves the others.
    enum class OverlayLayer { Solidity, Highlight, SharedScreens, Selection, Markers, Tool, Compare, Count };
    void setOverlay(OverlayLayer layer, std::function<void(QPainter&)> overlay);
    // The markers of the actor and stair modes.
    void setOverlay(std::function<void(QPainter&)> overlay) { setOverlay(OverlayLayer::Markers, std::move(overlay)); }

    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }
    QWidget* viewport() const;
    // The map pixel shown at the viewport's top-left corner.
    QPoint scrollOffset() const;

    // Magnification 1-4. `anchor` is the viewport position whose map point
    // stays put (the pointer for the wheel); by default the viewport centre.
    int zoom() const { return zoom_; }
    void setZoom(int factor);
    void setZoom(int factor, QPoint anchor);
    void zoomIn() { setZoom(zoom_ + 1); }
    void zoomOut() { setZoom(zoom_ - 1); }
    // The map pixel under a viewport position, and back (the top-left view
    // pixel of a map pixel).
    QPoint toMapPixel(QPointF viewportPosition) const;
    QPoint toViewport(QPoint mapPixel) const;
    // The viewport's size in view pixels (never below 512 x 448).
    QSize visibleSize() const;
    // The keyboard modifiers held at the last press on the map.
    Qt::KeyboardModifiers pressModifiers() const { return pressModifiers_; }
    // Scrolls as little as needed to show `mapRect` (map pixels) whole, or
    // its top-left part when it is larger than the viewport.
    void ensureVisible(const QRect& mapRect);

signals:
    // A press inside the map picture, in map pixels.
    void mapPressed(QPoint mapPixel, Qt::MouseButton button);
    // A press in the view beside or below the map picture.
    void besideMapPressed();
    // While a button is held: the pointer moved, in map pixels (it may lie
    // outside the picture, even at negative positions).
    void mapMoved(QPoint mapPixel);
    // A button went up, wherever the pointer is now, in map pixels.
    void mapReleased(QPoint mapPixel, Qt::MouseButton button);
    // A double-click inside the map picture, in map pixels.
    void mapDoubleClicked(QPoint mapPixel, Qt::MouseButton button);
    // The pointer is over the viewport at this map pixel (held or not), or
    // left it.
    void mapHovered(QPoint mapPixel);
    void hoverLeft();
    void zoomChanged(int factor);

private:
    class Viewport;
    void updateRanges();

    QSize pictureSize_;
    PictureSource source_;
    GridLines grid_;
    std::array<std::function<void(QPainter&)>, static_cast<std::size_t>(OverlayLayer::Count)> overlays_;
    Viewport* viewport_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    int screensWide_ = 1;
    int screensHigh_ = 1;
    int zoom_ = 1;
    Qt::KeyboardModifiers pressModifiers_;
};

} // namespace quarry::ui
