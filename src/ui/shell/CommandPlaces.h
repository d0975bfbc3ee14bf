#pragma once

#include "ui/shell/CommandTable.h"

// Where each kind of command sits in the menus and on the tool bar, so the
// parts that add commands place them by name.
namespace quarry::ui::places {

inline constexpr int kFileToolBar = 0;
inline constexpr int kEditorsToolBar = 1;
inline constexpr int kMapToolBar = 2;
inline constexpr int kModesToolBar = 3;
inline constexpr int kBlockToolsToolBar = 4;

inline constexpr Placement kFile{Menu::File, 0, kFileToolBar};
inline constexpr Placement kFileMenuOnly{Menu::File, 0};
inline constexpr Placement kMapExports{Menu::File, 1};
inline constexpr Placement kPatches{Menu::File, 2};
inline constexpr Placement kOtherImages{Menu::File, 3};
inline constexpr Placement kExit{Menu::File, 9, kMapToolBar};

inline constexpr Placement kHistory{Menu::Edit, 0};
inline constexpr Placement kBlocks{Menu::Edit, 1};
inline constexpr Placement kBrush{Menu::Edit, 2, kBlockToolsToolBar};
inline constexpr Placement kErase{Menu::Edit, 3, kMapToolBar};
inline constexpr Placement kPreferences{Menu::Edit, 9};

inline constexpr Placement kZoom{Menu::View, 0};
inline constexpr Placement kViewLayers{Menu::View, 1};
inline constexpr Placement kPanels{Menu::View, 2};

inline constexpr Placement kEditors{Menu::Tools, 0, kEditorsToolBar};
inline constexpr Placement kModes{Menu::Tools, 1, kModesToolBar};
inline constexpr Placement kBlockTools{Menu::Tools, 2, kBlockToolsToolBar};
inline constexpr Placement kScripts{Menu::Tools, 3};

inline constexpr Placement kHelpLists{Menu::Help, 0};
inline constexpr Placement kAbout{Menu::Help, 1};

} // namespace quarry::ui::places
