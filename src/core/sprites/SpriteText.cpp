#include "core/sprites/SpriteText.h"

#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"

#include <cctype>

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

int dxScreenOffset(std::uint8_t dx)
{
    return ((dx + layout::kSpriteReferenceX) & 0xFF) - layout::kSpriteReferenceX;
}

std::string dxText(std::uint8_t dx)
{
    return std::to_string(dxScreenOffset(dx)) + " ($" + hexDigits(dx, 2) + ")";
}

namespace {

// "-6" (a screen offset) or "$FA" (the stored byte) at the start of `text`,
// leaving `text` after it; nothing when neither is there or out of range.
std::optional<std::uint8_t> readDxPart(std::string_view& text)
{
    const bool stored = !text.empty() && text.front() == '$';
    const bool negative = !stored && !text.empty() && text.front() == '-';
    std::size_t i = stored || negative ? 1 : 0;
    const std::size_t first = i;
    int value = 0;
    for (; i < text.size() && i - first < 4; ++i) {
        const int digit = stored ? hexDigitValue(text[i]) : std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1;
        if (digit < 0)
            break;
        value = value * (stored ? 16 : 10) + digit;
    }
    if (i == first || (i < text.size() && std::isalnum(static_cast<unsigned char>(text[i]))))
        return std::nullopt;
    text.remove_prefix(i);
    if (negative)
        value = -value;
    if (stored ? value > 0xFF : value < -layout::kSpriteReferenceX || value > 0xFF - layout::kSpriteReferenceX)
        return std::nullopt;
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::uint8_t> parseDxText(std::string_view text, std::uint8_t current)
{
    text = trimmed(text);
    const auto first = readDxPart(text);
    text = trimmed(text);
    if (!first || text.empty())
        return text.empty() ? first : std::nullopt;
    // A second form in brackets: "-6 ($FA)".
    if (text.front() != '(' || text.back() != ')')
        return std::nullopt;
    text = trimmed(text.substr(1, text.size() - 2));
    const auto second = readDxPart(text);
    if (!second || !trimmed(text).empty())
        return std::nullopt;
    if (*first == *second || *second == current)
        return first;
    if (*first == current)
        return second;
    return std::nullopt;
}

} // namespace quarry::sprites
