#include "OpenedEditor.h"

#include "core/gfx/Metatiles.h"
#include "core/session/WhereUsed.h"
#include "ui/CanvasImage.h"
#include "ui/editors/MetatileEditor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// Loads a submap of `objectSet` and opens the background editor there.
MetatileEditor& openFor(OpenedEditor& e, int objectSet)
{
    e.load(e.submapWhere([objectSet](const rom::AreaId& id) { return id.objectSet == objectSet; }));
    e.window.openMetatileEditor();
    return *e.window.metatileEditor();
}

std::uint8_t tileAt(OpenedEditor& e, int set, int metatile, int cell)
{
    return gfx::getMetatileTiles(e.document().rom(), set, metatile)[static_cast<std::size_t>(cell)];
}

void typeThreshold(MetatileEditor& editor, int index, const QString& text)
{
    editor.thresholdBox(index)->setText(text);
    emit editor.thresholdBox(index)->editingFinished();
}

} // namespace

TEST(MetatileEditor, CellsAndQuarterPalettesAreWrittenAtOnceOneStepEachAndUndoKeepsTheChoice)
{
    OpenedEditor m;
    MetatileEditor& editor = openFor(m, 3);
    editor.metatileBar()->setValue(9);
    EXPECT_EQ(editor.metatileLabel()->text(), "#9");
    const QImage shown = editor.metatileView()->picture();
    const QImage quarters = editor.attributeView()->picture();

    OpenedEditor::selectTile(*editor.tileKit(), 0x4C);
    auto before = m.body();
    click(editor.metatileView(), QPoint(100, 40), Qt::RightButton); // cell (3, 1)
    EXPECT_EQ(tileAt(m, 3, 9, 7), 0x4C);
    EXPECT_EQ(m.changedSince(before).size(), 1u);
    EXPECT_EQ(m.history().index(), 1);
    EXPECT_NE(editor.metatileView()->picture(), shown);

    click(editor.paletteSwatch(9), QPoint(2, 2)); // a swatch picks its palette's marker
    EXPECT_EQ(editor.attributePalette(), 2);
    click(editor.marker(3), QPoint(2, 2));
    EXPECT_EQ(editor.attributePalette(), 3);
    EXPECT_EQ(editor.tileKit()->paletteNumber(), 0); // the kit keeps its own palette
    before = m.body();
    click(editor.attributeView(), QPoint(1 * 32 + 5, 2 * 32 + 30)); // quarter (1, 2), shown at twice its size
    EXPECT_EQ(gfx::quadrantPalette(1, 2, gfx::getMetatileAttribute(m.document().rom(), 3, 9)), 3);
    EXPECT_EQ(m.changedSince(before).size(), 1u);
    EXPECT_EQ(m.history().index(), 2);
    EXPECT_NE(editor.attributeView()->picture(), quarters);

    m.window.undoStep();
    m.window.undoStep();
    EXPECT_EQ(editor.metatileView()->picture(), shown);
    EXPECT_EQ(editor.attributeView()->picture(), quarters);
    EXPECT_EQ(editor.currentMetatile(), 9);
    EXPECT_EQ(editor.attributePalette(), 3);
}

TEST(MetatileEditor, ASetOfMetatileZeroAloneHasNothingToScrollAndEditsIt)
{
    OpenedEditor m;
    MetatileEditor& editor = openFor(m, 1);
    EXPECT_EQ(editor.lastMetatile(), 0);
    EXPECT_FALSE(editor.metatileBar()->isEnabled());
    const int tile = (tileAt(m, 1, 0, 0) + 1) & 0xFF;
    OpenedEditor::selectTile(*editor.tileKit(), tile);
    click(editor.metatileView(), QPoint(3, 3));
    EXPECT_EQ(tileAt(m, 1, 0, 0), tile);
}

TEST(MetatileEditor, APaintedTileShowsInTheMetatileAtOnce)
{
    OpenedEditor m;
    MetatileEditor& editor = openFor(m, 0);
    TileKit& kit = *editor.tileKit();
    const int tile = tileAt(m, 0, 0, 0);
    OpenedEditor::selectTile(kit, tile);
    OpenedEditor::strokeTile(kit, {{0, 0}}, (kit.tiles()[static_cast<std::size_t>(tile) * 64] + 1) & 3);
    const int p = gfx::quadrantPalette(0, 0, gfx::getMetatileAttribute(m.document().rom(), 0, 0));
    EXPECT_EQ(editor.metatileView()->picture().pixelColor(0, 0),
              toQColor(kit.colors()[m.area().palette[static_cast<std::size_t>(4 * p + kit.leftColor())] & 0x3F]));
    EXPECT_EQ(m.area().backgroundTiles[static_cast<std::size_t>(tile) * 64], kit.leftColor());
}

TEST(MetatileEditor, ThresholdsAreStoredAtOnceAndABoxStillBeingTypedInCountsAtClose)
{
    OpenedEditor m;
    MetatileEditor& editor = openFor(m, 2);
    const std::size_t at = m.world.game.solidityIndex(2);
    const QString original = editor.thresholdBox(1)->text();
    typeThreshold(editor, 0, editor.thresholdBox(0)->text().toLower()); // the same value: nothing
    EXPECT_EQ(m.history().index(), 0);
    typeThreshold(editor, 0, "1g");
    EXPECT_EQ(editor.thresholdBox(0)->text(), "01");
    EXPECT_EQ(m.body()[at], 0x01);
    EXPECT_EQ(m.history().index(), 1);

    editor.thresholdBox(1)->setText("a");
    editor.close();
    EXPECT_EQ(m.body()[at + 1], 0x0A);
    EXPECT_EQ(m.area().thresholds[1], 0x0A);
    m.window.openMetatileEditor();
    m.window.undoStep(); // an open window shows the image's value
    EXPECT_EQ(editor.thresholdBox(1)->text(), original);
}

TEST(MetatileEditor, UnusedTilesAreMarkedUntilAMetatilePlacesThem)
{
    OpenedEditor m;
    MetatileEditor& editor = openFor(m, 2);
    TileKit& kit = *editor.tileKit();
    EXPECT_FALSE(kit.tileMarked(0)); // off by default
    editor.unusedTilesCheck()->setChecked(true);
    const auto used = session::tilesUsedByMetatiles(m.document().rom(), 2);
    int unused = -1;
    for (int t = 0; t < 256; ++t) {
        EXPECT_EQ(kit.tileMarked(t), !used[static_cast<std::size_t>(t)]) << t;
        if (!used[static_cast<std::size_t>(t)])
            unused = t;
    }
    ASSERT_GE(unused, 0);
    OpenedEditor::selectTile(kit, unused);
    click(editor.metatileView(), QPoint(10, 10));
    EXPECT_FALSE(kit.tileMarked(unused));
    editor.unusedTilesCheck()->setChecked(false);
    for (int t = 0; t < 256; ++t)
        EXPECT_FALSE(kit.tileMarked(t)) << t;
}
