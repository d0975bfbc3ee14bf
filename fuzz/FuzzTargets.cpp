#include "FuzzTargets.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Crc32.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"
#include "core/rom/Addressing.h"
#include "core/rom/AreaDirectory.h"
#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticText.h"
#include "support/SyntheticWorld.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::fuzz {

namespace {

// The bytes that choose what one input exercises, read in turn (zeros once
// they run out).
struct Choices {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t next() { return at < size ? data[at++] : 0; }
};

// What the editor reads when a user looks at a few things of the image: two
// submaps, four frames (two of them edited on a copy), two animations and,
// for one input in four, the texts. Walking the whole image for every input
// left the fuzzer a few inputs a second.
void exercise(const rom::RomImage& image, Choices choices)
{
    const std::vector<rom::AreaId>& submaps = world::catalogueSubmaps();
    for (int n = 0; n < 2; ++n) {
        const std::size_t index = (choices.next() | choices.next() << 8) % submaps.size();
        try {
            const session::LoadedArea area = session::readLoadedArea(image, submaps[index], (index & 1) != 0);
            (void)area;
        } catch (const RomError&) {
        }
    }
    sprites::FrameBuilder builder;
    rom::RomImage edited = image;
    for (int n = 0; n < 4; ++n) {
        const int frame = choices.next();
        try {
            (void)builder.buildFrameOam(image, sprites::getFramePointer(image, frame));
            if (n >= 2)
                continue;
            // The frame edits, on a copy: each is refused or stays inside the image.
            const sprites::FrameSprites read = sprites::readFrameSprites(edited, frame);
            const int last = static_cast<int>(read.sprites.size()) - 1;
            if (last < 0)
                continue;
            sprites::setFrameSprite(edited, frame, last, {.dy = -64, .dx = 255, .tile = 1});
            (void)sprites::setSharedAttribute(edited, frame, last, 0xC3);
            sprites::deleteFrameSprite(edited, frame, frame % (last + 1));
        } catch (const RomError&) {
        }
    }
    for (int n = 0; n < 2; ++n) {
        try {
            (void)sprites::loadAnimation(image, choices.next() % 64);
        } catch (const RomError&) {
        }
    }
    if (choices.next() % 4 != 0)
        return;
    rom::CharTable table;
    rom::applyDefaultCharTable(table);
    try {
        (void)text::decodeTexts(image, table);
        (void)text::TextBlock::measure(image);
    } catch (const RomError&) {
    }
}

// Body indexes worth changing in the synthetic image: the fixed tables and
// every place their pointers lead to, so fuzzed bytes reach deep code.
std::vector<std::size_t> interestingPlaces(const rom::RomImage& image)
{
    std::set<std::size_t> places = {layout::kPpuMaskByte, layout::kChrBankTable, layout::kTextPointerTable,
                                    layout::kTextBlockStart, layout::kPaletteSetTable};
    for (std::size_t i = 0; i < 0x80; i += 2)
        places.insert(0x1F7AB + i);
    places.insert(layout::kActorAreaTablePointers);
    for (const auto& table : layout::kMetatileTables)
        places.insert(table.limit);
    for (const rom::AreaId& id : world::catalogueSubmaps()) {
        for (bool night : {false, true}) {
            const rom::ResolvedArea resolved = rom::resolveArea(image, id, night);
            places.insert(rom::cpuToBody(resolved.palettePointer, rom::DataKind::AreaData));
        }
        const rom::ResolvedArea resolved = rom::resolveArea(image, id, false);
        const std::size_t map = rom::cpuToBody(resolved.mapPointer, rom::DataKind::AreaData);
        places.insert(map);
        places.insert(map + 2);
        places.insert(rom::cpuToBody(resolved.stairPointer, rom::DataKind::AreaData));
        places.insert(rom::cpuToBody(resolved.actorPointer, rom::DataKind::Actors));
        places.insert(rom::areaRecordIndex(image, id.objectSet, id.area));
    }
    return {places.begin(), places.end()};
}

const rom::RomImage& syntheticBase()
{
    static const rom::RomImage base = test::SyntheticWorld().rom.image();
    return base;
}

} // namespace

void openFileAndExercise(std::vector<std::uint8_t> file)
{
    std::array<std::uint8_t, 8> choosing{};
    if (file.size() >= rom::RomImage::kHeaderSize)
        std::copy_n(file.begin() + 8, choosing.size(), choosing.begin());
    rom::RomImage image;
    if (rom::openRomBytes(std::move(file), image) != rom::OpenResult::Loaded)
        return;
    // The header's last eight bytes, which the image's reading ignores, choose.
    exercise(image, Choices{choosing.data(), choosing.size()});
}

