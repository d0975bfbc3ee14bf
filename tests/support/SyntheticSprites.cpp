#include "support/SyntheticSprites.h"

#include "core/rom/GameLayout.h"

#include <stdexcept>

namespace quarry::test {

namespace {

constexpr std::size_t kFrameDataStart = 0x0000;
constexpr std::size_t kFrameDataEnd = layout::kFramePointerTable;
constexpr std::size_t kLayoutStart = 0x3000;
constexpr std::uint8_t kLayoutTileDecoy = 0xEE;

std::uint16_t bank0Address(std::size_t body)
{
    return static_cast<std::uint16_t>(0x8000 + body);
}

// Appends one entry: e0, the tile slot, the attribute unless carried, X.
void encodeEntry(std::vector<std::uint8_t>& bytes, const SyntheticSprite& sprite, std::uint8_t tileSlot)
{
    bytes.push_back(static_cast<std::uint8_t>(((sprite.dy & 0x7F) << 1) | (sprite.carried ? 1 : 0)));
    bytes.push_back(tileSlot);
    if (!sprite.carried)
        bytes.push_back(sprite.attribute);
    bytes.push_back(sprite.dx);
}

// Gives carried sprites the attribute of the sprite before them.
void settleAttributes(std::vector<SyntheticSprite>& sprites, std::uint8_t incoming)
{
    std::uint8_t attribute = incoming;
    for (SyntheticSprite& sprite : sprites) {
        if (sprite.carried)
            sprite.attribute = attribute;
        attribute = sprite.attribute;
    }
}

// A varied run of sprites; the first sets its attribute itself.
std::vector<SyntheticSprite> generatedSprites(int seed, int count)
{
    std::vector<SyntheticSprite> sprites;
    for (int s = 0; s < count; ++s) {
        SyntheticSprite sprite;
        sprite.dy = (seed * 13 + s * 29) % 128 - 64;
        sprite.tile = static_cast<std::uint8_t>(seed * 3 + s * 2);
        sprite.dx = static_cast<std::uint8_t>(seed * 31 + s * 17);
        sprite.carried = s > 0 && (seed + s) % 3 == 0;
        sprite.attribute = static_cast<std::uint8_t>(((seed + s) & 3) | ((s & 1) ? 0x40 : 0) | ((seed & 1) ? 0x80 : 0)
                                                     | ((seed & 2) ? 0x20 : 0));
        sprites.push_back(sprite);
    }
    settleAttributes(sprites, 0);
    return sprites;
}

class FrameWriter {
public:
    explicit FrameWriter(SyntheticRom& rom) : rom_(rom) {}

    // Writes the bytes at the next free place and returns their body index.
    std::size_t append(const std::vector<std::uint8_t>& bytes, bool layoutArea)
    {
        std::size_t& next = layoutArea ? nextLayout_ : nextFrame_;
        const std::size_t end = layoutArea ? layout::kPrgBankSize : kFrameDataEnd;
        if (next + bytes.size() > end)
            throw std::length_error("synthetic sprite data does not fit its space in bank 0");
        rom_.put(next, bytes);
        const std::size_t at = next;
        next += bytes.size();
        return at;
    }

private:
    SyntheticRom& rom_;
    std::size_t nextFrame_ = kFrameDataStart;
    std::size_t nextLayout_ = kLayoutStart;
};

SyntheticFrame plainFrame(FrameWriter& writer, std::vector<SyntheticSprite> sprites, std::uint8_t incoming = 0)
{
    settleAttributes(sprites, incoming);
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(sprites.size())};
    for (const SyntheticSprite& sprite : sprites)
        encodeEntry(bytes, sprite, sprite.tile);
    SyntheticFrame frame;
    frame.pointer = bank0Address(writer.append(bytes, false));
    frame.sprites = std::move(sprites);
    return frame;
}

// A frame naming `layoutSprites` for positions and attributes, with its own
// tiles for the first `count` of them.
SyntheticFrame sharedFrame(FrameWriter& writer, std::uint16_t layoutPointer,
                           const std::vector<SyntheticSprite>& layoutSprites, std::size_t count, int seed)
{
    SyntheticFrame frame;
    frame.shared = true;
    frame.layoutPointer = layoutPointer;
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(0x80 | count),
                                    static_cast<std::uint8_t>(layoutPointer & 0xFF),
                                    static_cast<std::uint8_t>(layoutPointer >> 8)};
    for (std::size_t s = 0; s < count; ++s) {
        SyntheticSprite sprite = layoutSprites[s];
        sprite.tile = static_cast<std::uint8_t>(0x81 + seed + 2 * s);
        bytes.push_back(sprite.tile);
        frame.sprites.push_back(sprite);
    }
    frame.pointer = bank0Address(writer.append(bytes, false));
    return frame;
}

} // namespace

