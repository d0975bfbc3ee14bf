#include "core/world/Ferryman.h"

#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"

namespace quarry::world {

FerrymanSettings readFerryman(const rom::RomImage& rom)
{
    return {rom.read(layout::kFerrymanItem), rom.read(layout::kFerrymanText), rom.read(layout::kFerrymanAltText)};
}

void writeFerryman(rom::RomImage& rom, const FerrymanSettings& settings)
{
    rom.write(layout::kFerrymanItem, settings.item);
    rom.write(layout::kFerrymanText, settings.text);
    rom.write(layout::kFerrymanAltText, settings.altText);
}

ControlKind controlKindOf(int value)
{
    switch (value) {
    case 1: return ControlKind::Text;
    case 2: return ControlKind::TextTable;
    case 3: return ControlKind::Health;
    case 4: return ControlKind::Ferryman;
    default: return ControlKind::None;
    }
}

int largestControl(ControlKind kind)
{
    if (kind == ControlKind::Text)
        return layout::kTextCount - 1;
    return kind == ControlKind::TextTable ? layout::kActorTextTableSize - 1 : 0xFF;
}

std::optional<int> actorTextNumber(const rom::RomImage& rom, ControlKind kind, std::uint8_t control, int area,
                                   int submap)
{
    switch (kind) {
    case ControlKind::Text: return control;
    case ControlKind::TextTable:
        if (control >= layout::kActorTextTableSize)
            return std::nullopt;
        return rom.read(layout::kActorTextTable + control);
    case ControlKind::Ferryman:
        return rom.read(area == layout::kFerrymanAltArea && submap % 2 == 1 ? layout::kFerrymanAltText
                                                                           : layout::kFerrymanText);
    default: return std::nullopt;
    }
}

} // namespace quarry::world
