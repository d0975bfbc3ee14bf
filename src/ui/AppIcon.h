#pragma once

#include <QIcon>

namespace quarry::ui {

// The program's own icon (a block of bricks with a pick), painted at run
// time in several sizes; data/quarry.svg is the same picture for desktops.
QIcon applicationIcon();

} // namespace quarry::ui
