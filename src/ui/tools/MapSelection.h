#pragma once

#include "core/session/MapBlocks.h"

#include <QObject>

#include <optional>

class QPainter;

namespace quarry::ui {

// The rectangle of map cells the Select tool chose, which copy, cut, delete
// and fill work on. It is shown as an outline whatever tool is current.
class MapSelection : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const std::optional<session::CellRect>& rect() const { return rect_; }
    void set(const std::optional<session::CellRect>& rect);
    void clear() { set(std::nullopt); }
    // Drawn in map pixels.
    void paint(QPainter& painter) const;

signals:
    void changed();

private:
    std::optional<session::CellRect> rect_;
};

} // namespace quarry::ui
