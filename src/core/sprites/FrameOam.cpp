#include "core/sprites/FrameOam.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <string>

namespace quarry::sprites {

namespace {

// Reads bytes of one frame with a message that names the frame.
class FrameReader {
public:
    FrameReader(const rom::RomImage& rom, std::uint32_t address) : rom_(rom), address_(address & 0xFFFF) {}

    std::uint8_t at(std::size_t index, const char* part) const
    {
        if (!rom_.contains(index))
            throw RomError("the sprite frame at " + cpuAddressText(address_) + " reads its " + part
                           + " outside the image (body index " + fileOffsetText(static_cast<std::uint32_t>(index))
                           + ", the body holds " + std::to_string(rom_.size()) + " bytes)");
        return rom_.read(index);
    }

private:
    const rom::RomImage& rom_;
    std::uint32_t address_;
};

std::uint8_t positionY(std::uint8_t e0)
{
    // Bits 7-1 are a signed offset: shift right keeping bit 7.
    const int offset = static_cast<std::int8_t>(e0) >> 1;
    return static_cast<std::uint8_t>(offset + layout::kSpriteReferenceY);
}

} // namespace

OamEntry oamEntry(const OamList& list, int index)
{
    const std::size_t at = static_cast<std::size_t>(index & (kOamEntries - 1)) * kOamEntrySize;
    return {list[at], list[at + 1], list[at + 2], list[at + 3]};
}

OamList hiddenOamList()
{
    OamList list{};
    for (std::size_t k = 0; k < kOamEntries; ++k)
        list[k * kOamEntrySize] = kHiddenY;
    return list;
}

OamList FrameBuilder::buildFrameOam(const rom::RomImage& rom, std::uint32_t address)
{
    OamList list = hiddenOamList();
    const FrameReader reader(rom, address);
    const std::size_t frame = rom::cpuToBody(address, rom::DataKind::SpriteFrames);
    const std::uint8_t header = reader.at(frame, "header");
    if (header == 0)
        return list;

    const int count = header & layout::kFrameSpriteCountMask;
    const bool shared = (header & layout::kFrameSharedLayoutBit) != 0;
    std::size_t table = frame; // where the entries are read
    std::size_t tiles = 0;     // shared form: where the tiles are read
    if (shared) {
        const unsigned layoutAddress = reader.at(frame + 1, "layout address")
                                       | (reader.at(frame + 2, "layout address") << 8);
        table = rom::cpuToBody(layoutAddress, rom::DataKind::SpriteFrames);
        tiles = frame + 3;
    }

    // At most 127 sprites of at most 4 bytes: every index below stays small.
    std::size_t i = table + 1;
    std::uint8_t attribute = carried_;
    for (int s = 0; s < count; ++s) {
        const std::uint8_t e0 = reader.at(i++, "sprite entries");
        std::uint8_t tile = 0;
        if (shared) {
            tile = reader.at(tiles++, "tile numbers");
            ++i; // the layout's own tile byte is not used
        } else {
            tile = reader.at(i++, "sprite entries");
        }
        if ((e0 & 1) == 0)
            attribute = reader.at(i++, "sprite entries");
        const std::uint8_t x = static_cast<std::uint8_t>(reader.at(i++, "sprite entries") + layout::kSpriteReferenceX);
        if (s < kOamEntries) {
            const std::size_t at = static_cast<std::size_t>(s) * kOamEntrySize;
            list[at] = positionY(e0);
            list[at + 1] = tile;
            list[at + 2] = attribute;
            list[at + 3] = x;
        }
    }
    carried_ = attribute;
    return list;
}

} // namespace quarry::sprites
