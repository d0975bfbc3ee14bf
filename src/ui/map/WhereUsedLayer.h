#pragma once

#include "core/session/WhereUsed.h"

#include <QString>

#include <vector>

class QPainter;

namespace quarry::rom {
class RomImage;
}

namespace quarry::ui {

// Where a metatile is used: the counts over the object set's maps that the
// chooser writes on its blocks, and the cells of the loaded map that hold
// the chosen metatile, outlined over the map. Off until shown.
class WhereUsedLayer {
public:
    void setShown(bool shown) { shown_ = shown; }
    bool shown() const { return shown_; }

    // Counts again from the image, for the object set's first `offered`
    // metatiles (the ones the chooser offers).
    void recount(const rom::RomImage& rom, int objectSet, int offered);
    // The cells of `map` that hold `metatile`.
    void highlight(const rom::AreaMap& map, int metatile);
    void clear();

    const session::MetatileUsage& usage() const { return usage_; }
    // The counts of the offered metatiles, for the chooser.
    std::vector<int> offeredCounts() const;
    const std::vector<session::MapCell>& cells() const { return cells_; }
    // "Metatile 0A: 12 cells in 3 maps, 4 in this map".
    QString summary() const;

    // Outlines the highlighted cells, in map pixels.
    void paint(QPainter& painter) const;

private:
    bool shown_ = false;
    bool counted_ = false;
    int offered_ = 0;
    int metatile_ = -1;
    session::MetatileUsage usage_;
    std::vector<session::MapCell> cells_;
};

} // namespace quarry::ui
