#pragma once

#include <QIcon>

namespace quarry::ui {

// The tool bar's icons, painted at run time so the program ships no
// picture files of its own for them.
enum class IconKind { Open, Save, Text, Background, Palette, Sprite, Global, MapInfo, Erase, Exit, Brush };

QIcon commandIcon(IconKind kind);

} // namespace quarry::ui
