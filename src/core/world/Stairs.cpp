#include "core/world/Stairs.h"

#include "core/RomError.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/rom/WritePlan.h"

#include <string>

namespace quarry::world {

namespace {

std::size_t listIndex(std::uint16_t stairPointer)
{
    return rom::bodyIndexOf(stairPointer, rom::DataKind::AreaData, "the stair list");
}

} // namespace

StairRecord decodeStair(std::uint8_t byte0, std::uint8_t byte1)
{
    return {static_cast<std::uint8_t>(byte0 & 0x7F), static_cast<std::uint8_t>(byte1 & 0x7F),
            static_cast<std::uint8_t>(byte0 >> 7), static_cast<std::uint8_t>(byte1 >> 7)};
}

void encodeStair(const StairRecord& stair, std::uint8_t& byte0, std::uint8_t& byte1)
{
    byte0 = static_cast<std::uint8_t>(((stair.upDown & 1) << 7) | (stair.x & 0x7F));
    byte1 = static_cast<std::uint8_t>(((stair.leftRight & 1) << 7) | (stair.y & 0x7F));
}

std::vector<StairRecord> readStairList(const rom::RomImage& rom, std::uint16_t stairPointer)
{
    const std::size_t base = listIndex(stairPointer);
    std::vector<StairRecord> stairs;
    for (std::size_t offset = 0; offset < layout::kListScanBytes; offset += layout::kStairRecordSize) {
        const auto bytes = rom.bytes(base + offset, layout::kStairRecordSize);
        if (bytes[0] == layout::kListTerminator || bytes[1] == layout::kListTerminator)
            break;
        stairs.push_back(decodeStair(bytes[0], bytes[1]));
    }
    return stairs;
}

void planStairListWrite(rom::WritePlan& plan, std::uint16_t stairPointer, std::span<const StairRecord> stairs)
{
    if (stairs.empty())
        return;
    if (stairs.size() > layout::kMaxStairs)
        throw RomError("a stair list holds at most " + std::to_string(layout::kMaxStairs) + " stairs, not "
                       + std::to_string(stairs.size()));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < stairs.size(); ++i) {
        std::uint8_t byte0 = 0;
        std::uint8_t byte1 = 0;
        encodeStair(stairs[i], byte0, byte1);
        if (byte0 == layout::kListTerminator || byte1 == layout::kListTerminator)
            throw RomError("stair " + std::to_string(i) + " cannot be stored at that position and direction: "
                           "the game would take it for the end of the list");
        bytes.insert(bytes.end(), {byte0, byte1});
    }
    if (bytes.size() < layout::kListScanBytes)
        bytes.push_back(layout::kListTerminator);
    plan.add(listIndex(stairPointer), std::move(bytes), "the stair list");
}

void writeStairList(rom::RomImage& rom, std::uint16_t stairPointer, std::span<const StairRecord> stairs)
{
    rom::WritePlan plan(rom);
    planStairListWrite(plan, stairPointer, stairs);
    plan.apply(rom);
}

} // namespace quarry::world
