#pragma once

#include "core/rom/RomImage.h"

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

private:
    rom::RomImage rom_;
    std::string romPath_;
    bool romLoaded_ = false;
};

} // namespace quarry::session
