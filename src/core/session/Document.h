#pragma once

#include "core/rom/DataFiles.h"
#include "core/rom/RomImage.h"
#include "core/text/TextBlock.h"

#include <optional>

#include <string>

namespace quarry::session {

// The open image and everything the editor knows about it. Every edit goes
// through here so one place sees each change of the image.
class Document {
public:
    const rom::RomImage& rom() const { return rom_; }
    rom::RomImage& rom() { return rom_; }

    // True only after a successful open; a failed open or save clears it.
    bool romLoaded() const { return romLoaded_; }
    void setRomLoaded(bool loaded) { romLoaded_ = loaded; }
    const std::string& romPath() const { return romPath_; }

    // Opens `path`. On failure the image that was open stays as it was and
    // romLoaded() is false.
    rom::OpenResult open(const std::string& path);
    // Writes the image back to romPath(); a failure clears romLoaded().
    rom::SaveResult save(const rom::SaveFault& fault = {});

    // The character table, name lists and actor types from the dat folder.
    rom::SideData& sideData() { return sideData_; }
    const rom::SideData& sideData() const { return sideData_; }

    // The text block as measured when the image was opened. Kept for the
    // whole session so room freed by shortening texts stays usable. Throws
    // RomError when the open image's strings could not be measured.
    const text::TextBlock& textBlock() const;
    text::Texts decodeTexts() const;
    // Rewrites the whole text block; throws TextBlockFull or RomError and
    // writes nothing when the texts cannot be stored.
    void commitTexts(const text::Texts& texts);

private:
    rom::RomImage rom_;
    std::string romPath_;
    bool romLoaded_ = false;
    rom::SideData sideData_;
    std::optional<text::TextBlock> textBlock_;
    std::string textBlockError_;
};

} // namespace quarry::session
