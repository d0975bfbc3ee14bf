#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarry::session {

// What a two-digit hexadecimal box (a solidity threshold) holds: blanks are
// skipped anywhere, the leading hexadecimal digits are read (none gives 0)
// and the value is cut to a byte, as the game's tools read such boxes.
std::uint8_t parseHexByteBox(std::string_view text);

// A number typed into a box of the inspector, read strictly: blanks around
// it are skipped; decimal digits after an optional minus sign, or, with
// `hex`, hexadecimal digits after an optional "$". Anything else, and empty
// text, gives no value. Values are cut to +-1,000,000, far outside every map
// and list, so they are refused as such and never overflow.
std::optional<int> parseTypedNumber(std::string_view text, bool hex);

} // namespace quarry::session
