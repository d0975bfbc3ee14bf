// The image map's text and sprite parts: the strings and their block, the
// animation table, the frame pointers, and the sprite tables of frames and
// shared layouts.
#include "core/compare/MapBuilding.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"

namespace quarry::compare {

namespace {

void mapTexts(ImageMap& map, const rom::RomImage& rom)
{
    for (int n = 0; n < layout::kTextCount; ++n) {
        Part part;
        part.kind = PartKind::Text;
        part.name = "text " + hexByte(static_cast<std::uint32_t>(n));
        part.place.number = n;
        const int index = map.addPart(std::move(part), "text:" + std::to_string(n));
        map.claim(index, layout::kTextPointerTable + 2 * static_cast<std::size_t>(n), 2);
        try {
            const std::size_t start = text::textStart(rom, n);
            map.claim(index, start, text::storedSizeAt(rom, start));
        } catch (const RomError&) {
        }
    }
    try {
        const text::TextBlock block = text::TextBlock::measure(rom);
        Part space;
        space.kind = PartKind::TextSpace;
        space.name = "text block, unused bytes";
        const int index = map.addPart(std::move(space), "textspace");
        map.claim(index, block.start(), block.capacity());
    } catch (const RomError&) {
    }
}

void mapAnimations(ImageMap& map)
{
    for (int a = 0; a < layout::kAnimationCount; ++a) {
        const std::size_t at = layout::kAnimationTable + layout::kAnimationRecordSize * static_cast<std::size_t>(a);
        const int part = partFor(map, "animation:" + std::to_string(a), PartKind::Animation,
                                 "animation " + std::to_string(a));
        map.part(part).place.number = a;
        addField(map, part, byteField("frames - 1", at));
        addField(map, part, byteField("first frame", at + 1));
        addField(map, part, byteField("time - 1", at + 2));
    }
    const int pointers = partFor(map, "framepointers", PartKind::FramePointer, "frame pointers");
    for (int f = 0; f < layout::kFrameCount; ++f)
        addField(map, pointers,
                 wordField("frame " + std::to_string(f), layout::kFramePointerTable + 2 * static_cast<std::size_t>(f)));
}

std::size_t entriesEnd(const sprites::FrameSprites& frame)
{
    if (frame.sprites.empty())
        return frame.entries + 1;
    return frame.sprites.back().entryAt + frame.sprites.back().entrySize;
}

// A frame's own bytes, or a layout with every frame reading it: changes to
// one of them merge as one table.
void mapFrame(ImageMap& map, const sprites::FrameSprites& frame)
{
    const bool shared = frame.form == sprites::FrameForm::Shared;
    const std::string key = shared ? "layout:" + std::to_string(frame.entries) : "frame:" + std::to_string(frame.body);
    const int part = partFor(map, key, PartKind::FrameTable,
                             shared ? "layout " + cpuAddressText(*frame.layout) : "frame");
    Part& table = map.part(part);
    if (table.frames.empty())
        table.place.number = frame.frame;
    table.frames.push_back(frame.frame);
    const std::string prefix = "frame " + sprites::frameNumberList({frame.frame}) + " ";
    addField(map, part, byteField(prefix + "header", frame.body));
    if (shared) {
        addField(map, part, wordField(prefix + "layout", frame.body + 1));
        addField(map, part, byteField("layout byte 0", frame.entries));
    }
    for (std::size_t s = 0; s < frame.sprites.size(); ++s) {
        const sprites::StoredSprite& sprite = frame.sprites[s];
        const std::string name = (shared ? std::string() : prefix) + "sprite " + std::to_string(s) + " ";
        addField(map, part, byteField(name + "dy", sprite.entryAt, 0xFE));
        addField(map, part, byteField(name + "attribute carried", sprite.entryAt, 0x01));
        addField(map, part, byteField(prefix + "sprite " + std::to_string(s) + " tile", sprite.tileAt));
        if (shared)
            addField(map, part, byteField(name + "unused tile byte", sprite.entryAt + 1));
        if (sprite.ownAttribute)
            addField(map, part, byteField(name + "attribute", sprite.entryAt + 2));
        addField(map, part, byteField(name + "dx", sprite.entryAt + sprite.entrySize - 1));
    }
    if (frame.form == sprites::FrameForm::Plain)
        map.claim(part, frame.body, entriesEnd(frame) - frame.body);
}

} // namespace

void mapTextsAndSprites(ImageMap& map, const rom::RomImage& rom)
{
    mapTexts(map, rom);
    mapAnimations(map);
    for (int f = 0; f < layout::kFrameCount; ++f) {
        try {
            mapFrame(map, sprites::readFrameSprites(rom, f));
        } catch (const RomError&) {
            // A frame the editor cannot read: its bytes stay "other".
        }
    }
}

} // namespace quarry::compare
