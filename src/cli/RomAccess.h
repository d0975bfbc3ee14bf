#pragma once

#include "core/rom/RomImage.h"
#include "core/session/Document.h"

#include <QString>

namespace quarry::cli {

// Opens an image or throws a RomError that says why it cannot be used.
rom::RomImage openImage(const QString& path);

// Opens an image into `document` with the character table of `datDir`
// (the built-in table when TBL.DAT is missing, with a note on standard
// error), or throws a RomError that says why it cannot be used.
void openDocument(session::Document& document, const QString& path, const QString& datDir);

// Throws a UsageError when `output` names the same file as `input`: the
// writing commands never change their input.
void checkOutputIsNotInput(const QString& input, const QString& output);

// Writes the whole image to `path` atomically, or throws.
void writeImage(const QString& path, const rom::RomImage& image);

} // namespace quarry::cli
