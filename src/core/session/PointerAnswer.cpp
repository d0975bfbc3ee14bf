#include "core/session/PointerAnswer.h"

#include "core/RomError.h"
#include "core/rom/Hex.h"

#include <string>

namespace quarry::session {

namespace {

int digitValue(char c, int base)
{
    const int value = hexDigitValue(c);
    return value < base ? value : -1;
}

// The value of the leading digits of `text` in `base`; throws when it grows
// past 32 bits.
std::uint64_t leadingValue(std::string_view text, int base, std::string_view answer)
{
    std::uint64_t value = 0;
    for (char c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0)
            break;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            throw RomError("\"" + std::string(answer) + "\" is too large for a pointer: type a value from $0000 to $FFFF");
    }
    return value;
}

} // namespace

std::optional<std::uint16_t> parsePointerAnswer(std::string_view answer)
{
    if (answer.empty())
        return std::nullopt;
    if (answer.front() == '$')
        return static_cast<std::uint16_t>(leadingValue(answer.substr(1), 16, answer) & 0xFFFF);

    std::string_view rest = answer;
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    // Leading digits only: a sign is not a digit, so "-1" reads as 0 and is
    // refused like every value below $8000, rather than becoming $FFFF.
    std::uint64_t value = 0;
    if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'H' || rest[1] == 'h'))
        value = leadingValue(rest.substr(2), 16, answer);
    else
        value = leadingValue(rest, 10, answer);
    return static_cast<std::uint16_t>(value & 0xFFFF);
}

} // namespace quarry::session
