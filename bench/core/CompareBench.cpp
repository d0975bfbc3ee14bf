// Comparing and merging whole images, as quarry-cli diff and merge run them:
// the image map of the original is built each time.
#include "BenchImage.h"

#include "core/compare/ImageDiff.h"
#include "core/compare/ImageMerge.h"
#include "core/rom/GameLayout.h"

#include <benchmark/benchmark.h>

namespace quarry::bench {
namespace {

// Every `step`-th byte of the body changed, starting at `first`: edits in
// every part at once, far more than any hack makes.
rom::RomImage scattered(const rom::RomImage& image, std::size_t first, std::size_t step)
{
    std::vector<std::uint8_t> body = image.body();
    for (std::size_t i = first; i < body.size(); i += step)
        body[i] ^= 0x11;
    return rom::RomImage(image.header(), std::move(body));
}

void ImageMapBuild(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(compare::ImageMap::build(benchImage().image));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * benchImage().image.size()));
}
BENCHMARK(ImageMapBuild)->Unit(benchmark::kMillisecond);

// Budget: 20 ms.
void DiffImages(benchmark::State& state)
{
    const rom::RomImage& original = benchImage().image;
    const rom::RomImage edited = scattered(original, 0, 97);
    for (auto _ : state) {
        const compare::ImageMap map = compare::ImageMap::build(original);
        benchmark::DoNotOptimize(compare::diffImages(map, original, edited, benchImage().charTable));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 2 * original.size()));
}
BENCHMARK(DiffImages)->Unit(benchmark::kMillisecond);

// Budget: 50 ms. Disjoint bytes on each side, so every part merges field by
// field and nothing stops early at a conflict.
void MergeImages(benchmark::State& state)
{
    const rom::RomImage& original = benchImage().image;
    const rom::RomImage mine = scattered(original, 0, 97);
    const rom::RomImage theirs = scattered(original, 41, 97);
    for (auto _ : state) {
        const compare::ImageMap map = compare::ImageMap::build(original);
        const auto merge = compare::ImageMerge::plan(map, original, mine, theirs, benchImage().charTable);
        benchmark::DoNotOptimize(merge.result({}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 3 * original.size()));
}
BENCHMARK(MergeImages)->Unit(benchmark::kMillisecond);
void MergeImages_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, 3 * benchImage().image.size());
}
BENCHMARK(MergeImages_memcpy)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quarry::bench
