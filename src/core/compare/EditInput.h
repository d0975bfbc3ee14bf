#pragma once

#include "core/rom/RomImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quarry::compare {

// An edit given as a file may be an image or an IPS or BPS patch. For a
// patch this is the image it makes of `original`, applied in memory with the
// patch commands' rules and refusals (the message names `name`); for
// anything else no value, and the caller opens the bytes as an image.
std::optional<rom::RomImage> patchedImage(const rom::RomImage& original, std::span<const std::uint8_t> bytes,
                                          const std::string& name);

} // namespace quarry::compare
