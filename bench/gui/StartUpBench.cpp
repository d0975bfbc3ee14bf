// Start to a painted window: the editor started in a process of its own,
// its desk restored from settings left by an earlier run (window size,
// panels moved, zoom, grid, the largest map as the image's last submap),
// the image opened, until the map view has painted. Google Benchmark times
// the whole process, as a user waits for it; a second benchmark times the
// same steps inside one process, without the process's own start.
//
// Usage: quarry-bench-startup [Google Benchmark options]
#include "PaintWatch.h"
#include "ScriptedDialogs.h"

#include "LargeMap.h"
#include "core/world/AreaCatalogue.h"
#include "support/IsolatedHome.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaWorkspace.h"
#include "ui/DeskSettings.h"
#include "ui/MainWindow.h"
#include "ui/Settings.h"
#include "ui/map/MapView.h"
#include "ui/panels/GridPanel.h"

#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace quarry;
using quarry::bench::PaintWatch;

namespace {

// What the program's main does, with the scripted dialogs (no box waits
// for a click): the desk restored, the window shown, the image opened,
// until the map view has painted.
struct StartedEditor {
    test::ScriptedDialogs dialogs;
    ui::MainWindow window{dialogs, QString()};
    PaintWatch watch;

    explicit StartedEditor(const QString& image)
    {
        window.workspace()->mapView()->viewport()->installEventFilter(&watch);
        window.desk()->restore();
        window.show();
        window.startUp();
        window.openPath(image);
        for (int spins = 0; !watch.painted && spins < 100000; ++spins)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
};

// The run the measured ones restore: the window resized, the panels swapped
// sides, zoomed in, the metatile grid on, the largest map loaded; closed.
void leaveDesk(const QString& image)
{
    StartedEditor editor(image);
    ui::MainWindow& window = editor.window;
    window.resize(1100, 700);
    window.addDockWidget(Qt::RightDockWidgetArea, window.findChild<QDockWidget*>(QStringLiteral("areaDock")));
    window.workspace()->mapView()->setZoom(2);
    window.workspace()->gridPanel()->metatileButton()->setChecked(true);
    window.loadArea(QString::fromStdString(world::findSubmap(test::largeMapSubmap())->key));
    window.close();
}

struct Setup {
    test::TempDir dir;
    std::string image = dir.file("game.nes");
    std::string settings = dir.file("settings");

    Setup()
    {
        test::SyntheticWorld world;
        test::putLargestMap(world.game, test::largeMapSubmap());
        world.writeFile(image);
    }
};

Setup& setup()
{
    static Setup made;
    return made;
}

void StartUpProcess(benchmark::State& state)
{
    const Setup& s = setup();
    std::string self(4096, '\0');
    self.resize(static_cast<std::size_t>(std::max<ssize_t>(0, readlink("/proc/self/exe", self.data(), self.size()))));
    double childCpu = 0; // the children's processor time, ms: what a shared machine disturbs least
    for (auto _ : state) {
        std::string child = "--child";
        char* arguments[] = {self.data(), child.data(), const_cast<char*>(s.settings.c_str()),
                             const_cast<char*>(s.image.c_str()), nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, arguments, environ) != 0
            || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the editor's process failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
        childCpu += ms(usage.ru_utime) + ms(usage.ru_stime);
    }
    state.counters["child_cpu_ms"] = benchmark::Counter(childCpu / static_cast<double>(state.iterations()));
}
BENCHMARK(StartUpProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void StartUpWindow(benchmark::State& state)
{
    const Setup& s = setup();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto editor = std::make_unique<StartedEditor>(QString::fromStdString(s.image));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        // The window goes outside the measured time, as a user's stays open.
        editor.reset();
    }
}
BENCHMARK(StartUpWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    // The child: the folders of the parent's IsolatedHome, the parent's platform.
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        QApplication app(argc, argv);
        ui::setApplicationIdentity();
        ui::setSettingsFolder(QString::fromLocal8Bit(argv[2]));
        const StartedEditor editor(QString::fromLocal8Bit(argv[3]));
        std::_Exit(editor.watch.painted ? 0 : 1); // the time ends at the painted window, not at the teardown
    }
    // The settings, recent images included, stay out of the user's own.
    const test::IsolatedHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::setApplicationIdentity();
    ui::setSettingsFolder(QString::fromStdString(setup().settings));
    leaveDesk(QString::fromStdString(setup().image));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
