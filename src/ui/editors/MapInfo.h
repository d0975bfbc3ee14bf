#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

// Where the loaded submap's data lie (frmAreaInfo): identity, map size, the
// CPU address and file offset of its map, actor, stair and palette data, and
// every screen address of its map. A snapshot: loading another submap does
// not change it until it is opened again. The boxes can be typed into but
// nothing is read back from them.
class MapInfo : public QWidget {
    Q_OBJECT

public:
    explicit MapInfo(const session::Document& document, QWidget* parent = nullptr);

    // Fills every box from the loaded submap (object set, area and submap
    // are those of the loaded one).
    void initInfo();

    enum Field { ObjectSet, Area, Submap, MapWidth, MapHeight, MapData, ActorData, StairData, PaletteData, FieldCount };
    QLineEdit* box(Field field) const { return boxes_[field]; }
    QLabel* screenList() const { return screens_; }

private:
    const session::Document& document_;
    QLineEdit* boxes_[FieldCount] = {};
    QLabel* screens_ = nullptr; // lblMapPtrs
};

} // namespace quarry::ui
