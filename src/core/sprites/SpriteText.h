#pragma once

#include "core/sprites/FrameOam.h"

#include <cstdint>
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

// A stored horizontal offset as the screen sees it: X is (dx + 48) AND $FF,
// so the offset from the reference column runs from -48 to 207 and one pixel
// left of dx 0 is dx 255 (-49 does not exist: it is 207).
int dxScreenOffset(std::uint8_t dx);
// Both forms side by side, as the sprite table shows them: "-6 ($FA)".
std::string dxText(std::uint8_t dx);
// Reads a typed horizontal offset: a screen offset (-48 to 207), "$" and the
// stored byte in hex, or both as dxText writes them. With both, the part
// that no longer says `current` is the one typed and wins; two new values
// that disagree are refused. Nothing when unreadable or out of range.
std::optional<std::uint8_t> parseDxText(std::string_view text, std::uint8_t current);

} // namespace quarry::sprites
