#include "SubmapTargets.h"

#include "core/RomError.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/text/TextCodec.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticText.h"
#include "support/SyntheticWorld.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::fuzz {

namespace {

// Reads a byte of the input, 0 past its end.
struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t next() { return at < size ? data[at++] : 0; }
};

const rom::RomImage& base()
{
    static const rom::RomImage image = [] {
        test::SyntheticWorld world;
        test::putSampleTexts(world.rom);
        return world.rom.image();
    }();
    return image;
}

// A word's body index under a bank rule, or nothing when it is no game address.
void addWordTarget(std::set<std::size_t>& places, const rom::RomImage& image, std::size_t at, rom::DataKind kind)
{
    places.insert(at);
    try {
        places.insert(rom::cpuToBody(image.readWord(at), kind));
    } catch (const RomError&) {
    }
}

// Every table a load of `id` reads on its way, and what they point to.
std::vector<std::size_t> placesOf(const rom::RomImage& image, const rom::AreaId& id)
{
    std::set<std::size_t> places = {layout::kPpuMaskByte, layout::kChrBankTable + 2 * std::size_t(id.objectSet)};
    const std::size_t set = 2 * static_cast<std::size_t>(id.objectSet);
    places.insert(layout::kAreaTablePointers + set);
    places.insert(layout::kMapTablePointers + set);
    places.insert(layout::kPaletteTablePointers + set);
    places.insert(layout::kActorAreaTablePointers + set);
    places.insert(layout::kObjectSetGraphicsRecords + layout::kObjectSetGraphicsRecordSize * std::size_t(id.objectSet)
                  + layout::kSolidityPointerOffset);
    for (const auto& table : layout::kMetatileTables)
        places.insert(table.limit);
    try {
        const std::size_t record = rom::areaRecordIndex(image, id.objectSet, id.area);
        places.insert(record);
        places.insert(rom::submapRecordIndex(image, record, id.submap, id));
        const rom::ResolvedArea resolved = rom::resolveArea(image, id, false);
        places.insert(rom::mapTableEntry(image, id.objectSet, resolved.mapNumber).index);
        const std::size_t map = rom::cpuToBody(resolved.mapPointer, rom::DataKind::AreaData);
        places.insert(map);
        for (std::size_t screen = 0; screen < 8; ++screen)
            addWordTarget(places, image, map + 2 + 2 * screen, rom::DataKind::AreaData);
        places.insert(rom::cpuToBody(resolved.stairPointer, rom::DataKind::AreaData));
        const std::size_t palette = rom::cpuToBody(resolved.palettePointer, rom::DataKind::AreaData);
        places.insert(palette);
        places.insert(layout::kPaletteSetTable + 2 * std::size_t{image.read(palette)});
        places.insert(layout::kPaletteSetTable + 2 * std::size_t{image.read(palette + 1)});
        const std::size_t actorAreas = rom::cpuToBody(image.readWord(layout::kActorAreaTablePointers + set),
                                                      rom::DataKind::Actors);
        addWordTarget(places, image, actorAreas + 2 * std::size_t(id.area), rom::DataKind::Actors);
        places.insert(rom::cpuToBody(resolved.actorPointer, rom::DataKind::Actors));
    } catch (const RomError&) {
    }
    return {places.begin(), places.end()};
}

// The submap chosen by the input and the image damaged by its records:
// which place, how far past it, and two bytes.
rom::AreaId damage(Input& input, rom::RomImage& image, bool withSprites)
{
    const std::vector<rom::AreaId>& submaps = world::catalogueSubmaps();
    const rom::AreaId id = submaps[input.next() % submaps.size()];
    std::vector<std::size_t> places = placesOf(image, id);
    if (withSprites) {
        places.push_back(layout::kFramePointerTable + 2 * std::size_t{input.next()});
        places.push_back(layout::kAnimationTable + layout::kAnimationRecordSize * (input.next() % layout::kAnimationCount));
    }
    while (input.at + 4 <= input.size) {
        const std::size_t place = places[input.next() % places.size()] + input.next() % 64;
        const std::uint8_t a = input.next(), b = input.next();
        if (image.contains(place, 2)) {
            image.write(place, a);
            image.write(place + 1, b);
        }
    }
    return id;
}

