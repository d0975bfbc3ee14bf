#pragma once

#include "core/sprites/FrameOam.h"

#include <optional>
#include <string>
#include <string_view>

namespace quarry::sprites {

// A sprite attribute list as the sprite editor shows it: 16 lines of 32
// upper-case hex digits (bytes 16r to 16r + 15 of line r, no separators),
// joined by CR LF with none after the last line.
std::string oamText(const OamList& list);

// The frame number a "Start:" text names, read as hexadecimal the way the
// editor's "Goto" reads it: spaces around it are ignored, the hex digits at
// its start count and the first other character ends the number; no digits
// at all read as 0. Nothing when the value is above 255, which no frame has.
std::optional<int> parseFrameNumber(std::string_view text);

} // namespace quarry::sprites
