// The area side: resolving and reading a submap, the chooser, the map
// picture, the whole load-and-draw and the area commit.
#include "BenchImage.h"

#include "core/gfx/BackgroundRenderer.h"
#include "core/gfx/Chr.h"
#include "core/rom/AreaMap.h"
#include "core/session/LoadedArea.h"
#include "core/world/Actors.h"
#include "core/world/AreaCatalogue.h"
#include "core/world/AreaCommit.h"
#include "core/world/Stairs.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace quarry::bench {
namespace {

const rom::AreaId& largest() { return benchImage().large.id; }

std::size_t mapPixels(const session::LoadedArea& area)
{
    return static_cast<std::size_t>(area.mapWidth()) * static_cast<std::size_t>(area.mapHeight());
}

// A load and draw as a click runs it: resolve, read everything, draw the
// chooser, and compose the part of the map the view shows first (its
// viewport at the top-left corner; the rest is composed only when scrolled
// to).
constexpr int kFirstViewWidth = 512;
constexpr int kFirstViewHeight = 448;
constexpr std::size_t kChooserPixels = gfx::kChooserWidth * gfx::kChooserHeight;

std::size_t drawnPixels(const session::LoadedArea& area)
{
    return kChooserPixels + static_cast<std::size_t>(std::min(area.mapWidth(), kFirstViewWidth))
                                * static_cast<std::size_t>(std::min(area.mapHeight(), kFirstViewHeight));
}

session::LoadedArea loadAndDraw(const rom::AreaId& id, bool night)
{
    session::LoadedArea area = session::readLoadedArea(benchImage().image, id, night);
    gfx::Canvas view = area.mapRegion(0, 0, std::min(area.mapWidth(), kFirstViewWidth),
                                      std::min(area.mapHeight(), kFirstViewHeight));
    benchmark::DoNotOptimize(view.data());
    return area;
}

void setPixels(benchmark::State& state, std::size_t pixels)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pixels * 4));
    state.counters["pixels"] = benchmark::Counter(static_cast<double>(state.iterations() * pixels),
                                                  benchmark::Counter::kIsRate);
}

// resolveArea and the reads of a load, without drawing: map, stairs, actors.
void ResolveAndRead(benchmark::State& state)
{
    const rom::RomImage& image = benchImage().image;
    std::size_t cells = 0;
    for (auto _ : state) {
        const rom::ResolvedArea pointers = rom::resolveArea(image, largest(), false);
        const rom::AreaMap map = rom::decodeAreaMap(image, pointers.mapPointer);
        benchmark::DoNotOptimize(world::readStairList(image, pointers.stairPointer));
        benchmark::DoNotOptimize(world::readActorList(image, pointers.actorPointer));
        cells = map.mapGrid.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * cells));
}
BENCHMARK(ResolveAndRead)->Unit(benchmark::kMicrosecond);
void ResolveAndRead_memcpy(benchmark::State& state)
{
    const rom::ResolvedArea pointers = rom::resolveArea(benchImage().image, largest(), false);
    runMemcpyFloor(state, rom::decodeAreaMap(benchImage().image, pointers.mapPointer).mapGrid.size());
}
BENCHMARK(ResolveAndRead_memcpy)->Unit(benchmark::kMicrosecond);

session::LoadedArea loadedLargest()
{
    return session::readLoadedArea(benchImage().image, largest(), false);
}

void Chooser(benchmark::State& state)
{
    const session::LoadedArea area = loadedLargest();
    const rom::RomImage& image = benchImage().image;
    for (auto _ : state) {
        gfx::Canvas chooser = gfx::drawMetatilePicker(image, area.id.objectSet, area.backgroundTiles, area.palette,
                                                      gfx::nesColorTable(area.mask));
        benchmark::DoNotOptimize(chooser.data());
    }
    setPixels(state, gfx::kChooserWidth * gfx::kChooserHeight);
}
BENCHMARK(Chooser)->Unit(benchmark::kMicrosecond);
void Chooser_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, gfx::kChooserWidth * gfx::kChooserHeight * 4);
}
BENCHMARK(Chooser_memcpy)->Unit(benchmark::kMicrosecond);

