#pragma once

#include "core/rom/RomImage.h"
#include "core/session/Document.h"

#include <QString>

#include <span>
#include <vector>

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

// Writes the whole image to `path` (a regular file or a new name), or
// throws a RomError that says why nothing or what was written.
void writeImage(const QString& path, const rom::RomImage& image);

// Writes `bytes` as the whole file at `path` in the same way.
void writeOutputFile(const QString& path, std::span<const std::uint8_t> bytes);

// Reads a whole regular file of at most `limit` bytes, or throws a RomError
// (a device or a pipe is never opened for reading).
std::vector<std::uint8_t> readInputFile(const QString& path, std::size_t limit);

} // namespace quarry::cli
