#pragma once

#include "core/RomError.h"
#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"

#include <array>
#include <cstddef>
#include <string>

namespace quarry::rom {
class RomImage;
}

namespace quarry::text {

// All of the game's strings, in string order.
using Texts = std::array<std::string, layout::kTextCount>;

// Decodes strings 0-120 through the pointer table.
Texts decodeTexts(const rom::RomImage& rom, const rom::CharTable& table);

// Size of the whole block once the texts are laid out one after the other:
// the sum of each string's bytes and its terminator.
std::size_t blockSize(const Texts& texts, const rom::CharTable& table);

// How much of the text block a set of texts takes.
struct TextUsage {
    std::size_t used = 0;
    std::size_t capacity = 0;

    bool fits() const { return used <= capacity; }
    std::size_t freeBytes() const { return fits() ? capacity - used : 0; }
    std::size_t bytesOver() const { return fits() ? 0 : used - capacity; }
};

// A commit refused because the texts do not fit; nothing was written.
class TextBlockFull : public RomError {
public:
    explicit TextBlockFull(const TextUsage& usage);
    const TextUsage& usage() const { return usage_; }

private:
    TextUsage usage_;
};

// The space the game gives its text: from CPU $8C74 (right after the
// pointer table) to the end the strings reached when the image was loaded.
// Commits lay the strings out from the start and never pass the end, so they
// cannot run into the data that follows the text in bank 3, nor wrap round
// to the start of the bank.
class TextBlock {
public:
    // Measures the block as the image holds it: its end is the highest body
    // index just past any string's terminator (start + 256 for a string that
    // has none), at most the end of bank 3, and never before the start.
    // Throws RomError when a string runs past the end of the image.
    static TextBlock measure(const rom::RomImage& rom);

    // A block ending at body index `end` (clamped to the start and the end
    // of bank 3).
    explicit TextBlock(std::size_t end);

    std::size_t start() const { return layout::kTextBlockStart; }
    std::size_t end() const { return end_; }
    std::size_t capacity() const { return end_ - layout::kTextBlockStart; }

    TextUsage usage(const Texts& texts, const rom::CharTable& table) const;

private:
    std::size_t end_;
};

// Rewrites the whole block in string order from CPU $8C74 and points every
// entry of the pointer table at its string (little-endian). Strings that
// shared bytes or lay elsewhere before are laid out one after the other.
// Throws TextBlockFull, writing nothing, when the texts need more than the
// block's capacity, and RomError, writing nothing, when the block or the
// pointer table lies outside the image.
void commitTexts(rom::RomImage& rom, const TextBlock& block, const Texts& texts, const rom::CharTable& table);

} // namespace quarry::text