// One screen of the map picture, and the whole largest map.
void RenderMapScreen(benchmark::State& state)
{
    const session::LoadedArea area = loadedLargest();
    const std::span<const std::uint8_t> screen(area.map.mapGrid.data(), layout::kScreenBytes);
    for (auto _ : state) {
        gfx::Canvas picture = gfx::renderMap(screen, 1, 1, area.chooser);
        benchmark::DoNotOptimize(picture.data());
    }
    setPixels(state, layout::kScreenWidth * layout::kScreenHeight);
}
BENCHMARK(RenderMapScreen)->Unit(benchmark::kMicrosecond);
void RenderMapScreen_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, layout::kScreenWidth * layout::kScreenHeight * 4);
}
BENCHMARK(RenderMapScreen_memcpy)->Unit(benchmark::kMicrosecond);

void RenderMapLargest(benchmark::State& state)
{
    const session::LoadedArea area = loadedLargest();
    for (auto _ : state) {
        gfx::Canvas picture = gfx::renderMap(area.map.mapGrid, area.map.screensWide, area.map.screensHigh, area.chooser);
        benchmark::DoNotOptimize(picture.data());
    }
    setPixels(state, mapPixels(area));
}
BENCHMARK(RenderMapLargest)->Unit(benchmark::kMillisecond);
void RenderMapLargest_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, mapPixels(loadedLargest()) * 4);
}
BENCHMARK(RenderMapLargest_memcpy)->Unit(benchmark::kMillisecond);

// What the map view composes for one paint: its 512 x 448 viewport, here in
// the middle of the largest map, straddling screen borders.
constexpr int kViewWidth = 512;
constexpr int kViewHeight = 448;

void RenderMapView(benchmark::State& state)
{
    const session::LoadedArea area = loadedLargest();
    const int x = area.mapWidth() / 2 - 100;
    const int y = area.mapHeight() / 2 - 100;
    for (auto _ : state) {
        gfx::Canvas view = area.mapRegion(x, y, kViewWidth, kViewHeight);
        benchmark::DoNotOptimize(view.data());
    }
    setPixels(state, kViewWidth * kViewHeight);
}
BENCHMARK(RenderMapView)->Unit(benchmark::kMicrosecond);
void RenderMapView_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, kViewWidth * kViewHeight * 4);
}
BENCHMARK(RenderMapView_memcpy)->Unit(benchmark::kMicrosecond);

// The whole load of the largest submap as a click runs it. Budget: 2 ms.
void LoadAndDrawLargest(benchmark::State& state)
{
    std::size_t pixels = 0;
    for (auto _ : state)
        pixels = drawnPixels(loadAndDraw(largest(), false));
    setPixels(state, pixels);
}
BENCHMARK(LoadAndDrawLargest)->Unit(benchmark::kMicrosecond);
void LoadAndDrawLargest_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, drawnPixels(loadedLargest()) * 4);
}
BENCHMARK(LoadAndDrawLargest_memcpy)->Unit(benchmark::kMicrosecond);

// Every catalogue submap, day and night. Budget: 100 ms in total.
std::size_t cataloguePixels()
{
    std::size_t pixels = 0;
    for (const rom::AreaId& id : world::catalogueSubmaps())
        for (bool night : {false, true})
            pixels += drawnPixels(session::readLoadedArea(benchImage().image, id, night));
    return pixels;
}

void LoadAndDrawCatalogue(benchmark::State& state)
{
    const std::vector<rom::AreaId> submaps = world::catalogueSubmaps();
    for (auto _ : state)
        for (const rom::AreaId& id : submaps)
            for (bool night : {false, true})
                loadAndDraw(id, night);
    setPixels(state, cataloguePixels());
    state.counters["submaps"] = static_cast<double>(submaps.size() * 2);
}
BENCHMARK(LoadAndDrawCatalogue)->Unit(benchmark::kMillisecond);
void LoadAndDrawCatalogue_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, cataloguePixels() * 4);
}
BENCHMARK(LoadAndDrawCatalogue_memcpy)->Unit(benchmark::kMillisecond);

// The area commit of the largest submap: every screen position, the stairs,
// the mask byte and the actors, written in place.
void CommitArea(benchmark::State& state)
{
    rom::RomImage image = benchImage().image;
    const session::LoadedArea area = loadedLargest();
    const world::AreaCommit commit{area.pointers, area.map, area.stairs, area.actors, area.mask};
    for (auto _ : state) {
        world::commitArea(image, commit);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * area.map.mapGrid.size()));
}
BENCHMARK(CommitArea)->Unit(benchmark::kMicrosecond);
void CommitArea_memcpy(benchmark::State& state)
{
    runMemcpyFloor(state, loadedLargest().map.mapGrid.size());
}
BENCHMARK(CommitArea_memcpy)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quarry::bench
