#include "OpenedEditor.h"

#include "core/session/DemoImage.h"
#include "core/session/LoadedArea.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/CommandLine.h"
#include "ui/HoverInfo.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowExtras.h"
#include "ui/WorldController.h"
#include "ui/map/MapView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using quarry::test::ScriptedDialogs;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

// The editor with a submap of `wide` screens or more and two rows loaded.
struct Window : test::OpenedEditor {
    explicit Window(int wide = 3)
    {
        load(submapWhere([&](const rom::AreaId& id) {
            return world.game.mapOf(id).wide >= wide && world.game.mapOf(id).high >= 2;
        }));
        dialogs.messages.clear();
    }
    MapView& map() { return *window.workspace()->mapView(); }
    QWidget* viewport() { return mapViewport(); }
    int cell(int sx, int column) { return area().map.mapGrid[area().map.cellIndex(sx, 0, 0, column)]; }
};

} // namespace

TEST(MapZoom, EveryGestureMapsThroughTheZoomExactly)
{
    MapView view;
    view.setPicture(QImage(1024, 448, QImage::Format_RGBX8888));
    view.setupScrollBars(4, 2);
    view.setZoom(3);
    view.horizontalBar()->setValue(301);
    std::vector<QPoint> seen;
    QObject::connect(&view, &MapView::mapPressed, [&](QPoint p, Qt::MouseButton) { seen.push_back(p); });
    QObject::connect(&view, &MapView::mapMoved, [&](QPoint p) { seen.push_back(p); });
    QObject::connect(&view, &MapView::mapReleased, [&](QPoint p, Qt::MouseButton) { seen.push_back(p); });
    QObject::connect(&view, &MapView::mapDoubleClicked, [&](QPoint p, Qt::MouseButton) { seen.push_back(p); });
    // View x 10 + scroll 301 = 311 -> map 103; y 20 -> map 6 (vertical scroll 0 + the centred zoom).
    const QPoint expected = view.toMapPixel(QPointF(10, 20));
    EXPECT_EQ(expected.x(), (10 + 301) / 3);
    test::press(view.viewport(), {10, 20});
    test::move(view.viewport(), {10, 20}, Qt::LeftButton);
    test::release(view.viewport(), {10, 20});
    test::sendMouse(view.viewport(), QEvent::MouseButtonDblClick, {10, 20}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 4u);
    for (const QPoint& p : seen)
        EXPECT_EQ(p, expected);
    // Left of the map while held: floor division keeps the pixels apart.
    view.horizontalBar()->setValue(0);
    seen.clear();
    test::move(view.viewport(), {-1, 0}, Qt::LeftButton);
    test::move(view.viewport(), {-4, 0}, Qt::LeftButton);
    EXPECT_EQ(seen[0].x(), -1);
    EXPECT_EQ(seen[1].x(), -2);
    // A move without a button is hover only.
    seen.clear();
    test::move(view.viewport(), {5, 5}, Qt::NoButton);
    EXPECT_TRUE(seen.empty());
}

TEST(MapZoom, ScrollRangesFollowZoomAndALargerView)
{
    MapView view;
    view.setupScrollBars(3, 4);
    EXPECT_EQ(view.horizontalBar()->maximum(), 256); // the described maxima at 512 x 448
    EXPECT_EQ(view.verticalBar()->maximum(), 448);
    view.setZoom(2);
    EXPECT_EQ(view.horizontalBar()->maximum(), 3 * 256 * 2 - 512);
    EXPECT_EQ(view.verticalBar()->maximum(), 4 * 224 * 2 - 448);
    view.setZoom(9); // clamped
    EXPECT_EQ(view.zoom(), 4);
    view.setZoom(1);

    view.resize(1000, 800);
    view.show();
    QApplication::processEvents();
    const QSize visible = view.viewport()->size();
    ASSERT_GT(visible.width(), 512);
    EXPECT_EQ(view.visibleSize(), visible);
    EXPECT_EQ(view.horizontalBar()->maximum(), std::max(0, 768 - visible.width()));
    EXPECT_EQ(view.verticalBar()->maximum(), std::max(0, 896 - visible.height()));
    EXPECT_EQ(view.horizontalBar()->isEnabled(), 768 > visible.width());
}

