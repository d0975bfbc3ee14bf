#include "core/session/NumberInput.h"

#include "core/rom/Hex.h"

namespace quarry::session {

std::uint8_t parseHexByteBox(std::string_view text)
{
    unsigned value = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        const int digit = hexDigitValue(c);
        if (digit < 0)
            break;
        value = (value * 16 + static_cast<unsigned>(digit)) & 0xFFFF;
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace quarry::session
