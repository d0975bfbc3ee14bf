#include "core/text/TextCodec.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>

namespace quarry::text {

namespace {

// Length of the character at `pos`: one well-formed UTF-8 sequence, or a
// single byte when the bytes there are not one.
std::size_t characterLength(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if ((lead & 0xE0) == 0xC0)
        length = 2;
    else if ((lead & 0xF0) == 0xE0)
        length = 3;
    else if ((lead & 0xF8) == 0xF0)
        length = 4;
    if (length == 1 || pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// True for a table entry that is exactly one well-formed character. A lone
// byte that is not ASCII is none: next to another such byte in decoded text
// it could read back as a different character.
bool isOneCharacter(std::string_view text)
{
    if (text.size() == 1)
        return static_cast<unsigned char>(text[0]) < 0x80;
    return text.size() > 1 && characterLength(text, 0) == text.size();
}

// The byte of an escape "{XX}" starting at `pos`, if one starts there.
std::optional<std::uint8_t> escapeAt(std::string_view text, std::size_t pos)
{
    if (pos + 4 > text.size() || text[pos] != '{' || text[pos + 3] != '}')
        return std::nullopt;
    const int high = hexDigitValue(text[pos + 1]);
    const int low = hexDigitValue(text[pos + 2]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const auto value = static_cast<std::uint8_t>(high * 16 + low);
    if (value == layout::kTextTerminator)
        return std::nullopt;
    return value;
}

constexpr std::size_t kEscapeLength = 4;

} // namespace

// The table turned around for encoding, and for each code whether its
// character encodes back to it. Characters of one byte (nearly all text)
// are looked up in a flat table; longer ones in the map.
struct TextEncoder::Codes {
    explicit Codes(const rom::CharTable& table)
    {
        // Walking down from $FF leaves the lowest code for each character.
        for (int k = 255; k >= 0; --k) {
            const std::string& entry = table[static_cast<std::size_t>(k)];
            if (isOneCharacter(entry))
                lowest_[entry] = static_cast<std::uint8_t>(k);
        }
        for (std::size_t c = 0; c < ascii_.size(); ++c) {
            const char character = static_cast<char>(c);
            const auto found = slowCode(std::string_view(&character, 1));
            ascii_[c] = found ? *found : kNoCode;
        }
        for (std::size_t k = 0; k < 256; ++k) {
            const std::string& entry = table[k];
            faithful_[k] = isOneCharacter(entry) && entry != "{" && code(entry) == k;
        }
    }

    // The code of one character, or nothing when the table lacks it.
    std::optional<std::uint8_t> code(std::string_view character) const
    {
        if (character.size() == 1 && static_cast<unsigned char>(character[0]) < ascii_.size()) {
            const int found = ascii_[static_cast<unsigned char>(character[0])];
            if (found == kNoCode)
                return std::nullopt;
            return static_cast<std::uint8_t>(found);
        }
        return slowCode(character);
    }

    bool faithful(std::uint8_t code) const { return faithful_[code]; }

    // Calls emit(byte, character, known) for each byte of `text`, in order.
    template <typename Emit>
    void encode(std::string_view text, Emit&& emit) const
    {
        std::size_t pos = 0;
        while (pos < text.size()) {
            if (const auto escaped = escapeAt(text, pos)) {
                emit(*escaped, text.substr(pos, kEscapeLength), true);
                pos += kEscapeLength;
                continue;
            }
            const std::string_view character = text.substr(pos, characterLength(text, pos));
            const auto known = code(character);
            emit(known.value_or(layout::kTextSpaceCode), character, known.has_value());
            pos += character.size();
        }
    }

private:
    static constexpr int kNoCode = -1;

    std::optional<std::uint8_t> slowCode(std::string_view character) const
    {
        if (character == "/")
            return layout::kTextLineBreak;
        if (character == " ")
            return layout::kTextSpaceCode;
        const auto found = lowest_.find(character);
        if (found == lowest_.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::string, std::uint8_t, std::less<>> lowest_;
    std::array<bool, 256> faithful_{};
    std::array<int, 128> ascii_{};
};

TextEncoder::TextEncoder(const rom::CharTable& table) : codes_(std::make_shared<const Codes>(table)) {}

std::vector<std::uint8_t> TextEncoder::encode(std::string_view text) const
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() + 1);
    codes_->encode(text, [&](std::uint8_t b, std::string_view, bool) { bytes.push_back(b); });
    bytes.push_back(layout::kTextTerminator);
    return bytes;
}

std::size_t TextEncoder::encodedSize(std::string_view text) const
{
    std::size_t size = 1;
    codes_->encode(text, [&](std::uint8_t, std::string_view, bool) { ++size; });
    return size;
}

namespace {

std::string textLocation(std::size_t start)
{
    return "text string at " + fileOffsetText(static_cast<std::uint32_t>(start + rom::RomImage::kHeaderSize));
}

} // namespace

TextDecoder::TextDecoder(const rom::CharTable& table)
    : table_(table), codes_(std::make_shared<const TextEncoder::Codes>(table))
{
}

std::string TextDecoder::decodeBytes(std::span<const std::uint8_t> bytes) const
{
    std::string text;
    for (const std::uint8_t b : bytes) {
        if (b == layout::kTextTerminator)
            break;
        if (b == layout::kTextLineBreak)
            text += '/';
        else if (codes_->faithful(b))
            text += table_[b];
        else
            text += "{" + hexDigits(b, 2) + "}";
    }
    return text;
}

std::string TextDecoder::decodeText(const rom::RomImage& rom, int n) const
{
    const std::size_t start = textStart(rom, n);
    return decodeBytes(rom.bytes(start, storedSizeAt(rom, start)));
}

std::string decodeBytes(std::span<const std::uint8_t> bytes, const rom::CharTable& table)
{
    return TextDecoder(table).decodeBytes(bytes);
}

std::size_t storedSizeAt(const rom::RomImage& rom, std::size_t start)
{
    for (std::size_t i = 0; i < layout::kTextScanLimit; ++i) {
        if (!rom.contains(start + i))
            throw RomError(textLocation(start) + " runs past the end of the image");
        if (rom.read(start + i) == layout::kTextTerminator)
            return i + 1;
    }
    return layout::kTextScanLimit;
}

std::string decodeTextAt(const rom::RomImage& rom, std::size_t start, const rom::CharTable& table)
{
    const std::size_t size = storedSizeAt(rom, start);
    return decodeBytes(rom.bytes(start, size), table);
}

std::size_t textStart(const rom::RomImage& rom, int n)
{
    if (n < 0 || n > 255)
        throw RomError("there is no text string number " + std::to_string(n));
    const std::uint16_t pointer = rom.readWord(layout::kTextPointerTable + 2 * static_cast<std::size_t>(n));
    return rom::cpuToBody(pointer, rom::DataKind::Text);
}

std::string decodeText(const rom::RomImage& rom, int n, const rom::CharTable& table)
{
    return decodeTextAt(rom, textStart(rom, n), table);
}

std::vector<std::uint8_t> encodeText(std::string_view text, const rom::CharTable& table)
{
    return TextEncoder(table).encode(text);
}

std::size_t encodedSize(std::string_view text, const rom::CharTable& table)
{
    return TextEncoder(table).encodedSize(text);
}

std::vector<std::string> charactersNotInTable(std::string_view text, const rom::CharTable& table)
{
    std::vector<std::string> missing;
    const TextEncoder::Codes codes(table);
    codes.encode(text, [&](std::uint8_t, std::string_view character, bool known) {
        if (!known && std::find(missing.begin(), missing.end(), character) == missing.end())
            missing.emplace_back(character);
    });
    return missing;
}

std::string textListLine(int n, std::string_view text)
{
    return hexDigits(static_cast<std::uint32_t>(n), 2) + ": " + std::string(text);
}

} // namespace quarry::text