TEST(MapZoom, WheelZoomKeepsThePointUnderThePointer)
{
    MapView view;
    view.setupScrollBars(4, 4);
    view.horizontalBar()->setValue(200);
    view.verticalBar()->setValue(100);
    const QPointF at(123, 77);
    const QPoint before = view.toMapPixel(at);
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_EQ(view.zoom(), 2);
    EXPECT_EQ(view.toMapPixel(at), before);
    // A map pixel's view square starts where the mapping says.
    EXPECT_EQ(view.toMapPixel(view.toViewport(before)), before);
}

TEST(BrushPainting, OffPaintsOneCellOnPaintsTheStrokeAsOneStep)
{
    Window w;
    EXPECT_FALSE(w.window.extras()->brushAction()->isChecked());
    w.window.workspace()->selectMetatileAt(QPoint(32, 0)); // metatile 1
    const int steps = w.history().count();
    w.dragMap({5, 5}, {{250, 5}});
    EXPECT_EQ(w.cell(0, 0), 1);
    EXPECT_NE(w.cell(0, 7), 1) << "without the brush a drag paints nothing more";
    EXPECT_EQ(w.history().count(), steps + 1);

    // Ten cells across two screens, with one long jump: one step, and one
    // undo takes every cell back.
    const std::vector<std::uint8_t> before = w.body();
    w.window.extras()->brushAction()->trigger();
    ASSERT_TRUE(w.window.workspace()->brush());
    w.dragMap({40, 5}, {{100, 5}, {9 * 32 + 5, 5}});
    for (int column = 1; column < 8; ++column)
        EXPECT_EQ(w.cell(0, column), 1) << column;
    EXPECT_EQ(w.cell(1, 0), 1);
    EXPECT_EQ(w.cell(1, 1), 1);
    EXPECT_EQ(w.history().count(), steps + 2);
    EXPECT_EQ(w.history().text(steps + 1), "Paint metatile 01");
    w.window.undoStep();
    EXPECT_EQ(w.body(), before);
    EXPECT_NE(w.cell(1, 1), 1) << "the view's area follows the undo";
}

TEST(HoverInfo, StatusBarNamesScreenCellMetatilePointerAndItem)
{
    Window w;
    const session::LoadedArea& area = w.area();
    const QPoint at(256 + 3 * 32 + 5, 224 + 2 * 32 + 1); // screen (1, 1), cell (3, 2)
    const int metatile = area.map.mapGrid[area.map.cellIndex(1, 1, 2, 3)];
    const std::uint16_t pointer = area.map.screenTable[static_cast<std::size_t>(area.map.screensWide) + 1];
    const QString expected = QStringLiteral("Screen (1, 1)  Cell (3, 2)  Metatile $%1  Pointer $%2")
                                 .arg(metatile, 2, 16, QLatin1Char('0'))
                                 .arg(pointer, 4, 16, QLatin1Char('0'))
                                 .toUpper()
                                 .replace(QStringLiteral("SCREEN"), QStringLiteral("Screen"))
                                 .replace(QStringLiteral("CELL"), QStringLiteral("Cell"))
                                 .replace(QStringLiteral("METATILE"), QStringLiteral("Metatile"))
                                 .replace(QStringLiteral("POINTER"), QStringLiteral("Pointer"));
    EXPECT_EQ(hoverText(&area, at), expected);
    EXPECT_EQ(hoverText(&area, QPoint(-1, 0)), QString());
    EXPECT_EQ(hoverText(&area, QPoint(area.map.screensWide * 256, 0)), QString());
    EXPECT_EQ(hoverText(nullptr, QPoint(0, 0)), QString());

    // Through the window: a plain move over the viewport fills the label
    // after the four address panels, which keep their texts.
    const QString panel0 = w.window.statusText(0);
    test::move(w.viewport(), at - w.map().scrollOffset(), Qt::NoButton);
    EXPECT_EQ(w.window.extras()->hoverLabel()->text(), expected);
    EXPECT_EQ(w.window.statusText(0), panel0);

    // A paint under the still pointer shows in the words at once, and so
    // does its undo.
    const int other = metatile == 1 ? 2 : 1;
    w.window.workspace()->selectMetatileAt(QPoint((other % 8) * 32, (other / 8) * 32));
    test::click(w.viewport(), at - w.map().scrollOffset());
    EXPECT_TRUE(w.window.extras()->hoverLabel()->text().contains(QStringLiteral("Metatile $0%1").arg(other)));
    w.window.undoStep();
    EXPECT_EQ(w.window.extras()->hoverLabel()->text(), expected);

    // In actor mode the actor under the pointer is named.
    w.window.setEditMode(EditMode::Actor);
    const MarkerLayer& actors = w.window.world()->actorLayer();
    if (actors.count() > 0) {
        const QPoint centre = actors.marker(0).rect.center();
        const int index = actors.markerAt(centre);
        w.window.extras()->showHover(centre);
        EXPECT_TRUE(w.window.extras()->hoverLabel()->text().endsWith(
            actorHoverText(index, area.actors[static_cast<std::size_t>(index)].type)));
    }
}

