// Animation playback as the sprite editor runs it: a 17 ms precise timer
// drives sprites::Playback and each frame change builds the frame's sprite
// list and draws the preview. Measures the intervals between ticks and the
// processor time the process used, over 10 s by default.
//
// Usage: quarry-bench-playback [SECONDS]
// Exits 1 when the intervals do not average 17 ms within 1 ms, or when the
// process kept the processor busy between ticks (over 10% of one core).
#include "BenchStats.h"

#include "core/gfx/Chr.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/OamRenderer.h"
#include "core/sprites/Playback.h"
#include "support/SyntheticWorld.h"

#include <QCoreApplication>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace quarry;
using namespace quarry::bench;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: quarry-bench-playback [SECONDS]\n");
        return 2;
    }

    const test::SyntheticWorld world;
    const rom::RomImage image = world.rom.image();
    const session::LoadedArea area = session::readLoadedArea(image, {0, 0, 0}, false);
    const gfx::TilePixels tiles = gfx::loadSpriteTiles(image, 0);
    const sprites::SpriteArt art{tiles, area.palette, area.colors};
    // The animation whose frame changes every tick: the most work per tick.
    const sprites::Animation animation = sprites::loadAnimation(image, test::kSyntheticFastAnimation);
    sprites::Playback playback(animation);
    sprites::FrameBuilder builder;
    gfx::Canvas preview(sprites::kPreviewSize, sprites::kPreviewSize);
    int framesShown = 0;

    std::vector<double> intervals;
    intervals.reserve(static_cast<std::size_t>(seconds * 1000 / sprites::kTickMilliseconds) + 16);
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(sprites::kTickMilliseconds);
    Clock::time_point last;
    bool first = true;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (!first)
            intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        first = false;
        last = now;
        if (playback.tick()) {
            const auto frame = static_cast<std::size_t>(playback.frame());
            sprites::drawOamPreview(builder.buildFrameOam(image, animation.framePointers.at(frame)), art, preview);
            ++framesShown;
        }
    });
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &app, &QCoreApplication::quit);

    const double cpuBefore = processCpuMilliseconds();
    const Clock::time_point start = Clock::now();
    playback.start();
    timer.start();
    app.exec();
    const double wall = millisecondsSince(start);
    const double cpu = processCpuMilliseconds() - cpuBefore;

    double sum = 0;
    double squares = 0;
    for (double v : intervals) {
        sum += v;
        squares += v * v;
    }
    const double n = static_cast<double>(intervals.size());
    const double mean = n > 0 ? sum / n : 0;
    const double deviation = n > 0 ? std::sqrt(std::max(0.0, squares / n - mean * mean)) : 0;
    const double busy = 100.0 * cpu / wall;

    std::printf("playback for %.1f s: %zu ticks, %d frames drawn\n", wall / 1000, intervals.size() + 1, framesShown);
    std::printf("tick interval (ms): mean %.3f  median %.3f  stddev %.3f  min %.3f  p99 %.3f  max %.3f\n", mean,
                median(intervals), deviation, percentile(intervals, 0.0), percentile(intervals, 0.99),
                percentile(intervals, 1.0));
    std::printf("processor time: %.1f ms over %.1f ms (%.2f%% of one core, %.3f ms per tick)\n", cpu, wall, busy,
                n > 0 ? cpu / (n + 1) : 0);
    const bool onTime = std::fabs(mean - sprites::kTickMilliseconds) <= 1.0;
    const bool idle = busy < 10.0;
    std::printf("mean within 1 ms of %d ms: %s; processor idle between ticks: %s\n", sprites::kTickMilliseconds,
                onTime ? "yes" : "NO", idle ? "yes" : "NO");
    return onTime && idle ? 0 : 1;
}