void openAndExercise(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::uint8_t> baseFile = patch::imageFileBytes(syntheticBase());
    Choices input{data, size};
    // Three bytes size the file: as the synthetic one, cut short, grown with
    // $FF, or a few bytes only (the opener's own refusals).
    const std::size_t amount = input.next() | input.next() << 8;
    std::size_t length = baseFile.size();
    switch (input.next() % 4) {
    case 1: length -= std::min(amount, length); break;
    case 2: length += amount; break;
    case 3: length = amount % 64; break;
    default: break;
    }
    std::vector<std::uint8_t> file(length, 0xFF);
    std::copy_n(baseFile.begin(), std::min(length, baseFile.size()), file.begin());
    // Eight choosing bytes go into the header's last eight, then records of
    // four bytes write one byte each: a 24-bit place in the file and the byte.
    for (std::size_t i = 8; i < 16; ++i) {
        const std::uint8_t choice = input.next();
        if (i < file.size())
            file[i] = choice;
    }
    for (std::size_t i = input.at; !file.empty() && i + 4 <= size; i += 4)
        file[(data[i] | data[i + 1] << 8 | std::size_t{data[i + 2]} << 16) % file.size()] = data[i + 3];
    openFileAndExercise(std::move(file));
}

void patchAndExercise(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::size_t> places = interestingPlaces(syntheticBase());
    rom::RomImage image = syntheticBase();
    // Eight bytes choose what is exercised, then records of four bytes:
    // which place, how far past it, and two bytes.
    const Choices choices{data, std::min<std::size_t>(size, 8)};
    for (std::size_t i = 8; i + 4 <= size; i += 4) {
        const std::size_t place = places[data[i] % places.size()] + data[i + 1] % 64;
        if (image.contains(place, 2)) {
            image.write(place, data[i + 2]);
            image.write(place + 1, data[i + 3]);
        }
    }
    exercise(image, choices);
}

void parseSideData(const std::uint8_t* data, std::size_t size)
{
    // The input holds the files one after another, split at each $00 byte.
    static const char* const kNames[] = {"TBL.DAT", "PARTS.DAT", "WEAPON.DAT", "obj/obj00.TXT", "obj/obj7F.TXT",
                                         "obj/objFF.TXT"};
    // One folder for the whole run: making one per input cost more than the parsing.
    static const test::TempDir dir;
    static const bool made = std::filesystem::create_directories(dir.file("obj"));
    (void)made;
    std::size_t start = 0;
    for (const char* name : kNames) {
        std::filesystem::remove(dir.file(name));
        if (start > size)
            continue;
        const auto* end = std::find(data + start, data + size, std::uint8_t{0});
        std::ofstream(dir.file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(data + start), end - (data + start));
        start = static_cast<std::size_t>(end - data) + 1;
    }
    rom::SideData side;
    rom::loadCharTable(dir.path(), side.charTable);
    rom::loadNameLists(dir.path(), side.partNames, side.weaponNames);
    side.actorTypes = rom::loadActorTypes(dir.path());
}

void encodeAndCommitTexts(const std::uint8_t* data, std::size_t size)
{
    static const test::SyntheticRom base = [] {
        test::SyntheticRom rom;
        test::putSampleTexts(rom);
        return rom;
    }();
    static const rom::CharTable table = test::defaultTextTable();
    static const text::Texts baseTexts = text::decodeTexts(base.image(), table);
    rom::RomImage image = base.image();
    text::Texts texts = baseTexts;
    // The input replaces strings: each $0A starts the next string.
    std::size_t n = 0, start = 0;
    for (std::size_t i = 0; i <= size && n < texts.size(); ++i) {
        if (i == size || data[i] == '\n') {
            texts[n++] = std::string(reinterpret_cast<const char*>(data + start), i - start);
            start = i + 1;
        }
    }
    try {
        const text::TextBlock block = text::TextBlock::measure(image);
        text::commitTexts(image, block, texts, table);
    } catch (const RomError&) {
        return;
    }
    // What was committed reads back as text that encodes to the same bytes.
    const text::Texts reread = text::decodeTexts(image, table);
    const text::TextEncoder encoder(table);
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (encoder.encode(reread[i]) != encoder.encode(texts[i]))
            throw std::logic_error("a committed text did not read back the same");
}

const std::vector<std::uint8_t>& patchTargetFile()
{
    static const std::vector<std::uint8_t> file = [] {
        std::vector<std::uint8_t> bytes(512);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i < 256 ? i : i / 64);
        return bytes;
    }();
    return file;
}

void readIps(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t>& file = patchTargetFile();
    const std::span<const std::uint8_t> input(data, size);
    try {
        if (patch::applyIps(file, input).size() != file.size())
            throw std::logic_error("an IPS patch resized the file");
    } catch (const RomError&) {
    }
    try {
        (void)patch::applyBps(file, input);
    } catch (const RomError&) {
    }
    if (size >= 19) {
        // The same patch made for our file and with its own checksum fixed.
        std::vector<std::uint8_t> fixed(data, data + size);
        const auto put32 = [&fixed](std::size_t at, std::uint32_t value) {
            for (int i = 0; i < 4; ++i)
                fixed[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        };
        put32(size - 12, patch::crc32(file));
        put32(size - 4, patch::crc32(std::span<const std::uint8_t>(fixed).first(size - 4)));
        try {
            (void)patch::applyBps(file, fixed);
        } catch (const RomError&) {
        }
    }
    // The input as an edit of the file: both makers must capture it exactly.
    std::vector<std::uint8_t> edited = file;
    std::copy_n(data, std::min(size, edited.size()), edited.begin());
    if (patch::applyIps(file, patch::makeIps(file, edited)) != edited
        || patch::applyBps(file, patch::makeBps(file, edited)) != edited)
        throw std::logic_error("a patch did not reproduce the edited file");
}

} // namespace quarry::fuzz
