#pragma once

#include "core/gfx/Canvas.h"

#include <QByteArray>
#include <QString>

namespace quarry::cli {

// The picture as a PNG file in memory. A map has a handful of colours, so
// it is stored with a palette (one byte a pixel instead of three) and fast
// compression: the files stay ordinary PNG that every program reads.
QByteArray encodePng(const gfx::Canvas& canvas);

// Writes a picture as PNG with the output rules of writeOutputFile; throws
// RomError when it cannot.
void writePng(const QString& path, const gfx::Canvas& canvas);

} // namespace quarry::cli
