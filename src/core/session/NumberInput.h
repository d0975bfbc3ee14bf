#pragma once

#include <cstdint>
#include <string_view>

namespace quarry::session {

// What a two-digit hexadecimal box (a solidity threshold) holds: blanks are
// skipped anywhere, the leading hexadecimal digits are read (none gives 0)
// and the value is cut to a byte, as the game's tools read such boxes.
std::uint8_t parseHexByteBox(std::string_view text);

} // namespace quarry::session
