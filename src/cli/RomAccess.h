#pragma once

#include "core/rom/RomImage.h"

#include <QString>

namespace quarry::session {
class Document;
}

namespace quarry::cli {

// Opens an image or throws a RomError that says why it cannot be used.
rom::RomImage openImage(const QString& path);

// Opens the image into `document` (throwing a RomError that says why it
// cannot be used) and reads the character table from `datDir`, falling back
// to the default table.
void openDocument(session::Document& document, const QString& path, const QString& datDir);

// Writes the whole image to `path` atomically, or throws.
void writeImage(const QString& path, const rom::RomImage& image);

} // namespace quarry::cli
