#pragma once

#include <algorithm>

namespace quarry::ui::zoom {

// The map view magnifies by whole factors, so every map pixel is a square
// of view pixels and the mapping between the two stays exact.
inline constexpr int kMinimum = 1;
inline constexpr int kMaximum = 4;

inline int clamp(int factor)
{
    return std::clamp(factor, kMinimum, kMaximum);
}

// Floor division: a view position left of or above the map (while a button
// is held) maps to a negative map pixel like its neighbours.
inline int toMap(int viewPosition, int scroll, int factor)
{
    const int v = viewPosition + scroll;
    return v >= 0 ? v / factor : -((-v + factor - 1) / factor);
}

// Scroll values count view pixels: the range ends where the map's far edge
// meets the viewport's, so at 1x in the 512 x 448 view a map of W screens
// scrolls to (W - 2) x 256.
inline int scrollMaximum(int mapSize, int factor, int visible)
{
    return std::max(0, mapSize * factor - visible);
}

// The scroll value that keeps map coordinate `mapPosition` (in map pixels,
// possibly fractional) under view position `anchor` at `factor`.
inline int scrollKeeping(double mapPosition, int anchor, int factor)
{
    return static_cast<int>(mapPosition * factor) - anchor;
}

} // namespace quarry::ui::zoom
