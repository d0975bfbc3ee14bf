#pragma once

#include "core/rom/AreaDirectory.h"

#include <optional>
#include <string>

namespace quarry::session {

// What part of the image an edit, an undo, a redo or a patch changed, so
// each view redraws what it shows and nothing else.
enum ChangeKind : unsigned {
    kMapChanged = 1u << 0,        // a map's screens or screen pointers
    kListsChanged = 1u << 1,      // actor and stair lists
    kPaletteChanged = 1u << 2,    // palette sets
    kMaskChanged = 1u << 3,       // the PPU mask byte
    kTilesChanged = 1u << 4,      // CHR banks
    kMetatilesChanged = 1u << 5,  // metatile cells and attributes
    kThresholdsChanged = 1u << 6, // solidity thresholds
    kTextsChanged = 1u << 7,      // the text block
    kSettingsChanged = 1u << 8,   // game-wide settings (the ferryman)
    kSpritesChanged = 1u << 9,    // sprite frames and their layouts
    kEverythingChanged = ~0u,     // a patch, or a write nobody described
};

// The kinds a loaded submap's own data are made of: a change of these
// belongs to the submap that was loaded when it was made.
inline constexpr unsigned kSubmapKinds = kMapChanged | kListsChanged;
// The kinds that change how the loaded submap is drawn.
inline constexpr unsigned kGraphicsKinds =
    kPaletteChanged | kMaskChanged | kTilesChanged | kMetatilesChanged | kThresholdsChanged;

struct Change {
    // Open: another image is open (no submap is loaded yet). Load: another
    // submap is loaded, or the same one afresh; everything shown is new.
    enum class Origin { Edit, Undo, Redo, Open, Load };

    unsigned kinds = 0;
    // The submap a map or list change was made in.
    std::optional<rom::AreaId> area;
    Origin origin = Origin::Edit;
    std::string name; // the step's name in the history

    bool touches(unsigned mask) const { return (kinds & mask) != 0; }
    // Views show such a change from scratch: selections and scroll
    // positions of what was shown before no longer apply.
    bool showsAnew() const { return origin == Origin::Open || origin == Origin::Load; }
};

} // namespace quarry::session
