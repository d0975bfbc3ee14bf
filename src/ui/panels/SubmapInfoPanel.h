#pragma once

#include <QGroupBox>

#include <array>

class QLabel;

namespace quarry::ui {

class RomDocument;

// "Map Information": the loaded submap's place, size and where its data
// lie, every field named. It follows the document (a pointer edit, an undo)
// and is told when another submap is shown.
class SubmapInfoPanel : public QGroupBox {
    Q_OBJECT

public:
    enum Field { Place, Size, MapData, ActorData, StairData, PaletteData, FieldCount };

    SubmapInfoPanel(RomDocument& document, QWidget* parent = nullptr);

    void refresh();
    QLabel* value(Field field) const { return values_[static_cast<std::size_t>(field)]; }

private:
    RomDocument& document_;
    std::array<QLabel*, FieldCount> values_{};
};

} // namespace quarry::ui
