// Texts, sprite frames and tiles.
#include "BenchImage.h"

#include "core/gfx/Chr.h"
#include "core/rom/Addressing.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/text/TextBlock.h"

#include <benchmark/benchmark.h>

namespace quarry::bench {
namespace {

// A commit of all 121 strings, as the text editor runs on every change.
// Budget: 50 microseconds.
void TextCommit(benchmark::State& state)
{
    rom::RomImage image = benchImage().image;
    const rom::CharTable& table = benchImage().charTable;
    const text::TextBlock block = text::TextBlock::measure(image);
    const text::Texts texts = text::decodeTexts(image, table);
    for (auto _ : state) {
        text::commitTexts(image, block, texts, table);
        benchmark::ClobberMemory();
    }
    const std::size_t bytes = text::blockSize(texts, table) + 2 * texts.size();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["strings"] = static_cast<double>(texts.size());
}
BENCHMARK(TextCommit)->Unit(benchmark::kMicrosecond);
void TextCommit_memcpy(benchmark::State& state)
{
    const text::Texts texts = text::decodeTexts(benchImage().image, benchImage().charTable);
    runMemcpyFloor(state, text::blockSize(texts, benchImage().charTable) + 2 * texts.size());
}
BENCHMARK(TextCommit_memcpy)->Unit(benchmark::kMicrosecond);

// The sprite attribute lists of all 256 frames, built one after the other.
void BuildFrameOamAll(benchmark::State& state)
{
    const rom::RomImage& image = benchImage().image;
    std::vector<std::uint16_t> pointers;
    for (int f = 0; f < 256; ++f)
        pointers.push_back(sprites::getFramePointer(image, f));
    sprites::FrameBuilder builder;
    for (auto _ : state)
        for (std::uint16_t pointer : pointers)
            benchmark::DoNotOptimize(builder.buildFrameOam(image, pointer));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 256 * sizeof(sprites::OamList)));
}
BENCHMARK(BuildFrameOamAll)->Unit(benchmark::kMicrosecond);
void BuildFrameOamAll_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, 256 * sizeof(sprites::OamList));
}
BENCHMARK(BuildFrameOamAll_memcpy)->Unit(benchmark::kMicrosecond);

// A whole CHR bank of 256 tiles: 4096 bytes in CHR form, 16384 decoded.
constexpr std::size_t kDecodedBank = gfx::kPatternTableTiles * gfx::kPixelsPerTile;

void DecodeBank(benchmark::State& state)
{
    const rom::RomImage& image = benchImage().image;
    const std::size_t start = rom::bgChrBase(image, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(gfx::decodeTiles(image, start, gfx::kPatternTableTiles));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDecodedBank));
}
BENCHMARK(DecodeBank)->Unit(benchmark::kMicrosecond);

void EncodeBank(benchmark::State& state)
{
    rom::RomImage image = benchImage().image;
    const std::size_t start = rom::bgChrBase(image, 0);
    const gfx::TilePixels tiles = gfx::decodeTiles(image, start, gfx::kPatternTableTiles);
    for (auto _ : state) {
        gfx::encodeTiles(tiles, gfx::kPatternTableTiles, image, start);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDecodedBank));
}
BENCHMARK(EncodeBank)->Unit(benchmark::kMicrosecond);
void Bank_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, kDecodedBank);
}
BENCHMARK(Bank_memcpy)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quarry::bench
