#include "core/sprites/FrameSprites.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/sprites/Animations.h"

#include <algorithm>

namespace quarry::sprites {

namespace {

// Refusals reach the command-line tool, which takes frame numbers in
// decimal, and the editor, which shows them in hex: both forms.
std::string frameNumberWords(int frame)
{
    return std::to_string(frame & 0xFF) + " ($" + hexDigits(static_cast<std::uint32_t>(frame & 0xFF), 2) + ")";
}

std::string frameName(int frame)
{
    return "frame " + frameNumberWords(frame);
}

std::uint8_t readChecked(const rom::RomImage& rom, std::size_t index, int frame, const char* part)
{
    if (!rom.contains(index))
        throw RomError("the " + std::string(part) + " of sprite " + frameName(frame) + " lie outside the image (body index "
                       + fileOffsetText(static_cast<std::uint32_t>(index)) + ")");
    return rom.read(index);
}

void checkFrameNumber(int frame)
{
    if (frame < 0 || frame >= layout::kFrameCount)
        throw RomError("frame numbers run from 0 to 255, not " + std::to_string(frame));
}

const StoredSprite& spriteAt(const FrameSprites& frame, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= frame.sprites.size())
        throw RomError(frameName(frame.frame) + " has " + std::to_string(frame.sprites.size())
                       + " sprites; there is no sprite " + std::to_string(index));
    return frame.sprites[static_cast<std::size_t>(index)];
}

void checkRange(const std::optional<int>& value, int low, int high, const char* what)
{
    if (value && (*value < low || *value > high))
        throw RomError(std::string(what) + " must lie from " + std::to_string(low) + " to " + std::to_string(high)
                       + ", not " + std::to_string(*value));
}

std::uint8_t encodeE0(int dy, bool carried)
{
    return static_cast<std::uint8_t>(((dy & 0x7F) << 1) | (carried ? 1 : 0));
}

// The header and the entry table of the frame at body index `body`, or
// nothing when the data cannot be read; used to find frames sharing bytes.
std::optional<std::size_t> entryTableOf(const rom::RomImage& rom, std::size_t body)
{
    if (!rom.contains(body, 3))
        return std::nullopt;
    const std::uint8_t header = rom.read(body);
    if ((header & layout::kFrameSharedLayoutBit) == 0)
        return body;
    return rom::cpuToBody(rom.readWord(body + 1), rom::DataKind::SpriteFrames);
}

} // namespace

