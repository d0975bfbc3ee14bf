// What a call from a script costs over the document operation it wraps:
// quarry.cell against metatileAt, quarry.set_cell against paintCell, on the
// largest map. The difference per call is the binding's cost.
#include "BenchImage.h"

#include "core/session/Document.h"
#include "core/session/MapBlocks.h"
#include "script/ScriptRun.h"
#include "support/SyntheticRom.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kCalls = 20000;

class NoHost : public quarry::script::ScriptHost {
public:
    std::vector<std::uint8_t> encodePng(const quarry::gfx::Canvas&) override { return {}; }
    quarry::script::PictureSize actorPictureSize(int) override { return {16, 32}; }
    quarry::script::PictureSize stairPictureSize(int, int) override { return {16, 16}; }
};

struct LargeDocument {
    quarry::test::TempDir dir;
    quarry::session::Document document;
    LargeDocument()
    {
        const std::string path = dir.file("large.nes");
        quarry::rom::saveRomImageAs(path, quarry::bench::benchImage().image);
        document.open(path);
        document.loadArea(quarry::bench::benchImage().large.id, false);
    }
};

void runCalls(benchmark::State& state, const std::string& body)
{
    LargeDocument large;
    NoHost host;
    const std::string source = "local n = 0\nfor i = 0, " + std::to_string(kCalls - 1) + " do\n" + body + "\nend";
    quarry::script::RunOptions options;
    options.chunkName = "bench.lua";
    options.commit = [](const quarry::session::Document&, bool) {};
    for (auto _ : state) {
        const auto result = quarry::script::runScript(large.document, host, source, options);
        if (!result.ok)
            state.SkipWithError(result.error.c_str());
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
}

void ScriptCell(benchmark::State& state)
{
    runCalls(state, "n = n + quarry.cell(i % 312, (i // 312) % 105)");
}

void DirectCell(benchmark::State& state)
{
    LargeDocument large;
    const quarry::rom::AreaMap& map = large.document.area()->map;
    for (auto _ : state) {
        int n = 0;
        for (int i = 0; i < kCalls; ++i)
            n += quarry::session::metatileAt(map, {i % 312, (i / 312) % 105});
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
}

void ScriptSetCell(benchmark::State& state)
{
    runCalls(state, "quarry.set_cell(i % 312, (i // 312) % 105, 0)");
}

void DirectSetCell(benchmark::State& state)
{
    LargeDocument large;
    quarry::session::Document& document = large.document;
    for (auto _ : state) {
        {
            quarry::session::Document::EditScope step(document, "bench", 0);
            for (int i = 0; i < kCalls; ++i)
                document.paintCell((i % 312) * 32, ((i / 312) % 105) * 32, 0);
        }
    }
    state.SetItemsProcessed(state.iterations() * kCalls);
}

BENCHMARK(ScriptCell)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectCell)->Unit(benchmark::kMillisecond);
BENCHMARK(ScriptSetCell)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectSetCell)->Unit(benchmark::kMillisecond);

} // namespace
