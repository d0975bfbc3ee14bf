#pragma once

#include <cstdint>
#include <span>

namespace quarry::patch {

// The CRC-32 of zip, PNG and BPS patches (reflected polynomial $EDB88320,
// initial value and final xor $FFFFFFFF).
std::uint32_t crc32(std::span<const std::uint8_t> data);

} // namespace quarry::patch
