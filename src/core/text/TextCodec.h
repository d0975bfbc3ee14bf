#pragma once

#include "core/rom/DataFiles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::text {

// The game's own text encoding: one byte per character, $FE a line break
// (written "/" in editable text), $FF the end of a string, every other byte a
// code of the character table.
//
// Editable text is UTF-8; a "character" is one UTF-8 sequence (a stray byte
// that is not valid UTF-8 counts as one character on its own).
//
// Escapes keep every byte intact. A byte the table cannot show faithfully is
// written as "{XX}", two upper-case hex digits: a code whose entry is empty,
// and also a code whose character would not encode back to that same code
// (an entry "/" or a space at a code other than $00, the higher of two codes
// with the same character, and an entry "{" that would start an escape).
// So decoding and encoding again gives the bytes back exactly.
//
// On encoding, "{" followed by two hex digits of either case and "}" is one
// byte of that value, except "{FF}": a terminator inside a string would cut
// it short, so that form is no escape. Any other brace ("{", "{G1}", "{1}",
// "{123}", a lone "}") is not an escape either: its characters are encoded
// one by one through the table like any other text.

// Decodes one string of raw bytes (without its terminator).
std::string decodeBytes(std::span<const std::uint8_t> bytes, const rom::CharTable& table);

// Number of bytes the string at body index `start` occupies: up to and
// including its $FF, or 256 when none comes first. Throws RomError when the
// string would run past the end of the image.
std::size_t storedSizeAt(const rom::RomImage& rom, std::size_t start);

// Decodes the string that starts at body index `start`: up to its $FF, or
// 256 bytes when none comes first. Throws RomError when the string would run
// past the end of the image.
std::string decodeTextAt(const rom::RomImage& rom, std::size_t start, const rom::CharTable& table);

// Decodes string number `n` through its entry in the text pointer table.
// The game's strings are 0-120; numbers up to 255 are accepted (a byte read
// from the image may hold one) and read whatever lies past the table.
// Throws RomError for a number outside 0-255.
std::string decodeText(const rom::RomImage& rom, int n, const rom::CharTable& table);

// Body index where string `n` starts, from its pointer.
std::size_t textStart(const rom::RomImage& rom, int n);

// The bytes of `text` followed by $FF: "/" is $FE, a space $00, an escape its
// byte, any other character the lowest code whose entry equals it, and a
// character the table lacks $00.
std::vector<std::uint8_t> encodeText(std::string_view text, const rom::CharTable& table);

// Size of the encoded text, terminator included.
std::size_t encodedSize(std::string_view text, const rom::CharTable& table);

// The two above with the table turned around once, for callers encoding
// many strings with one table (a text commit encodes all of them).
class TextEncoder {
public:
    explicit TextEncoder(const rom::CharTable& table);
    std::vector<std::uint8_t> encode(std::string_view text) const;
    std::size_t encodedSize(std::string_view text) const;

    struct Codes;

private:
    std::shared_ptr<const Codes> codes_;
};

// decodeBytes and decodeText with the table's codes worked out once, for
// callers decoding many strings with one table (all 121 texts).
class TextDecoder {
public:
    explicit TextDecoder(const rom::CharTable& table);
    std::string decodeBytes(std::span<const std::uint8_t> bytes) const;
    std::string decodeText(const rom::RomImage& rom, int n) const;

private:
    const rom::CharTable& table_;
    std::shared_ptr<const TextEncoder::Codes> codes_;
};

// The characters of `text` that the table cannot express (they would be
// stored as $00), each once, in the order they first appear.
std::vector<std::string> charactersNotInTable(std::string_view text, const rom::CharTable& table);

// The line of a text list: "NN: text", NN the string number in two
// upper-case hex digits.
std::string textListLine(int n, std::string_view text);

} // namespace quarry::text
