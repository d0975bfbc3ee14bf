#include "core/gfx/ChooserGeometry.h"

#include "core/gfx/Metatiles.h"

#include <algorithm>

namespace quarry::gfx {

int chooserMetatileAt(int x, int y)
{
    const int column = std::clamp(x, 0, kChooserWidth - 1) / layout::kMetatilePixels;
    const int row = std::clamp(y, 0, kChooserHeight - 1) / layout::kMetatilePixels;
    return row * kChooserColumns + column;
}

int chosenMetatileAt(int x, int y, std::uint8_t limit)
{
    return std::min(chooserMetatileAt(x, y), lastOfferedMetatile(limit));
}

} // namespace quarry::gfx
