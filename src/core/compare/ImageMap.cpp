#include "core/compare/ImageMap.h"

#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/world/AreaCatalogue.h"

#include <algorithm>
#include <bit>

namespace quarry::compare {

const char* kindName(PartKind kind)
{
    switch (kind) {
    case PartKind::Directory: return "directory";
    case PartKind::MapHeader: return "screen pointers";
    case PartKind::Screen: return "screen";
    case PartKind::Actors: return "actors";
    case PartKind::Stairs: return "stairs";
    case PartKind::Doors: return "doors";
    case PartKind::Palette: return "palette";
    case PartKind::PpuMask: return "ppu mask";
    case PartKind::Tiles: return "tile";
    case PartKind::Metatile: return "metatile";
    case PartKind::MetatileLimit: return "metatile limit";
    case PartKind::Thresholds: return "thresholds";
    case PartKind::Text: return "text";
    case PartKind::TextSpace: return "text space";
    case PartKind::FrameTable: return "frame";
    case PartKind::FramePointer: return "frame pointers";
    case PartKind::Animation: return "animation";
    case PartKind::Ferryman: return "ferryman";
    case PartKind::ActorTexts: return "actor texts";
    case PartKind::Other: return "other";
    }
    return "other";
}

std::uint32_t fieldValue(const Field& field, const std::vector<std::uint8_t>& body)
{
    std::uint32_t value = 0;
    for (int k = 0; k < field.count; ++k)
        value = (value << 8) | (body[field.bits[k].index] & field.bits[k].mask);
    return value;
}

namespace {

std::uint8_t piece(const Field& field, const std::vector<std::uint8_t>& body, int k)
{
    return body[field.bits[k].index] & field.bits[k].mask;
}

std::string hex2(std::uint32_t value)
{
    return "$" + hexDigits(value, 2);
}

} // namespace

std::string fieldText(const Field& field, const std::vector<std::uint8_t>& body)
{
    const std::uint8_t a = piece(field, body, 0);
    const std::uint8_t b = field.count > 1 ? piece(field, body, 1) : 0;
    switch (field.form) {
    case FieldForm::Byte:
        return hex2(a);
    case FieldForm::Word:
        return cpuAddressText(static_cast<std::uint32_t>(a | (b << 8)));
    case FieldForm::Position:
    case FieldForm::StairPosition:
        return "(" + hex2(a) + ", " + hex2(b) + ")";
    case FieldForm::StairDirection:
        return std::string(a ? "up/down 1" : "up/down 0") + (b ? ", left/right 1" : ", left/right 0");
    case FieldForm::Pixel:
        return "colour " + std::to_string((a ? 1 : 0) | (b ? 2 : 0));
    case FieldForm::Quarter:
        return "palette " + std::to_string(a >> std::countr_zero(field.bits[0].mask));
    case FieldForm::MaskSettings:
        return std::string("greyscale ") + ((a & layout::kPpuMaskGreyscaleBit) ? "on" : "off") + ", emphasis "
               + hex2(a & layout::kPpuMaskEmphasisBits);
    }
    return hex2(a);
}

ImageMap ImageMap::build(const rom::RomImage& rom)
{
    ImageMap map;
    map.owner_.assign(rom.size(), -1);
    mapDirectoryAndWorld(map, rom);
    mapGraphics(map, rom);
    mapTextsAndSprites(map, rom);
    return map;
}

int ImageMap::ownerOf(std::size_t index) const
{
    return index < owner_.size() ? owner_[index] : -1;
}

int ImageMap::addPart(Part part, const std::string& key)
{
    parts_.push_back(std::move(part));
    const int index = static_cast<int>(parts_.size()) - 1;
    if (!key.empty())
        keys_[key] = index;
    return index;
}

int ImageMap::findKey(const std::string& key) const
{
    const auto found = keys_.find(key);
    return found == keys_.end() ? -1 : found->second;
}

std::size_t ImageMap::claim(int part, std::size_t start, std::size_t size)
{
    std::vector<Span>& spans = parts_[static_cast<std::size_t>(part)].spans;
    std::size_t claimed = 0;
    const std::size_t end = std::min(start + size, owner_.size());
    for (std::size_t i = start; i < end; ++i) {
        if (owner_[i] != -1)
            continue;
        owner_[i] = part;
        ++claimed;
        if (!spans.empty() && spans.back().start + spans.back().size == i)
            ++spans.back().size;
        else
            spans.push_back({static_cast<std::uint32_t>(i), 1});
    }
    return claimed;
}

std::vector<Field> ImageMap::fieldsOf(const Part& part) const
{
    std::vector<Field> fields;
    if (part.kind == PartKind::Screen) {
        for (int cell = 0; cell < static_cast<int>(layout::kScreenBytes); ++cell) {
            const std::uint32_t at = part.origin + static_cast<std::uint32_t>(cell);
            if (at >= owner_.size())
                break;
            Field field;
            field.name = "cell (row " + std::to_string(cell / layout::kScreenColumns) + ", column "
                         + std::to_string(cell % layout::kScreenColumns) + ")";
            field.bits[0] = {at, 0xFF};
            fields.push_back(std::move(field));
        }
    } else if (part.kind == PartKind::Tiles) {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                Field field;
                field.name = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                const auto bit = static_cast<std::uint8_t>(0x80 >> x);
                field.bits[0] = {part.origin + static_cast<std::uint32_t>(y), bit};
                field.bits[1] = {part.origin + 8 + static_cast<std::uint32_t>(y), bit};
                field.count = 2;
                field.form = FieldForm::Pixel;
                fields.push_back(std::move(field));
            }
        }
    } else {
        fields = part.fields;
    }
    return fields;
}

std::string ImageMap::otherName(std::size_t start, std::size_t end)
{
    const std::string range = (end - start > 1) ? "-" : "";
    if (start >= layout::kChrBase)
        return "other bytes, CHR " + fileOffsetText(static_cast<std::uint32_t>(start))
               + (range.empty() ? "" : range + fileOffsetText(static_cast<std::uint32_t>(end - 1)));
    const std::size_t bank = start / layout::kPrgBankSize;
    const std::uint32_t base = bank == layout::kPrgBankCount - 1 ? 0xC000 : 0x8000;
    const auto cpu = [&](std::size_t index) {
        return cpuAddressText(base + static_cast<std::uint32_t>(index - bank * layout::kPrgBankSize));
    };
    const std::size_t last = std::min(end - 1, (bank + 1) * layout::kPrgBankSize - 1);
    return "other bytes, bank " + std::to_string(bank) + " " + cpu(start) + (range.empty() ? "" : range + cpu(last));
}

const Part* ImageMap::screenAt(std::size_t start) const
{
    const int owner = ownerOf(start);
    if (owner < 0 || parts_[static_cast<std::size_t>(owner)].kind != PartKind::Screen)
        return nullptr;
    return &parts_[static_cast<std::size_t>(owner)];
}

std::string placeName(const rom::AreaId& id)
{
    for (const world::ObjectSetNode& set : world::areaCatalogue()) {
        if (set.objectSet != id.objectSet)
            continue;
        for (const world::AreaNode& area : set.areas) {
            if (area.area != id.area)
                continue;
            for (const world::SubmapNode& submap : area.submaps)
                if (submap.id == id)
                    return set.caption + " / " + area.caption + " / " + submap.caption;
        }
    }
    return "object set " + std::to_string(id.objectSet) + " / area " + std::to_string(id.area) + " / submap "
           + std::to_string(id.submap);
}

} // namespace quarry::compare
