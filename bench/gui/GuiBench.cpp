// The editor's responsiveness, offscreen: from a click on the largest map's
// tree node to the map view having painted, and from a press on the map in
// Map Edit Mode to the repainted map. Medians of many runs.
//
// Usage: quarry-bench-gui [memory]
//   With "memory" it instead opens the image and every window once and
//   reports the peak resident size.
#include "PaintWatch.h"
#include "BenchStats.h"
#include "ScriptedDialogs.h"

#include "core/gfx/Metatiles.h"
#include "core/world/AreaCatalogue.h"
#include "LargeMap.h"
#include "support/IsolatedHome.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/DeskSettings.h"
#include "ui/MainWindow.h"
#include "ui/MapBlockActions.h"
#include "ui/UndoHistory.h"
#include "ui/tools/BlockTools.h"
#include "ui/map/MapView.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QUndoStack>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace quarry;
using namespace quarry::bench;

namespace {

struct Editor {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;
    PaintWatch watch;
    rom::AreaId large = test::largeMapSubmap();

    Editor()
    {
        test::SyntheticWorld world;
        test::putLargestMap(world.game, large);
        // Its chooser offers the metatiles the map is drawn with (0-63), so
        // every press below changes cells.
        world.rom.body()[gfx::metatileLimitIndex(large.objectSet)] = 0x41;
        const std::string path = dir.file("game.nes");
        world.writeFile(path);
        window = std::make_unique<ui::MainWindow>(dialogs, QString::fromStdString(dir.file("dat")));
        // As the program starts it: each load remembers the image's submap.
        window->desk()->restore();
        window->show();
        window->startUp();
        dialogs.filesToOpen.push_back(QString::fromStdString(path));
        window->openFile();
        settle();
        window->workspace()->mapView()->viewport()->installEventFilter(&watch);
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    QTreeWidgetItem* node(const rom::AreaId& id) const
    {
        return window->areaTree()->findNode(QString::fromStdString(world::findSubmap(id)->key));
    }

    // Runs the event loop until the viewport has painted; the time from
    // `start` to then.
    double untilPainted(Clock::time_point start)
    {
        for (int spins = 0; !watch.painted && spins < 1000; ++spins)
            QApplication::processEvents();
        const double ms = millisecondsSince(start);
        if (!watch.painted)
            std::fprintf(stderr, "quarry-bench-gui: the map view never painted\n");
        return ms;
    }

    double clickNode(QTreeWidgetItem* item)
    {
        settle();
        watch.painted = false;
        const Clock::time_point start = Clock::now();
        emit window->areaTree()->itemClicked(item, 0);
        return untilPainted(start);
    }

    double pressMap(QPoint at)
    {
        settle();
        watch.painted = false;
        QWidget* viewport = window->workspace()->mapView()->viewport();
        const Clock::time_point start = Clock::now();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), viewport->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        return untilPainted(start);
    }
};

int timings()
{
    Editor editor;
    QTreeWidgetItem* small = editor.node(world::catalogueSubmaps().front());
    QTreeWidgetItem* large = editor.node(editor.large);
    constexpr int kRuns = 40;

    std::vector<double> clicks;
    for (int run = 0; run < kRuns; ++run) {
        editor.clickNode(small);
        clicks.push_back(editor.clickNode(large));
    }

    // In Map Edit Mode with metatile 0 chosen, presses paint cells of the
    // shown screens; alternate two metatiles so every press changes a cell.
    std::vector<double> presses;
    ui::AreaWorkspace* workspace = editor.window->workspace();
    for (int run = 0; run < kRuns; ++run) {
        workspace->selectMetatileAt(QPoint((run % 2) * 32, 0));
        presses.push_back(editor.pressMap(QPoint(40 + (run % 8) * 32, 50 + (run % 5) * 32)));
    }

    // Block edits covering the whole largest map, each from the press to the
    // repainted view: a fill whose region is every cell (the map is cleared
    // first; the fills alternate two metatiles), and a paste of a block as
    // large as the map (two blocks in turn, so every paste changes every cell).
    ui::MapBlockActions& blocks = *editor.window->mapBlocks();
    blocks.selectAll();
    blocks.deleteSelection();
    editor.window->setEditMode(ui::EditMode::Fill);
    std::vector<double> fills;
    for (int run = 0; run < kRuns; ++run) {
        workspace->chooseMetatile(1 - run % 2);
        fills.push_back(editor.pressMap(QPoint(40, 50)));
    }
    const session::CellRect whole = session::wholeMap(editor.window->document().area()->map);
    const session::MetatileBlock pasted[] = {session::solidBlock(whole.columns, whole.rows, 1),
                                             session::solidBlock(whole.columns, whole.rows, 2)};
    const QString lastFill = editor.window->history()->stack()->text(editor.window->history()->stack()->count() - 1);
    editor.window->setEditMode(ui::EditMode::Paste);
    std::vector<double> pastes;
    for (int run = 0; run < kRuns; ++run) {
        blocks.stampTool().setBlock(pasted[run % 2]);
        pastes.push_back(editor.pressMap(QPoint(5, 5)));
    }

    const ui::MapView* view = workspace->mapView();
    std::printf("largest map: %d x %d pixels (%d x %d screens)\n", view->pictureSize().width(),
                view->pictureSize().height(), view->pictureSize().width() / 256, view->pictureSize().height() / 224);
    std::printf("%-34s %8s %8s %8s   (ms, %d runs)\n", "", "median", "p90", "max", kRuns);
    std::printf("%-34s %8.2f %8.2f %8.2f   budget 16 ms\n", "tree click -> map painted", median(clicks),
                percentile(clicks, 0.9), percentile(clicks, 1.0));
    std::printf("%-34s %8.2f %8.2f %8.2f\n", "paint press -> map repainted", median(presses),
                percentile(presses, 0.9), percentile(presses, 1.0));
    std::printf("%-34s %8.2f %8.2f %8.2f   budget 16 ms\n", "whole-map fill -> map repainted", median(fills),
                percentile(fills, 0.9), percentile(fills, 1.0));
    std::printf("%-34s %8.2f %8.2f %8.2f   budget 16 ms\n", "whole-map paste -> map repainted", median(pastes),
                percentile(pastes, 0.9), percentile(pastes, 1.0));
    std::printf("(the last fill: %s)\n", qPrintable(lastFill));
    return median(clicks) < 16.0 && median(fills) < 16.0 && median(pastes) < 16.0 ? 0 : 1;
}

int memory()
{
    Editor editor;
    const double opened = peakResidentMiB();
    editor.clickNode(editor.node(editor.large));
    for (ui::Command command : {ui::Command::TextEditor, ui::Command::MetatileEditor, ui::Command::PaletteEditor,
                                ui::Command::SpriteEditor, ui::Command::GlobalProperties, ui::Command::MapInfo}) {
        QAction* action = editor.window->commandAction(command);
        if (action->isEnabled())
            action->trigger();
        else
            std::printf("(%s is not available)\n", qPrintable(action->toolTip()));
        Editor::settle();
    }
    Editor::settle();
    std::printf("peak resident size with the image open:          %7.1f MiB\n", opened);
    std::printf("... the largest map loaded, every window opened: %7.1f MiB\n", peakResidentMiB());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The editor remembers recent images: keep that out of the user's settings.
    const quarry::test::IsolatedHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "memory") == 0)
        return memory();
    return timings();
}
