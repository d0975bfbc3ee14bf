#include "core/sprites/SpriteText.h"

#include "core/rom/Hex.h"

namespace quarry::sprites {

std::string oamText(const OamList& list)
{
    constexpr std::size_t kBytesPerLine = 16;
    std::string text;
    text.reserve(list.size() * 2 + 2 * (list.size() / kBytesPerLine));
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0 && i % kBytesPerLine == 0)
            text += "\r\n";
        text += hexDigits(list[i], 2);
    }
    return text;
}

std::optional<int> parseFrameNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    unsigned value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            break;
        value = value * 16 + digit;
        if (value > 0xFF) // checked per digit, so long texts cannot overflow
            return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace quarry::sprites
