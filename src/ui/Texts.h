#pragma once

// The main window's own words, in one place so they are easy to check.
namespace quarry::ui::texts {

inline constexpr const char* kTitle = "Quarry v" QUARRY_VERSION;
inline constexpr const char* kNoFileCaption = "Quarry v" QUARRY_VERSION " [...]";

inline constexpr const char* kOpenFilter = "iNES rom image (*.nes)";

inline constexpr const char* kTblMissing = "\"TBL.DAT\" not found!\nLoading default table.";
inline constexpr const char* kDatMissing = "\"DAT\" files not found!\nLoading defaults.";

inline constexpr const char* kErrorLoading = "Error loading file!";
inline constexpr const char* kInvalidRom = "Invalid rom!";
inline constexpr const char* kTooShort =
    "Invalid rom! The file is too short to hold the game's data: it needs at least 262144 bytes after its 16-byte header.";
inline constexpr const char* kUnknownError = "Unknown Error!";
inline constexpr const char* kLoaded = "File successfully loaded!";
inline constexpr const char* kLoadAFile = "Load a file!";
inline constexpr const char* kSaveFailed = "Uknown Error!";
inline constexpr const char* kSaved = "File successfully saved!";

inline constexpr const char* kSaveChanges = "Save changes?";
// Before a write into data that shows in other places.
inline constexpr const char* kChangeShared = "This screen also shows in: %1. Change it everywhere?";
inline constexpr const char* kChangeButton = "Change";
inline constexpr const char* kDontAskAgain = "Don't ask again for this image";
inline constexpr const char* kBackupQuestion = "The backup could not be written: save without it?";
// A save that failed after writing the file in place (kSaveFailed means
// the file was left as it was).
inline constexpr const char* kSaveFailedInPlace =
    "Uknown Error! The file was written in place and does not read back as saved: it may be damaged.";
inline constexpr const char* kBackupMade = "The file as it was opened is kept in %1.";
inline constexpr const char* kSaveFailedWhy = "Cannot write %1: %2. The file on disk is unchanged.";
inline constexpr const char* kBackupWhere = "The backup was to go into %1 beside %2: %3.";
inline constexpr const char* kBackupHolds = "The backup %1 holds the file as it was opened.";
inline constexpr const char* kNotRegularFile =
    "This name belongs to a device, a pipe, a folder or a link to nowhere, not to a file: nothing was written.";
inline constexpr const char* kReplaceOne = "%1 already exists.\nDo you want to replace it?";
inline constexpr const char* kReplaceMany = "%1 of these files already exist in %2.\nDo you want to replace them?";
inline constexpr const char* kAreaNotShown = "The area cannot be shown any more: ";
// The status bar's note after an undo or redo, and where the step was made
// when that submap cannot be shown.
inline constexpr const char* kUndone = "Undone: %1";
inline constexpr const char* kMenuRecent = "Open &Recent";
inline constexpr const char* kRecentGone = "%1 is no longer there; it is taken off the list of recent images.";
inline constexpr const char* kRedone = "Redone: %1";
inline constexpr const char* kUndoneWhere = " (object set %1, area %2, submap %3)";

// The history and Save As.
inline constexpr const char* kMenuUndo = "&Undo";
inline constexpr const char* kMenuRedo = "&Redo";
inline constexpr const char* kMenuHistory = "Undo &History";
inline constexpr const char* kMenuSaveAs = "Save &As...";
inline constexpr const char* kHistoryTitle = "Undo History";
inline constexpr const char* kHistoryStart = "Opened file";

inline constexpr const char* kSelectAnArea = "Select an area from tree view list";
inline constexpr const char* kEraseConfirm = "This will clear the current map.\nAre you sure?";

inline constexpr const char* kAbout =
    "Quarry v" QUARRY_VERSION "\n\n"
    "A level editor for one NES game.\n"
    "Maps, actors, stairs, palettes, tiles, metatiles, sprites and text are edited where they lie in the image.";

// Tool tips of the command buttons.
inline constexpr const char* kTipOpen = "Open File";
inline constexpr const char* kTipSave = "Save File";
inline constexpr const char* kTipTextEditor = "Text Editor";
inline constexpr const char* kTipMetatileEditor = "Background Editor";
inline constexpr const char* kTipPaletteEditor = "Palette Editor";
inline constexpr const char* kTipSpriteEditor = "Sprite Editor";
inline constexpr const char* kTipGlobalProperties = "Global Editor";
inline constexpr const char* kTipMapInfo = "Map Info";
inline constexpr const char* kTipEraseMap = "Erase Map";
inline constexpr const char* kTipExit = "Exit Program";

// Mode buttons: caption and tool tip.
inline constexpr const char* kModeMap = "M";
inline constexpr const char* kModeActor = "A";
inline constexpr const char* kModeStair = "S";
inline constexpr const char* kModePointer = "P";
inline constexpr const char* kModeSolidity = "T";
inline constexpr const char* kTipModeMap = "Map Edit Mode";
inline constexpr const char* kTipModeActor = "Actor Edit Mode";
inline constexpr const char* kTipModeStair = "Stair Edit Mode";
inline constexpr const char* kTipModePointer = "Pointer Edit Mode";
inline constexpr const char* kTipModeSolidity = "Tile Solidity Mode";

inline constexpr const char* kTipAreaList = "Area List";

// Status bar panels, each followed by four hex digits.
inline constexpr const char* kStatusMap = "Area Map: $";
inline constexpr const char* kStatusActors = "Actors: $";
inline constexpr const char* kStatusStairs = "Stairs: $";
inline constexpr const char* kStatusPalette = "Palette: $";

} // namespace quarry::ui::texts
