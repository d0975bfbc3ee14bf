#pragma once

#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

class QPainter;

namespace quarry::ui {

// Pictures laid over the map (the actors or the stairs of the submap), in
// map pixels, with the selection highlight.
class MarkerLayer {
public:
    struct Marker {
        QRect rect;
        QImage picture; // null when no picture file exists: an empty box is drawn
        bool outside = false; // lies outside the map picture: neither drawn nor hit
    };

    void setMarkers(std::vector<Marker> markers);
    void setMarker(int index, Marker marker);
    int count() const { return static_cast<int>(markers_.size()); }
    const Marker& marker(int index) const { return markers_.at(static_cast<std::size_t>(index)); }

    // Hidden markers are neither drawn nor found.
    void setShown(bool shown) { shown_ = shown; }
    bool shown() const { return shown_; }
    void setHighlight(std::optional<QRect> highlight) { highlight_ = highlight; }
    const std::optional<QRect>& highlight() const { return highlight_; }

    // The topmost shown marker under `mapPixel`, or -1.
    int markerAt(QPoint mapPixel) const;
    void paint(QPainter& painter) const;

private:
    std::vector<Marker> markers_;
    bool shown_ = false;
    std::optional<QRect> highlight_;
};

} // namespace quarry::ui