std::vector<int> FrameSprites::sharedWith() const
{
    std::vector<int> all = sameData;
    all.insert(all.end(), sameLayout.begin(), sameLayout.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

FrameSprites readFrameSprites(const rom::RomImage& rom, int frame)
{
    checkFrameNumber(frame);
    FrameSprites result;
    result.frame = frame;
    result.address = getFramePointer(rom, frame);
    result.body = rom::cpuToBody(result.address, rom::DataKind::SpriteFrames);
    result.header = readChecked(rom, result.body, frame, "header");
    result.entries = result.body;
    if (result.header == 0) {
        result.form = FrameForm::Empty;
    } else if ((result.header & layout::kFrameSharedLayoutBit) == 0) {
        result.form = FrameForm::Plain;
    } else {
        result.form = FrameForm::Shared;
        const std::uint16_t layoutAddress = static_cast<std::uint16_t>(
            readChecked(rom, result.body + 1, frame, "layout address")
            | (readChecked(rom, result.body + 2, frame, "layout address") << 8));
        result.layout = layoutAddress;
        result.entries = rom::cpuToBody(layoutAddress, rom::DataKind::SpriteFrames);
    }

    // At most 127 entries of at most 4 bytes: the indexes stay small.
    const int count = result.header & layout::kFrameSpriteCountMask;
    const bool shared = result.form == FrameForm::Shared;
    std::size_t at = result.entries + 1;
    std::uint8_t attribute = 0;
    std::optional<int> owner;
    for (int s = 0; s < count && result.form != FrameForm::Empty; ++s) {
        StoredSprite sprite;
        sprite.entryAt = at;
        const std::uint8_t e0 = readChecked(rom, at++, frame, "sprite entries");
        sprite.dy = static_cast<std::int8_t>(e0) >> 1;
        sprite.tileAt = shared ? result.body + 3 + static_cast<std::size_t>(s) : at;
        sprite.tile = readChecked(rom, sprite.tileAt, frame, shared ? "tile numbers" : "sprite entries");
        ++at;
        sprite.ownAttribute = (e0 & 1) == 0;
        if (sprite.ownAttribute) {
            attribute = readChecked(rom, at++, frame, "sprite entries");
            owner = s;
        }
        sprite.attribute = attribute;
        sprite.attributeFrom = owner;
        sprite.dx = readChecked(rom, at++, frame, "sprite entries");
        sprite.entrySize = at - sprite.entryAt;
        result.sprites.push_back(sprite);
    }

    for (int other = 0; other < layout::kFrameCount; ++other) {
        if (other == frame)
            continue;
        const std::size_t body = rom::cpuToBody(getFramePointer(rom, other), rom::DataKind::SpriteFrames);
        if (body == result.body)
            result.sameData.push_back(other);
        else if (shared && rom.contains(body) && (rom.read(body) & layout::kFrameSharedLayoutBit) != 0
                 && entryTableOf(rom, body) == result.entries)
            result.sameLayout.push_back(other);
    }
    return result;
}

std::vector<int> attributeGroup(const FrameSprites& frame, int index)
{
    const std::optional<int> owner = spriteAt(frame, index).attributeFrom;
    std::vector<int> group;
    if (!owner)
        return group;
    for (std::size_t s = static_cast<std::size_t>(*owner); s < frame.sprites.size(); ++s) {
        if (frame.sprites[s].attributeFrom != owner)
            break;
        group.push_back(static_cast<int>(s));
    }
    return group;
}

void setFrameSprite(rom::RomImage& rom, int frame, int index, const SpriteChange& change)
{
    const FrameSprites read = readFrameSprites(rom, frame);
    const StoredSprite& sprite = spriteAt(read, index);
    checkRange(change.dy, kMinSpriteDy, kMaxSpriteDy, "the vertical offset");
    checkRange(change.dx, 0, 255, "the horizontal offset");
    checkRange(change.tile, 0, 255, "the tile");
    checkRange(change.attribute, 0, 255, "the attribute");
    if (change.attribute && !sprite.ownAttribute)
        throw RomError("sprite " + std::to_string(index) + " of " + frameName(frame)
                       + " has no attribute byte of its own: it takes the attribute of the sprite before it, "
                         "and giving it one would need more bytes");
    const std::size_t attributeAt = sprite.entryAt + 2;
    const std::size_t dxAt = sprite.entryAt + sprite.entrySize - 1;
    if (change.dy)
        rom.write(sprite.entryAt, encodeE0(*change.dy, !sprite.ownAttribute));
    if (change.tile)
        rom.write(sprite.tileAt, static_cast<std::uint8_t>(*change.tile));
    if (change.attribute)
        rom.write(attributeAt, static_cast<std::uint8_t>(*change.attribute));
    if (change.dx)
        rom.write(dxAt, static_cast<std::uint8_t>(*change.dx));
}

std::vector<int> setSharedAttribute(rom::RomImage& rom, int frame, int index, std::uint8_t attribute)
{
    const FrameSprites read = readFrameSprites(rom, frame);
    const StoredSprite& sprite = spriteAt(read, index);
    if (!sprite.attributeFrom)
        throw RomError("sprite " + std::to_string(index) + " of " + frameName(frame)
                       + " takes its attribute from the frame drawn before it; this frame holds no byte to change");
    const StoredSprite& owner = read.sprites[static_cast<std::size_t>(*sprite.attributeFrom)];
    rom.write(owner.entryAt + 2, attribute);
    return attributeGroup(read, index);
}

void deleteFrameSprite(rom::RomImage& rom, int frame, int index)
{
    const FrameSprites read = readFrameSprites(rom, frame);
    const StoredSprite& sprite = spriteAt(read, index);
    const auto k = static_cast<std::size_t>(index);
    const std::size_t count = read.sprites.size();
    const bool last = k + 1 == count;
    if (!last && !read.sprites[k + 1].ownAttribute && sprite.ownAttribute) {
        // The next sprite would carry what the sprite before this one shows.
        const bool same = k > 0 && read.sprites[k - 1].attribute == sprite.attribute;
        if (!same)
            throw RomError("sprite " + std::to_string(index + 1) + " of " + frameName(frame)
                           + " takes its attribute from sprite " + std::to_string(index)
                           + " and has no byte to keep it in; removing sprite " + std::to_string(index)
                           + " would change it");
    }
    if (!last && read.form == FrameForm::Shared) {
        // Other frames that read the entries which would move.
        std::vector<int> readers;
        for (int other : read.sameLayout)
            if (auto otherRead = readFrameSprites(rom, other); otherRead.sprites.size() > k)
                readers.push_back(other);
        std::string readerWords;
        for (int reader : readers)
            readerWords += (readerWords.empty() ? "" : ", ") + frameNumberWords(reader);
        if (!readers.empty())
            throw RomError("the layout of " + frameName(frame) + " is also used by frames " + readerWords
                           + "; removing a sprite before its last would move their sprites");
    }

    // Everything is known now: the writes cannot be refused half-way.
    const std::size_t from = sprite.entryAt + sprite.entrySize;
    const std::size_t end = read.sprites.back().entryAt + read.sprites.back().entrySize;
    std::vector<std::uint8_t> later;
    for (std::size_t at = from; at < end; ++at)
        later.push_back(rom.read(at));
    std::vector<std::uint8_t> laterTiles;
    if (read.form == FrameForm::Shared)
        for (std::size_t s = k + 1; s < count; ++s)
            laterTiles.push_back(read.sprites[s].tile);

    rom.write(read.body, static_cast<std::uint8_t>((read.header & layout::kFrameSharedLayoutBit)
                                                   | ((read.header & layout::kFrameSpriteCountMask) - 1)));
    if (read.form == FrameForm::Plain || !last)
        rom.writeBytes(sprite.entryAt, later);
    if (!laterTiles.empty())
        rom.writeBytes(sprite.tileAt, laterTiles);
}

std::string frameNumberList(const std::vector<int>& frames)
{
    std::string text;
    for (int frame : frames)
        text += (text.empty() ? "" : ", ") + hexDigits(static_cast<std::uint32_t>(frame & 0xFF), 2);
    return text;
}

} // namespace quarry::sprites