SyntheticSprites fillSprites(SyntheticRom& rom)
{
    SyntheticSprites result;
    FrameWriter writer(rom);

    // Three layouts; their own tile bytes are never shown.
    std::array<std::vector<SyntheticSprite>, 3> layouts{generatedSprites(7, 4), generatedSprites(8, 6),
                                                        generatedSprites(9, 2)};
    std::array<std::uint16_t, 3> layoutPointers{};
    for (std::size_t l = 0; l < layouts.size(); ++l) {
        std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(layouts[l].size())};
        for (const SyntheticSprite& sprite : layouts[l])
            encodeEntry(bytes, sprite, kLayoutTileDecoy);
        layoutPointers[l] = bank0Address(writer.append(bytes, true));
    }

    for (int f = 0; f < 256; ++f) {
        SyntheticFrame& frame = result.frames[static_cast<std::size_t>(f)];
        switch (f) {
        case kSyntheticEmptyFrame:
            frame.pointer = bank0Address(writer.append({0x00}, false));
            break;
        case kSyntheticExampleFrame:
            frame = plainFrame(writer, {{-8, 0x11, 0x01, 0xF8, false}, {-8, 0x13, 0, 0x00, true}});
            break;
        case kSyntheticSharedFrame:
            frame = sharedFrame(writer, layoutPointers[0], layouts[0], layouts[0].size(), f);
            break;
        case kSyntheticHighPointerFrame:
            frame = plainFrame(writer, generatedSprites(f, 3));
            frame.pointer = static_cast<std::uint16_t>(frame.pointer | 0xC000);
            break;
        case kSyntheticCarryInFrame: {
            std::vector<SyntheticSprite> sprites = generatedSprites(f, 4);
            sprites[0].carried = true;
            frame = plainFrame(writer, sprites, result.frames[4].sprites.back().attribute);
            break;
        }
        case kSyntheticLongFrame: {
            std::vector<SyntheticSprite> sprites = generatedSprites(f, 70);
            sprites.back().carried = false;
            sprites.back().attribute = static_cast<std::uint8_t>(sprites[63].attribute ^ 0xC3);
            frame = plainFrame(writer, sprites);
            break;
        }
        case kSyntheticAliasFrame:
            frame = result.frames[kSyntheticExampleFrame];
            break;
        default:
            if (f % 5 == 2) {
                const std::size_t l = static_cast<std::size_t>(f / 5) % layouts.size();
                frame = sharedFrame(writer, layoutPointers[l], layouts[l], layouts[l].size() - (f & 1), f);
            } else {
                frame = plainFrame(writer, generatedSprites(f, 1 + (f * 7) % 9));
            }
            break;
        }
        rom.putWord(layout::kFramePointerTable + 2 * static_cast<std::size_t>(f), frame.pointer);
    }

    for (int a = 0; a < 64; ++a) {
        SyntheticAnimation& animation = result.animations[static_cast<std::size_t>(a)];
        switch (a) {
        case kSyntheticPlaybackAnimation: animation = {2, 1, 3}; break;
        case kSyntheticFastAnimation: animation = {3, 8, 0}; break;
        case kSyntheticWrappingAnimation: animation = {3, 0xFE, 2}; break;
        case kSyntheticLongAnimation: animation = {0xFF, 0, 1}; break;
        default:
            animation = {static_cast<std::uint8_t>(a % 5), static_cast<std::uint8_t>(a * 5),
                         static_cast<std::uint8_t>(a % 7)};
            break;
        }
        rom.put(layout::kAnimationTable + layout::kAnimationRecordSize * static_cast<std::size_t>(a),
                {animation.frames, animation.start, animation.timer});
    }
    return result;
}

} // namespace quarry::test
