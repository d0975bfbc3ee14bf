#pragma once

#include "core/world/Connections.h"

#include <QGroupBox>

#include <array>

class QLabel;

namespace quarry::ui {

// The "Doors" frame: where leaving the area to the left (upper row) and to
// the right (lower row) takes the player, as object set, area and entry byte.
class DoorsPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit DoorsPanel(QWidget* parent = nullptr);

    void showDoors(const world::Doors& doors);
    void clear();
    QLabel* label(int index) const { return labels_.at(static_cast<std::size_t>(index)); }

private:
    void showDoor(int row, const std::optional<world::ExitDestination>& door);

    std::array<QLabel*, 6> labels_{}; // labelConnections
};

} // namespace quarry::ui
