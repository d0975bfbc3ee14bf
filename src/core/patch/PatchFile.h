#pragma once

#include "core/rom/RomImage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quarry::patch {

enum class PatchKind { Unknown, Ips, Bps };

// The largest patch file we read: room for a patch that changes every
// other byte of the largest image, one record each.
inline constexpr std::size_t kLargestPatchFile = 64u << 20;

// Tells the two formats apart by their first bytes ("PATCH" or "BPS1").
PatchKind detectPatch(std::span<const std::uint8_t> patch);

// The image as a file: the 16 header bytes, then the body. Patches are made
// and applied over these bytes, so their offsets are file offsets.
std::vector<std::uint8_t> imageFileBytes(const rom::RomImage& image);

// The image with an IPS or BPS patch applied (the kind read from the patch).
// Refuses, with a RomError and `image` untouched, a patch of neither kind, a
// malformed one, one for another image, and a result the editor could not
// use in its place: another size (images are never resized), another
// 16-byte header (kept as it was opened), or no longer a usable iNES image.
rom::RomImage applyPatchToImage(const rom::RomImage& image, std::span<const std::uint8_t> patch);

} // namespace quarry::patch
