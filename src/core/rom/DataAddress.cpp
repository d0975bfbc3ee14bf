#include "core/rom/DataAddress.h"

namespace quarry::rom {

std::size_t bodyIndexOf(std::uint32_t address, DataKind kind, const std::string& what)
{
    switch (kind) {
    case DataKind::SpriteFrames:
    case DataKind::Text:
        // These kinds have no invalid addresses.
        return cpuToBody(address, kind);
    default:
        return cpuToBody(address, bankOf(kind), what.c_str());
    }
}

} // namespace quarry::rom
