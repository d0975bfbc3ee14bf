#include "OpenedEditor.h"

#include "core/gfx/Metatiles.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "ui/CanvasImage.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

struct MetatileWindow : OpenedEditor {
    MetatileEditor* editor = nullptr;

    // Loads a submap of `objectSet` and opens the background editor there.
    void openFor(int objectSet)
    {
        load(submapWhere([objectSet](const rom::AreaId& id) { return id.objectSet == objectSet; }));
        window.openMetatileEditor();
        editor = window.metatileEditor();
    }
    // The attribute view is shown at twice its logical size.
    void clickQuarter(int column, int row) { click(editor->attributeView(), QPoint(column * 32 + 5, row * 32 + 30)); }
    void typeThreshold(int index, const QString& text)
    {
        editor->thresholdBox(index)->setText(text);
        emit editor->thresholdBox(index)->editingFinished();
    }
    std::uint8_t attribute(int metatile) { return gfx::getMetatileAttribute(document().rom(), editor->objectSet(), metatile); }
};

// The marker colours of background palettes 0-3.
const QColor kMarkers[4] = {QColor(0, 0, 128), QColor(128, 0, 0), QColor(0, 128, 0), QColor(255, 255, 0)};

} // namespace

TEST(MetatileEditor, OffersTheObjectSetsMetatilesAndShowsTheChosenOnesQuarters)
{
    MetatileWindow m;
    m.openFor(0);
    EXPECT_EQ(m.editor->windowTitle(), "BKG Graphic Editor");
    EXPECT_EQ(m.editor->objectSet(), 0);
    EXPECT_GT(m.editor->lastMetatile(), 0);
    EXPECT_EQ(m.editor->metatileBar()->maximum(), m.editor->lastMetatile());
    EXPECT_TRUE(m.editor->metatileBar()->isEnabled());
    EXPECT_EQ(m.editor->metatileLabel()->text(), "#0");

    // Scrolling chooses the metatile; the views show its quarters' palettes.
    m.editor->metatileBar()->setValue(0x1A);
    EXPECT_EQ(m.editor->currentMetatile(), 0x1A);
    EXPECT_EQ(m.editor->metatileLabel()->text(), "#1A");
    const QImage quarters = m.editor->attributeView()->picture();
    ASSERT_EQ(quarters.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(quarters.pixelColor(x, y), kMarkers[gfx::quadrantPalette(x, y, m.attribute(0x1A))]);

    // An object set that offers metatile 0 alone has nothing to scroll.
    m.editor->close();
    m.openFor(1);
    EXPECT_EQ(m.editor->lastMetatile(), 0);
    EXPECT_FALSE(m.editor->metatileBar()->isEnabled());
    EXPECT_EQ(m.editor->metatileLabel()->text(), "#0");
    // Metatile 0 is drawn and used by maps, so it is edited like any other.
    const int tile = (gfx::getMetatileTiles(m.document().rom(), 1, 0)[0] + 1) & 0xFF;
    OpenedEditor::selectTile(*m.editor->tileKit(), tile);
    click(m.editor->metatileView(), QPoint(3, 3));
    EXPECT_EQ(gfx::getMetatileTiles(m.document().rom(), 1, 0)[0], tile);
}

TEST(MetatileEditor, CellsAndQuarterPalettesAreWrittenAtOnceOneStepEach)
{
    MetatileWindow m;
    m.openFor(3);
    m.editor->metatileBar()->setValue(9);
    const QImage shown = m.editor->metatileView()->picture();
    const QImage quarters = m.editor->attributeView()->picture();

    // The selected kit tile goes where the metatile view is pressed.
    OpenedEditor::selectTile(*m.editor->tileKit(), 0x4C);
    auto before = m.body();
    click(m.editor->metatileView(), QPoint(100, 40), Qt::RightButton); // cell (3, 1)
    EXPECT_EQ(gfx::getMetatileTiles(m.document().rom(), 3, 9)[7], 0x4C);
    EXPECT_EQ(m.changedSince(before).size(), 1u);
    EXPECT_EQ(m.history().index(), 1);
    EXPECT_NE(m.editor->metatileView()->picture(), shown);

    // A swatch picks its palette's marker; a quarter takes that palette.
    click(m.editor->paletteSwatch(9), QPoint(2, 2));
    EXPECT_EQ(m.editor->attributePalette(), 2);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.editor->marker(i)->frameShape(), i == 2 ? QFrame::Box : QFrame::NoFrame) << i;
    click(m.editor->marker(3), QPoint(2, 2));
    EXPECT_EQ(m.editor->attributePalette(), 3);
    EXPECT_EQ(m.editor->tileKit()->paletteNumber(), 0); // the kit keeps its own palette
    before = m.body();
    m.clickQuarter(1, 2);
    EXPECT_EQ(gfx::quadrantPalette(1, 2, m.attribute(9)), 3);
    EXPECT_EQ(m.changedSince(before).size(), 1u);
    EXPECT_EQ(m.history().index(), 2);
    EXPECT_EQ(m.editor->attributeView()->picture().pixelColor(1, 2), kMarkers[3]);

    // Undo redraws both views and keeps the metatile and palette chosen.
    m.window.undoStep();
    m.window.undoStep();
    EXPECT_EQ(m.editor->metatileView()->picture(), shown);
    EXPECT_EQ(m.editor->attributeView()->picture(), quarters);
    EXPECT_EQ(m.editor->currentMetatile(), 9);
    EXPECT_EQ(m.editor->attributePalette(), 3);
}