TEST(MapExport, ExportMapWritesThePictureAt1xAndExportAllEveryMap)
{
    Window w;
    w.map().setZoom(2); // the export is at 1x whatever the view shows
    const QString file = QString::fromStdString(w.dir.file("map.png"));
    w.dialogs.filesToSave.push_back(file);
    w.window.extras()->exportMapAction()->trigger();
    const QImage picture(file);
    const gfx::Canvas canvas = w.area().mapPicture();
    ASSERT_EQ(picture.size(), QSize(canvas.width(), canvas.height()));
    for (int y = 0; y < canvas.height(); y += 13)
        for (int x = 0; x < canvas.width(); x += 17) {
            const gfx::Rgb rgb = canvas.pixel(x, y);
            ASSERT_EQ(picture.pixel(x, y), qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF)) << x << "," << y;
        }

    const QString folder = QString::fromStdString(w.dir.file("all"));
    QDir().mkpath(folder);
    w.dialogs.foldersToChoose.push_back(folder);
    const int written = w.window.extras()->exportAllMaps();
    EXPECT_EQ(written, static_cast<int>(2 * world::catalogueSubmaps().size()));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), written);
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
    // A cancelled folder choice writes nothing.
    EXPECT_EQ(w.window.extras()->exportAllMaps(), 0);
}

TEST(CommandLine, OpensAFileTheDemoOrRefusesUnknownWords)
{
    TempDir dir;
    SyntheticWorld world;
    const std::string path = dir.file("game.nes");
    world.writeFile(path);
    ScriptedDialogs dialogs;
    MainWindow window(dialogs, QString::fromStdString(dir.file("dat")));
    window.startUp();
    const QString demoPath = QString::fromStdString(dir.file("data/demo.nes"));

    EXPECT_TRUE(applyCommandLine(window, {QStringLiteral("quarry")}, demoPath));
    EXPECT_FALSE(window.document().romLoaded());
    EXPECT_FALSE(applyCommandLine(window, {QStringLiteral("quarry"), QStringLiteral("--bogus")}, demoPath));
    EXPECT_FALSE(window.document().romLoaded());

    EXPECT_TRUE(applyCommandLine(window, {QStringLiteral("quarry"), QString::fromStdString(path)}, demoPath));
    EXPECT_TRUE(window.document().romLoaded());
    EXPECT_EQ(window.document().romPath(), path);
    EXPECT_NE(window.document().area(), nullptr);

    EXPECT_TRUE(applyCommandLine(window, {QStringLiteral("quarry"), QStringLiteral("--demo")}, demoPath));
    EXPECT_EQ(window.document().romPath(), demoPath.toStdString());
    EXPECT_EQ(window.document().rom().body(), session::buildDemoImage().body());
    ASSERT_NE(window.document().area(), nullptr);
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("[demo.nes]")));
}

TEST(CommandLine, AFileDroppedOnTheWindowOpens)
{
    TempDir dir;
    SyntheticWorld world;
    const std::string path = dir.file("dropped.nes");
    world.writeFile(path);
    ScriptedDialogs dialogs;
    MainWindow window(dialogs, QString::fromStdString(dir.file("dat")));
    window.startUp();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(window.document().romLoaded());
    EXPECT_EQ(window.document().romPath(), path);
}
