#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::patch {

// BPS patches: "BPS1", the source, target and metadata sizes as variable-
// length numbers, the metadata, a list of actions (SourceRead, TargetRead,
// SourceCopy, TargetCopy), then the CRC32s of source, target and of the
// patch itself. Unlike IPS a BPS patch names the file it was made for.

// The patch that turns `source` into `target`: unchanged stretches are read
// from the source, changed bytes are carried in the patch, and a run of one
// changed value is copied from its own first byte. No metadata.
std::vector<std::uint8_t> makeBps(const std::vector<std::uint8_t>& source, const std::vector<std::uint8_t>& target);

// Exactly the target the patch describes (its size may differ from the
// source's). Throws RomError when the patch is not BPS, is corrupt (its own
// CRC32 does not match), was made for another file (source size or CRC32),
// has an action reaching outside source, target or patch, or produces a
// result whose CRC32 is not the one it promises.
std::vector<std::uint8_t> applyBps(const std::vector<std::uint8_t>& source, std::span<const std::uint8_t> patch);

// The largest target applyBps builds, far beyond any cartridge image, so a
// hostile patch cannot ask for gigabytes.
inline constexpr std::size_t kLargestBpsTarget = 16u << 20;

} // namespace quarry::patch
