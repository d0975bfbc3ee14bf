#include "MouseEvents.h"
#include "OpenedEditor.h"

#include "core/gfx/Metatiles.h"
#include "core/session/Document.h"
#include "core/session/WhereUsed.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowExtras.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/TileKit.h"
#include "ui/map/MapView.h"
#include "ui/map/MetatilePicker.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

struct Window : OpenedEditor {
    Window()
    {
        // A map of several screens in object set 0.
        for (const rom::AreaId& id : world::catalogueSubmaps())
            if (id.objectSet == 0 && world.game.mapOf(id).wide >= 2) {
                window.loadArea(QString::fromStdString(world::findSubmap(id)->key));
                break;
            }
        dialogs.messages.clear();
    }
    AreaWorkspace& workspace() { return *window.workspace(); }
    std::vector<int> expectedCounts()
    {
        const auto usage = session::countMetatileUsage(window.document().rom(), area().id.objectSet);
        const int offered = gfx::lastOfferedMetatile(area().metatileLimit, area().id.objectSet) + 1;
        return std::vector<int>(usage.cells.begin(), usage.cells.begin() + offered);
    }
};

} // namespace

TEST(WhereUsedView, OffByDefaultThenCountsHighlightsAndFollowsEdits)
{
    Window w;
    AreaWorkspace& ws = w.workspace();
    QAction* action = w.window.extras()->whereUsedAction();
    EXPECT_FALSE(action->isChecked());
    EXPECT_FALSE(ws.whereUsedCheck()->isChecked());
    EXPECT_TRUE(ws.picker()->counts().empty());
    EXPECT_TRUE(ws.whereUsed().cells().empty());

    // The menu and the box are one switch.
    action->trigger();
    EXPECT_TRUE(ws.whereUsedCheck()->isChecked());
    EXPECT_EQ(ws.picker()->counts(), w.expectedCounts());

    // Choosing a metatile outlines its cells in the loaded map.
    const auto& grid = w.area().map.mapGrid;
    const int chosen = grid[5];
    ws.selectMetatileAt(QPoint((chosen % 8) * 32 + 4, (chosen / 8) * 32 + 4));
    ASSERT_EQ(ws.selectedMetatile(), chosen);
    EXPECT_EQ(ws.whereUsed().cells(), session::cellsUsing(w.area().map, static_cast<std::uint8_t>(chosen)));
    EXPECT_EQ(ws.whereUsed().cells().size(),
              static_cast<std::size_t>(std::count(grid.begin(), grid.end(), static_cast<std::uint8_t>(chosen))));
    EXPECT_TRUE(ws.whereUsedLabel()->text().contains(QStringLiteral("%1 in this map").arg(ws.whereUsed().cells().size())))
        << ws.whereUsedLabel()->text().toStdString();

    // Painting another metatile over a cell counts again from the image.
    const int other = chosen == 1 ? 2 : 1;
    const auto before = ws.picker()->counts();
    ws.selectMetatileAt(QPoint((other % 8) * 32 + 4, (other / 8) * 32 + 4));
    w.clickMap(QPoint(5 * 32 + 3, 3)); // cell 5 of the first screen
    EXPECT_NE(ws.picker()->counts(), before);
    EXPECT_EQ(ws.picker()->counts(), w.expectedCounts());
    EXPECT_EQ(ws.whereUsed().cells(), session::cellsUsing(w.area().map, static_cast<std::uint8_t>(other)));

    // Switching off clears everything again.
    ws.whereUsedCheck()->setChecked(false);
    EXPECT_FALSE(action->isChecked());
    EXPECT_TRUE(ws.picker()->counts().empty());
    EXPECT_TRUE(ws.whereUsed().cells().empty());
    EXPECT_TRUE(w.dialogs.messages.isEmpty()) << w.dialogs.lastMessage().toStdString();
}

TEST(WhereUsedView, HighlightAndMarkerOverlaysAreBothDrawn)
{
    MapView view;
    QImage picture(512, 448, QImage::Format_RGB32);
    picture.fill(Qt::black);
    view.setPicture(picture);
    view.setupScrollBars(2, 2);
    view.setOverlay(MapView::OverlayLayer::Highlight, [](QPainter& p) { p.fillRect(QRect(0, 0, 10, 10), Qt::red); });
    view.setOverlay([](QPainter& p) { p.fillRect(QRect(100, 100, 10, 10), Qt::green); });
    view.resize(600, 500);
    const QImage shot = view.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(105, 105), QColor(Qt::green));
    // Replacing the markers leaves the highlight.
    view.setOverlay({});
    const QImage again = view.viewport()->grab().toImage();
    EXPECT_EQ(again.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(again.pixelColor(105, 105), QColor(Qt::black));
}

TEST(WhereUsedView, BackgroundEditorMarksTilesNoMetatileUses)
{
    OpenedEditor w;
    const int set = 2;
    w.load(w.submapWhere([](const rom::AreaId& id) { return id.objectSet == set; }));
    w.window.openMetatileEditor();
    MetatileEditor& editor = *w.window.metatileEditor();
    session::Document& document = w.document();
    ScriptedDialogs& dialogs = w.dialogs;
    TileKit& kit = *editor.tileKit();
    EXPECT_FALSE(kit.tileMarked(0)); // off by default
    editor.unusedTilesCheck()->setChecked(true);

    const auto used = session::tilesUsedByMetatiles(document.rom(), set);
    int unusedTile = -1;
    for (int t = 0; t < 256; ++t) {
        EXPECT_EQ(kit.tileMarked(t), !used[static_cast<std::size_t>(t)]) << t;
        if (!used[static_cast<std::size_t>(t)])
            unusedTile = t;
    }
    ASSERT_GE(unusedTile, 0);

    // Placing the tile in a metatile takes its mark away.
    kit.pressPatternTable(QPoint((unusedTile % 16) * 16, (unusedTile / 16) * 16));
    click(editor.metatileView(), QPoint(10, 10));
    EXPECT_FALSE(kit.tileMarked(unusedTile));
    editor.unusedTilesCheck()->setChecked(false);
    for (int t = 0; t < 256; ++t)
        EXPECT_FALSE(kit.tileMarked(t));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
