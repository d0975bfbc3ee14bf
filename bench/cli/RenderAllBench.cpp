// quarry-cli render-all as a user runs it: a fresh process writing the
// 186 map pictures (every catalogue submap, day and night) of an image into
// an empty folder. Wall time, as the user waits for it.
#include "core/rom/RomImage.h"
#include "core/demo/DemoImage.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

void renderAll(benchmark::State& state, const quarry::rom::RomImage& image)
{
    quarry::test::TempDir dir;
    const std::string rom = dir.file("game.nes");
    quarry::rom::saveRomImageAs(rom, image);
    int run = 0;
    for (auto _ : state) {
        const std::string out = dir.file("maps" + std::to_string(run++));
        const std::string command = std::string("'") + QUARRY_CLI_PATH + "' render-all '" + rom + "' -o '" + out
                                    + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("render-all failed");
        state.PauseTiming();
        std::filesystem::remove_all(out);
        state.ResumeTiming();
    }
    state.counters["pictures"] = benchmark::Counter(186.0 * static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void RenderAllDemo(benchmark::State& state)
{
    renderAll(state, quarry::demo::buildDemoImage());
}

void RenderAllSynthetic(benchmark::State& state)
{
    renderAll(state, quarry::test::SyntheticWorld().rom.image());
}

BENCHMARK(RenderAllDemo)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(RenderAllSynthetic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
