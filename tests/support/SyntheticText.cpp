#include "support/SyntheticText.h"

#include "core/rom/GameLayout.h"

#include <stdexcept>

namespace quarry::test {

namespace {

constexpr std::size_t kBankStart = 0xC000; // bank 3, which holds the pointer table and the strings

} // namespace

rom::CharTable defaultTextTable()
{
    rom::CharTable table;
    table[0x00] = " ";
    for (int i = 0; i < 26; ++i)
        table[static_cast<std::size_t>(0x01 + i)] = std::string(1, static_cast<char>('A' + i));
    table[0x1B] = ".";
    table[0x1C] = "'";
    table[0x1E] = ",";
    for (int i = 0; i < 10; ++i)
        table[static_cast<std::size_t>(0x36 + i)] = std::string(1, static_cast<char>('0' + i));
    table[0x40] = "!";
    table[0x5D] = "?";
    return table;
}

std::vector<std::uint8_t> textBytes(const std::string& text)
{
    std::vector<std::uint8_t> bytes;
    for (const char c : text) {
        if (c == ' ')
            bytes.push_back(0x00);
        else if (c >= 'A' && c <= 'Z')
            bytes.push_back(static_cast<std::uint8_t>(0x01 + (c - 'A')));
        else if (c >= '0' && c <= '9')
            bytes.push_back(static_cast<std::uint8_t>(0x36 + (c - '0')));
        else if (c == '.')
            bytes.push_back(0x1B);
        else if (c == '\'')
            bytes.push_back(0x1C);
        else if (c == ',')
            bytes.push_back(0x1E);
        else if (c == '!')
            bytes.push_back(0x40);
        else if (c == '?')
            bytes.push_back(0x5D);
        else if (c == '/')
            bytes.push_back(0xFE);
        else
            throw std::invalid_argument(std::string("no default code for '") + c + "'");
    }
    return bytes;
}

void putTextPointer(SyntheticRom& rom, int n, std::uint16_t cpuAddress)
{
    if (n < 0 || n >= layout::kTextCount)
        throw std::out_of_range("synthetic text: no pointer entry " + std::to_string(n));
    rom.putWord(layout::kTextPointerTable + 2 * static_cast<std::size_t>(n), cpuAddress);
}

void putTextBytes(SyntheticRom& rom, std::size_t index, const std::vector<std::uint8_t>& bytes)
{
    if (index < kBankStart || index + bytes.size() > layout::kTextBankEnd)
        throw std::out_of_range("synthetic text: bytes outside bank 3");
    rom.put(index, bytes);
}

std::size_t putTextBlock(SyntheticRom& rom, const std::vector<std::vector<std::uint8_t>>& strings)
{
    if (strings.size() > static_cast<std::size_t>(layout::kTextCount))
        throw std::out_of_range("synthetic text: more strings than the game has");
    std::size_t index = layout::kTextBlockStart;
    for (int n = 0; n < layout::kTextCount; ++n) {
        std::vector<std::uint8_t> bytes;
        if (static_cast<std::size_t>(n) < strings.size())
            bytes = strings[static_cast<std::size_t>(n)];
        bytes.push_back(layout::kTextTerminator);
        putTextPointer(rom, n, static_cast<std::uint16_t>(0x8000 + (index & 0x3FFF)));
        putTextBytes(rom, index, bytes);
        index += bytes.size();
    }
    return index;
}

std::vector<std::string> sampleTexts()
{
    std::vector<std::string> texts;
    for (int n = 0; n < layout::kTextCount; ++n) {
        if (n % 17 == 5)
            texts.emplace_back();
        else if (n % 3 == 0)
            texts.push_back("STRING " + std::to_string(n) + "./WHAT NOW?");
        else
            texts.push_back("HELLO, IT'S TEXT " + std::to_string(n) + "!");
    }
    return texts;
}

std::size_t putSampleTexts(SyntheticRom& rom)
{
    std::vector<std::vector<std::uint8_t>> strings;
    for (const std::string& text : sampleTexts())
        strings.push_back(textBytes(text));
    return putTextBlock(rom, strings);
}

} // namespace quarry::test
