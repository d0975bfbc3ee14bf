#pragma once

// The graphics editors' own words, one namespace per window, so they are
// easy to check in one place.
namespace quarry::ui::texts {

namespace palette {
inline constexpr const char* kCaption = "Palette Editor";
inline constexpr const char* kEmphasis = "Emphasis";
inline constexpr const char* kMonochrome = "Monochrome";
inline constexpr const char* kTipBlue = "Intensify blues (and darken other colors)";
inline constexpr const char* kTipGreen = "Intensify greens (and darken other colors)";
inline constexpr const char* kTipRed = "Intensify reds (and darken other colors)";
} // namespace palette

namespace tilekit {
inline constexpr const char* kTileEditor = "Tile Editor";
inline constexpr const char* kCurrentColor = "Current Color";
inline constexpr const char* kPrevPalette = "<";
inline constexpr const char* kNextPalette = ">";
inline constexpr const char* kShowGrid = "Show Grid";
// Tool tips of the picture buttons, in the order of TileKit::Operation.
inline constexpr const char* kOperationTips[] = {
    "Shift left", "Shift right", "Shift up", "Shift down", "Flip top and bottom", "Flip left and right",
    "Rotate anticlockwise",
};
} // namespace tilekit

namespace metatile {
inline constexpr const char* kCaption = "BKG Graphic Editor";
inline constexpr const char* kMetatileEditor = "Metatile Editor";
inline constexpr const char* kTileProperties = "Tile Properties";
inline constexpr const char* kMetatilePrefix = "#";
// lblSolid 0-3, around the three threshold boxes.
inline constexpr const char* kBounds[] = {"# <", ">= # <", ">= # <", ">= #"};
// lblSolid 4-7, the four ranges.
inline constexpr const char* kRanges[] = {"non-solid", "non-solid (event)", "solid", "solid (breakable)"};
} // namespace metatile

namespace sprite {
inline constexpr const char* kCaption = "SPR Graphic Editor";
// cmboObjSet, in object set order.
inline constexpr const char* kObjectSets[] = {"Town", "Mansion", "Woods 1", "Woods 2", "Graveyard", "Vesperhold!"};
inline constexpr const char* kFrames = "Frames:";
inline constexpr const char* kStart = "Start:";
inline constexpr const char* kTimer = "Timer:";
inline constexpr const char* kGoto = "Goto";
inline constexpr const char* kEdit = "Edit";
// Tool tips of the picture buttons cmdPlay and cmdStop.
inline constexpr const char* kTipPlay = "Play";
inline constexpr const char* kTipStop = "Stop";
// "Goto" with a "Start:" value no frame has.
inline constexpr const char* kNoSuchFrame = "Frame numbers run from 00 to FF.";
// Frame editing.
// The sprite table's columns, short, and their tool tips.
inline constexpr const char* kSpriteColumns[] = {"#", "dy", "Tile", "Pal", "H", "V", "Pri", "Attr", "dx"};
inline constexpr const char* kSpriteColumnTips[] = {
    "Stored entry", "Vertical offset (-64 to 63)", "Tile (hex)", "Palette (4-7)", "Horizontal flip", "Vertical flip",
    "Priority: behind the background", "Attribute: its own, or taken from the sprite before",
    "Horizontal offset from the reference column (-48 to 207), or the stored byte ($00-$FF)"};
inline constexpr const char* kOwnAttribute = "own";
inline constexpr const char* kCarriedFrom = "from %1";          // the sprite whose attribute it takes
inline constexpr const char* kCarriedFromBefore = "from before"; // the frame drawn before
inline constexpr const char* kCarriedFromBeforeDrawn = "from before, drawn with $%1";
inline constexpr const char* kCarriedFromBeforeTip =
    "Takes the attribute the frame drawn before leaves. This row shows the start value $%1; the picture "
    "is drawn with $%2, left over from the frame shown before it.";
inline constexpr const char* kSameData = "data shared with frames %1";
inline constexpr const char* kSameLayout = "layout shared with frames %1";
inline constexpr const char* kAskChangeShared =
    "Frame %1 shares what this edit changes with frames %2.\nChange all of them?";
inline constexpr const char* kAskSharedAttribute =
    "Sprite %1 has no attribute of its own: it shows the attribute of sprite %2.\n"
    "Change the attribute it shares? Sprites %3 change with it.";
inline constexpr const char* kNotANumber = "\"%1\" does not fit \"%2\".";
inline constexpr const char* kInGame = "View as in game";
inline constexpr const char* kWholeRange = "Whole 256 x 256 range";
inline constexpr const char* kPlayingFrame = "Frame %1";
inline constexpr const char* kTipStepBack = "Previous frame of the animation";
inline constexpr const char* kTipStepForward = "Next frame of the animation";
inline constexpr const char* kDeleteSprite = "Delete sprite";
inline constexpr const char* kExportFrame = "Export frame PNG...";
inline constexpr const char* kExportSheet = "Export animation sheet...";
inline constexpr const char* kNothingToExport = "Frame %1 shows no sprite to export.";
inline constexpr const char* kCannotWrite = "Cannot write %1: %2.";
} // namespace sprite

} // namespace quarry::ui::texts
