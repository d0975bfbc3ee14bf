#pragma once

#include "core/rom/AreaDirectory.h"
#include "ui/editors/EditorWindow.h"

#include <optional>

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
class MapInfo : public EditorWindow {
    Q_OBJECT

public:
    MapInfo(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    bool setUpFor(const session::LoadedArea* area) override;

    // Fills every box from the loaded submap (object set, area and submap
    // are those of the loaded one).
    void initInfo();

    enum Field { ObjectSet, Area, Submap, MapWidth, MapHeight, MapData, ActorData, StairData, PaletteData, FieldCount };
    QLineEdit* box(Field field) const { return boxes_[field]; }
    QLabel* screenList() const { return screens_; }

protected:
    // The submap shown changed (a pointer, an undo): its addresses again.
    void imageChanged(const session::Change& change) override;

private:
    std::optional<rom::AreaId> shown_;
    QLineEdit* boxes_[FieldCount] = {};
    QLabel* screens_ = nullptr; // lblMapPtrs
};

} // namespace quarry::ui
