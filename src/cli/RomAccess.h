#pragma once

#include "core/rom/RomImage.h"

#include <QString>

namespace quarry::cli {

// Opens an image or throws a RomError that says why it cannot be used.
rom::RomImage openImage(const QString& path);

// Writes the whole image to `path` atomically, or throws.
void writeImage(const QString& path, const rom::RomImage& image);

} // namespace quarry::cli
