#pragma once

#include "core/rom/DataFiles.h"
#include "support/SyntheticRom.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarry::test {

// Text fixtures for synthetic images. Everything here writes only into the
// text pointer table and bank 3, where the game keeps its strings.

// The character table the program falls back on without TBL.DAT: space at
// $00, A-Z at $01-$1A, ". ' ," at $1B, $1C, $1E, 0-9 at $36-$3F, "!" at $40
// and "?" at $5D. Built here so text tests do not hang on the dat loader.
rom::CharTable defaultTextTable();

// Encodes `text` with the default table, independently of the codec under
// test: only the table's characters and "/" (line break) are accepted; any
// other character throws std::invalid_argument. No terminator is added.
std::vector<std::uint8_t> textBytes(const std::string& text);

// Points entry n of the text pointer table at a CPU address.
void putTextPointer(SyntheticRom& rom, int n, std::uint16_t cpuAddress);

// Writes raw bytes at a body index inside bank 3; throws std::out_of_range
// for anything that would leave it.
void putTextBytes(SyntheticRom& rom, std::size_t index, const std::vector<std::uint8_t>& bytes);

// Lays the strings out one after the other from CPU $8C74, each followed by
// $FF, and points entries 0-120 at them; entries past `strings` get empty
// strings. Returns the body index just past the last terminator.
std::size_t putTextBlock(SyntheticRom& rom, const std::vector<std::vector<std::uint8_t>>& strings);

// 121 distinct texts in the default table's characters, a few with line
// breaks and some empty.
std::vector<std::string> sampleTexts();

// putTextBlock with sampleTexts() encoded by textBytes.
std::size_t putSampleTexts(SyntheticRom& rom);

} // namespace quarry::test
