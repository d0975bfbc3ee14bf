#include "core/session/NumberInput.h"

namespace quarry::session {

std::uint8_t parseHexByteBox(std::string_view text)
{
    unsigned value = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        value = (value * 16 + static_cast<unsigned>(digit)) & 0xFFFF;
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace quarry::session
