#pragma once

#include "core/gfx/Canvas.h"

#include <QString>

namespace quarry::cli {

// Writes a picture as PNG, atomically; throws RomError when it cannot.
void writePng(const QString& path, const gfx::Canvas& canvas);

} // namespace quarry::cli
