#include "core/rom/WritePlan.h"

#include "core/RomError.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <string>

namespace quarry::rom {

void WritePlan::add(std::size_t index, std::vector<std::uint8_t> bytes, const char* what)
{
    if (!rom_.contains(index, bytes.size()))
        throw RomError(std::string("cannot write ") + what + " at body index "
                       + fileOffsetText(static_cast<std::uint32_t>(index)) + ": it lies outside the image");
    writes_.push_back({index, std::move(bytes)});
}

void WritePlan::addByte(std::size_t index, std::uint8_t value, const char* what)
{
    add(index, std::vector<std::uint8_t>{value}, what);
}

void WritePlan::apply(RomImage& rom) const
{
    for (const Write& write : writes_)
        rom.writeBytes(write.index, write.bytes);
}

} // namespace quarry::rom
