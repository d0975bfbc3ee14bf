#include "core/text/TextBlock.h"

#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/text/TextCodec.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quarry::text {

namespace {

std::string bytesText(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

std::string fullMessage(const TextUsage& usage)
{
    return "the texts need " + bytesText(usage.used) + " but the text block holds only "
           + bytesText(usage.capacity) + ": " + bytesText(usage.bytesOver())
           + " over; nothing was written, shorten the texts";
}

constexpr std::size_t kPointerTableSize = 2 * static_cast<std::size_t>(layout::kTextCount);

} // namespace

Texts decodeTexts(const rom::RomImage& rom, const rom::CharTable& table)
{
    Texts texts;
    const TextDecoder decoder(table);
    for (int n = 0; n < layout::kTextCount; ++n)
        texts[static_cast<std::size_t>(n)] = decoder.decodeText(rom, n);
    return texts;
}

std::size_t blockSize(const Texts& texts, const rom::CharTable& table)
{
    const TextEncoder encoder(table);
    std::size_t size = 0;
    for (const std::string& text : texts)
        size += encoder.encodedSize(text);
    return size;
}

TextBlockFull::TextBlockFull(const TextUsage& usage) : RomError(fullMessage(usage)), usage_(usage) {}

TextBlock::TextBlock(std::size_t end)
    : end_(std::clamp(end, layout::kTextBlockStart, layout::kTextBankEnd))
{
}

TextBlock TextBlock::measure(const rom::RomImage& rom)
{
    std::size_t end = layout::kTextBlockStart;
    for (int n = 0; n < layout::kTextCount; ++n) {
        const std::size_t start = textStart(rom, n);
        end = std::max(end, start + storedSizeAt(rom, start));
    }
    return TextBlock(end);
}

TextUsage TextBlock::usage(const Texts& texts, const rom::CharTable& table) const
{
    return TextUsage{blockSize(texts, table), capacity()};
}

void commitTexts(rom::RomImage& rom, const TextBlock& block, const Texts& texts, const rom::CharTable& table)
{
    std::vector<std::uint8_t> pointers;
    std::vector<std::uint8_t> strings;
    pointers.reserve(kPointerTableSize);
    const TextEncoder encoder(table);
    for (std::size_t n = 0; n < texts.size(); ++n) {
        const std::string& text = texts[n];
        // A block that fits ends within bank 3, so every address stays in
        // $8C74-$BFFF and the bytes lie contiguously from the block start
        // (a block that does not fit is refused below, pointers and all).
        const auto address = static_cast<std::uint16_t>(layout::kTextBlockStartCpu + strings.size());
        pointers.push_back(static_cast<std::uint8_t>(address & 0xFF));
        pointers.push_back(static_cast<std::uint8_t>(address >> 8));
        const std::vector<std::uint8_t> bytes = encoder.encode(text);
        // The game and the decoder read at most 256 bytes of a string: a
        // longer one would come back cut short.
        if (bytes.size() - 1 > layout::kTextScanLimit)
            throw RomError("string " + hexDigits(static_cast<std::uint32_t>(n), 2) + " is "
                           + std::to_string(bytes.size() - 1) + " bytes long, but at most "
                           + std::to_string(layout::kTextScanLimit) + " bytes of a string are read; nothing was written");
        strings.insert(strings.end(), bytes.begin(), bytes.end());
    }

    const TextUsage usage{strings.size(), block.capacity()};
    if (!usage.fits())
        throw TextBlockFull(usage);
    if (!rom.contains(layout::kTextPointerTable, kPointerTableSize) || !rom.contains(block.start(), strings.size()))
        throw RomError("the text block at " + fileOffsetText(static_cast<std::uint32_t>(block.start() + rom::RomImage::kHeaderSize))
                       + " lies outside the image; nothing was written");

    rom.writeBytes(layout::kTextPointerTable, pointers);
    rom.writeBytes(block.start(), strings);
}

} // namespace quarry::text
