#include "core/gfx/Solidity.h"

namespace quarry::gfx {

Solidity solidityOf(std::uint8_t metatile, const rom::SolidityThresholds& thresholds)
{
    if (metatile < thresholds[0])
        return Solidity::NonSolid;
    if (metatile < thresholds[1])
        return Solidity::Event;
    if (metatile < thresholds[2])
        return Solidity::Solid;
    return Solidity::Breakable;
}

const char* solidityName(Solidity range)
{
    switch (range) {
    case Solidity::NonSolid:
        return "non-solid";
    case Solidity::Event:
        return "non-solid (event)";
    case Solidity::Solid:
        return "solid";
    case Solidity::Breakable:
        break;
    }
    return "solid (breakable)";
}

} // namespace quarry::gfx
