#pragma once

#include <cstddef>
#include <cstdint>

// Fuzz targets that work on one submap per input, so they run fast enough
// to go deep. Shared by the libFuzzer programs and the test that replays a
// few fixed inputs through them. Each ends in a result or a RomError (which
// it swallows); anything else escapes.
namespace quarry::fuzz {

// Damages the tables one submap's load reads (chosen by the input) and
// loads it, with one sprite frame and one animation.
void loadOneSubmap(const std::uint8_t* data, std::size_t size);

// Damages an image the same way, then runs one writing operation chosen by
// the input (paint, screen pointer, erase, actor and stair commits, texts,
// sprite tiles, palette, a patch) and checks that every byte that changed
// lies inside the structure the operation names. Throws std::logic_error
// when one does not.
void writeAndCheck(const std::uint8_t* data, std::size_t size);

} // namespace quarry::fuzz