TEST(MetatileEditor, ThresholdBoxesReadLenientHexAndStoreAtOnce)
{
    MetatileWindow m;
    m.openFor(2);
    const rom::SolidityThresholds original = m.world.game.solidity(2);
    const std::size_t at = m.world.game.solidityIndex(2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m.editor->thresholdBox(i)->text(),
                  QStringLiteral("%1").arg(original[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0')).toUpper());
    const char* bounds[] = {"# <", ">= # <", ">= # <", ">= #"};
    const char* ranges[] = {"non-solid", "non-solid (event)", "solid", "solid (breakable)"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(m.editor->solidityLabel(i)->text(), bounds[i]);
        EXPECT_EQ(m.editor->solidityLabel(4 + i)->text(), ranges[i]);
    }

    // The same value typed again writes nothing.
    m.typeThreshold(0, m.editor->thresholdBox(0)->text().toLower());
    EXPECT_EQ(m.history().index(), 0);
    m.typeThreshold(0, "1g");
    EXPECT_EQ(m.editor->thresholdBox(0)->text(), "01");
    EXPECT_EQ(m.body()[at], 0x01);
    EXPECT_EQ(m.history().index(), 1);

    // A box still being typed in when the window closes counts too.
    m.editor->thresholdBox(1)->setText("a");
    m.editor->close();
    EXPECT_EQ(m.body()[at + 1], 0x0A);
    EXPECT_EQ(m.area().thresholds[1], 0x0A);

    // Undo shows the image's value in an open window.
    m.window.openMetatileEditor();
    m.window.undoStep();
    EXPECT_EQ(m.editor->thresholdBox(1)->text(),
              QStringLiteral("%1").arg(original[1], 2, 16, QLatin1Char('0')).toUpper());
}

TEST(MetatileEditor, ShowsAPaintedTileInTheMetatileAtOnce)
{
    MetatileWindow m;
    m.openFor(0);
    TileKit& kit = *m.editor->tileKit();
    const int tile = gfx::getMetatileTiles(m.document().rom(), 0, 0)[0];
    OpenedEditor::selectTile(kit, tile);
    press(kit.colorSwatch((kit.tiles()[static_cast<std::size_t>(tile) * 64] + 1) & 3), QPoint(2, 2));
    OpenedEditor::strokeTile(kit, {{0, 0}});
    const int p = gfx::quadrantPalette(0, 0, m.attribute(0));
    EXPECT_EQ(m.editor->metatileView()->picture().pixelColor(0, 0),
              toQColor(kit.colors()[m.area().palette[static_cast<std::size_t>(4 * p + kit.leftColor())] & 0x3F]));
    EXPECT_EQ(m.area().backgroundTiles[static_cast<std::size_t>(tile) * 64], kit.leftColor());
}
