#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The fuzz targets' bodies, shared by the libFuzzer programs and the tests
// that replay their corpora and the inputs that once broke them. Each ends in
// a result or a RomError (which it swallows); anything else escapes.
namespace quarry::fuzz {

// An image file opened and read as the editor reads it: two submaps, four
// frames (two edited on a copy), two animations and sometimes the texts,
// chosen by the header's last eight bytes.
void openFileAndExercise(std::vector<std::uint8_t> file);
// The same for the synthetic image's file resized and damaged by the input:
// three sizing bytes, eight choosing bytes, then (place, byte) records.
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

} // namespace quarry::fuzz