// Body ranges [first, last) an operation may change.
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

void addRange(Ranges& ranges, std::size_t start, std::size_t size)
{
    ranges.emplace_back(start, start + size);
}

// Where the loaded submap's map, stairs, actors and mask lie: what a commit
// of the area may rewrite.
Ranges areaRanges(const rom::RomImage& image, const session::LoadedArea& area)
{
    Ranges ranges;
    addRange(ranges, layout::kPpuMaskByte, 1);
    for (std::uint16_t screen : area.map.screenTable)
        addRange(ranges, rom::cpuToBody(screen, rom::DataKind::AreaData), layout::kScreenBytes);
    addRange(ranges, rom::cpuToBody(area.pointers.stairPointer, rom::DataKind::AreaData),
             2 * area.stairs.size() + 1);
    addRange(ranges, rom::cpuToBody(area.pointers.actorPointer, rom::DataKind::Actors), 4 * area.actors.size() + 1);
    (void)image;
    return ranges;
}

void checkInside(const std::vector<std::uint8_t>& before, const rom::RomImage& after, const Ranges& ranges,
                 const char* operation)
{
    const std::vector<std::uint8_t>& now = after.body();
    // Block by block with memcmp, then byte by byte inside a block that
    // differs: an instrumented byte loop over the whole body was a tenth of
    // the fuzzer's time.
    constexpr std::size_t kBlock = 4096;
    for (std::size_t start = 0; start < before.size(); start += kBlock) {
        const std::size_t length = std::min(kBlock, before.size() - start);
        if (std::memcmp(before.data() + start, now.data() + start, length) == 0)
            continue;
        for (std::size_t i = start; i < start + length; ++i) {
            if (before[i] == now[i])
                continue;
            bool inside = false;
            for (const auto& [first, last] : ranges)
                inside = inside || (i >= first && i < last);
            if (!inside)
                throw std::logic_error(std::string(operation) + " changed body index " + std::to_string(i)
                                       + ", outside what it names");
        }
    }
}

