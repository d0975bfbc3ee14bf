#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarry::session {

// Reads what the user typed as a new screen pointer. "$9ABC" is hexadecimal
// up to the first character that is not a hex digit; anything else is read
// leniently: blanks, then leading decimal digits (a sign is no digit) ("&H"
// also starts hexadecimal), unreadable text giving 0. The low 16 bits are
// kept. An empty answer gives no value. Throws RomError for a number that
// does not fit 32 bits.
std::optional<std::uint16_t> parsePointerAnswer(std::string_view answer);

} // namespace quarry::session
