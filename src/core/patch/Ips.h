#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::patch {

// IPS patches over whole files (offsets count the 16 header bytes of an
// image): "PATCH", then records of a 3-byte big-endian offset and a 2-byte
// size followed by that many bytes, or a size of 0 followed by a run (2-byte
// count, 1-byte value), then "EOF". After "EOF" a patch may carry the common
// 3-byte truncation extension: the size the file is cut to.

// The patch that turns `original` into `edited`. Runs of one value go out as
// run records where that is shorter; records longer than 65535 bytes are
// split; no record starts at offset $454F46, which would read as "EOF".
// When `edited` is longer the patch writes the whole growth; when it is
// shorter the patch ends with the truncation extension. Throws RomError when
// `edited` is too large for 3-byte offsets.
std::vector<std::uint8_t> makeIps(const std::vector<std::uint8_t>& original, const std::vector<std::uint8_t>& edited);

// `file` with the patch applied. The patch never resizes the file: a record
// reaching past its end, or a truncation to another size, is refused. Throws
// RomError with the reason for a malformed patch (no "PATCH", a record cut
// short, a run of zero bytes, no "EOF", bytes after "EOF" that are no
// truncation size); `file` itself is never changed.
std::vector<std::uint8_t> applyIps(const std::vector<std::uint8_t>& file, std::span<const std::uint8_t> patch);

} // namespace quarry::patch