// Writes the image file straight from its header and body, without
// composing the whole file in memory first.
void writeImageFile(const std::string& path, const rom::RomImage& image)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.header().data()), static_cast<std::streamsize>(image.header().size()));
    out.write(reinterpret_cast<const char*>(image.body().data()), static_cast<std::streamsize>(image.body().size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

void loadOneSubmap(const std::uint8_t* data, std::size_t size)
{
    Input input{data, size};
    rom::RomImage image = base();
    const bool night = (input.next() & 1) != 0;
    const int frame = input.next();
    const int animation = input.next() % layout::kAnimationCount;
    const rom::AreaId id = damage(input, image, true);
    try {
        (void)session::readLoadedArea(image, id, night);
    } catch (const RomError&) {
    }
    try {
        sprites::FrameBuilder builder;
        (void)builder.buildFrameOam(image, sprites::getFramePointer(image, frame));
    } catch (const RomError&) {
    }
    try {
        (void)sprites::loadAnimation(image, animation);
    } catch (const RomError&) {
    }
}

void writeAndCheck(const std::uint8_t* data, std::size_t size)
{
    Input input{data, size};
    const int operation = input.next() % 8;
    const std::uint8_t a = input.next(), b = input.next(), c = input.next();
    // Buffers kept from input to input: a fresh 256 KB buffer is a fresh
    // mapping under the sanitizer, and the page faults were a third of the time.
    static rom::RomImage image;
    image = base();
    const rom::AreaId id = damage(input, image, false);

    // The document opens the damaged image from a file, as the editor does;
    // one folder serves the whole run.
    static const test::TempDir dir;
    const std::string path = dir.file("game.nes");
    // A plain write: the program's save waits for the disk, which cost more
    // than the operation under test.
    writeImageFile(path, image);
    session::Document document;
    document.sideData().charTable = test::defaultTextTable();
    if (document.open(path) != rom::OpenResult::Loaded)
        return;
    try {
        document.loadArea(id, false);
    } catch (const RomError&) {
        if (operation < 5)
            return; // these need a loaded submap
    }
    static std::vector<std::uint8_t> before;
    before = document.rom().body();
    Ranges ranges;
    const char* name = "";
    try {
        const session::LoadedArea* area = document.area();
        switch (operation) {
        case 0: {
            name = "paint";
            const int x = a * area->mapWidth() / 256, y = b * area->mapHeight() / 256;
            const rom::AreaMap& map = area->map;
            if (map.screensWide > 0 && map.screensHigh > 0) {
                const std::uint16_t screen = map.screenTable[static_cast<std::size_t>(
                    (y / 224) * map.screensWide + x / 256)];
                addRange(ranges, rom::cpuToBody(screen, rom::DataKind::AreaData), layout::kScreenBytes);
            }
            document.paintCell(x, y, c);
            // Then a fill and a stamp from the same cell: anywhere in the
            // map's screens, and nothing at all when refused.
            const auto cell = session::cellAtPixel(map, x, y);
            if (!cell)
                break;
            name = "fill and stamp";
            ranges = areaRanges(document.rom(), *area);
            for (int step = 0; step < 2; ++step) {
                static std::vector<std::uint8_t> unrefused;
                unrefused = document.rom().body();
                try {
                    if (step == 0)
                        document.fillCells(*cell, c);
                    else
                        document.stampBlock({cell->column - 1, cell->row}, session::solidBlock(3, 2, c), "Stamp");
                } catch (const RomError&) {
                    checkInside(unrefused, document.rom(), {}, step == 0 ? "a refused fill" : "a refused stamp");
                }
            }
            break;
        }
        case 1: {
            name = "set-pointer";
            const std::size_t header = rom::cpuToBody(area->pointers.mapPointer, rom::DataKind::AreaData);
            addRange(ranges, header + layout::kMapHeaderSize,
                     2 * std::size_t{area->map.screensWide} * area->map.screensHigh);
            document.setScreenPointerAt(a * area->mapWidth() / 256, b * area->mapHeight() / 256,
                                        static_cast<std::uint16_t>(0x8000 | (c << 6)));
            break;
        }
        case 2:
            name = "erase-map";
            ranges = areaRanges(document.rom(), *area);
            document.eraseMap();
            break;
        case 3:
            name = "set-actor-type";
            ranges = areaRanges(document.rom(), *area);
            document.setActorType(a % std::max<std::size_t>(1, area->actors.size()), b);
            break;
        case 4:
            name = "turn-stair";
            ranges = areaRanges(document.rom(), *area);
            document.turnStair(a % std::max<std::size_t>(1, area->stairs.size()));
            break;
        case 5: {
            name = "set-text";
            text::Texts texts = document.decodeTexts();
            texts[a % texts.size()] = std::string(b % 40, static_cast<char>('A' + c % 26));
            addRange(ranges, layout::kTextPointerTable, 2 * layout::kTextCount);
            addRange(ranges, document.textBlock().start(), document.textBlock().capacity());
            document.commitTexts(texts);
            break;
        }
        case 6: {
            name = "set-sprite";
            const int set = a % layout::kObjectSetCount;
            addRange(ranges, rom::sprChrBase(document.rom(), set), layout::kChrBankSize);
            document.writeSpriteTiles(set, std::vector<std::uint8_t>(256 * 64, static_cast<std::uint8_t>(b & 3)));
            break;
        }
        default: {
            name = "patch";
            // A patch writing three bytes at a place chosen by the input.
            std::vector<std::uint8_t> file = patch::imageFileBytes(document.rom());
            std::vector<std::uint8_t> edited = file;
            const std::size_t at = 16 + (std::size_t{a} << 10 | std::size_t{b} << 2) % document.rom().size();
            for (std::size_t i = at; i < std::min(at + 3, edited.size()); ++i)
                edited[i] ^= c | 1;
            addRange(ranges, at - 16, 3);
            document.applyPatch(patch::makeIps(file, edited));
            break;
        }
        }
    } catch (const RomError&) {
        // A refused operation writes nothing at all.
        ranges.clear();
    }
    checkInside(before, document.rom(), ranges, name);
}

} // namespace quarry::fuzz
