#include "core/session/NumberInput.h"

#include "core/rom/Hex.h"

#include <algorithm>

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

std::optional<int> parseTypedNumber(std::string_view text, bool hex)
{
    constexpr long long kLimit = 1'000'000;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (hex && !text.empty() && text.front() == '$')
        text.remove_prefix(1);
    else if (!hex && !text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (const char c : text) {
        const int digit = hex ? hexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = std::min(value * (hex ? 16 : 10) + digit, kLimit);
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace quarry::session
