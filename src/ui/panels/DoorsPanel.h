#pragma once

#include "core/world/Connections.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QPushButton;

namespace quarry::ui {

// The "Doors" frame: where leaving the area to the left (upper row) and to
// the right (lower row) takes the player, as object set, area and entry
// byte, each row with the same in words and a button that loads the
// submap it arrives in. It reads nothing from the image itself.
class DoorsPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit DoorsPanel(QWidget* parent = nullptr);

    void showDoors(const world::Doors& doors);
    void clear();
    QLabel* label(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
    // The words and the Go To button of the left (0) and right (1) door.
    QLabel* words(int door) const { return words_.at(static_cast<std::size_t>(door)); }
    QPushButton* goToButton(int door) const { return goTo_.at(static_cast<std::size_t>(door)); }

signals:
    // Go To: the tree key of the submap a door arrives in.
    void goTo(const QString& submapKey);

private:
    void showDoor(int row, const std::optional<world::ExitDestination>& door);

    std::array<QLabel*, 6> labels_{}; // labelConnections
    std::array<QLabel*, 2> words_{};
    std::array<QPushButton*, 2> goTo_{};
    std::array<QString, 2> keys_;     // the destinations' submap keys
};

} // namespace quarry::ui
