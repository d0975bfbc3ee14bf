#include "core/rom/Hex.h"

namespace quarry {

std::string hexDigits(std::uint32_t value, int digits)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

std::string cpuAddressText(std::uint32_t address)
{
    return "$" + hexDigits(address, 4);
}

std::string fileOffsetText(std::uint32_t offset)
{
    // Six digits cover every image; larger offsets (a patch may name one)
    // keep all their digits rather than lose the leading ones.
    int digits = 6;
    while (digits < 8 && (offset >> (4 * digits)) != 0)
        ++digits;
    return "0x" + hexDigits(offset, digits);
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace quarry
