#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The fuzz targets' bodies, shared by the libFuzzer programs and the tests
// that replay their corpora and the inputs that once broke them. Each ends in
// a result or a RomError (which it swallows); anything else escapes.
namespace quarry::fuzz {

// Any bytes as a whole image file: open, load every submap day and night,
// draw chooser and map, read doors and texts.
void openAndExercise(const std::uint8_t* data, std::size_t size);
// A valid synthetic image with bytes written at places its tables point to.
void patchAndExercise(const std::uint8_t* data, std::size_t size);
// The side-data file parsers on files made of the input.
void parseSideData(const std::uint8_t* data, std::size_t size);
// Arbitrary strings through the text encoder and the text commit.
void encodeAndCommitTexts(const std::uint8_t* data, std::size_t size);
// The input as an IPS and as a BPS patch applied to a small fixed file (the
// BPS once as it is and once with its checksums made to match, so the
// fuzzer reaches the actions), and as an edit of that file through both
// patch makers, whose patches must reproduce it.
void readIps(const std::uint8_t* data, std::size_t size);
// The small fixed file readIps applies patches to, for making seeds.
const std::vector<std::uint8_t>& patchTargetFile();

// A corpus input kept as the IPS patch that makes it from the corpus's
// synthetic-world.nes (whole images would make the corpus megabytes).
inline constexpr const char* kPackedSuffix = ".diff.ips";
inline constexpr const char* kPackBase = "synthetic-world.nes";

} // namespace quarry::fuzz
