#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "support/SyntheticGraphics.h"
#include "support/OpenedWorld.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

struct Editor : OpenedWorld {
    ScriptedDialogs dialogs;
    int refreshes = 0;
    std::unique_ptr<MetatileEditor> editor;

    Editor()
    {
        document.loadArea({0, 0, 0}, false);
        editor = std::make_unique<MetatileEditor>(document, dialogs, [this] {
            ++refreshes;
            document.refreshGraphicsEdits();
        });
    }

    void openFor(int objectSet)
    {
        editor->setupEditor(objectSet, document.area()->palette, document.area()->mask);
        editor->show();
    }

    // The attribute view is shown at twice its logical size.
    void clickAttributeCell(int column, int row)
    {
        click(editor->attributeView(), QPoint(column * 32 + 5, row * 32 + 30));
    }

    void typeThreshold(int index, const QString& text)
    {
        editor->thresholdBox(index)->setText(text);
        emit editor->thresholdBox(index)->editingFinished();
    }

    std::vector<std::size_t> changedSince(const std::vector<std::uint8_t>& before) const
    {
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (document.rom().body()[i] != before[i])
                changed.push_back(i);
        return changed;
    }
};

} // namespace

TEST(MetatileEditor, OffersTheMetatilesTheLimitByteAndTheTableAllow)
{
    Editor e;
    const struct {
        int objectSet;
        int last;
    } cases[] = {
        {0, 66}, // limit 68
        {1, 0},  // limit 2: metatile 0 only
        {2, 28}, // limit 30
        {4, 61}, // limit 80, but the table holds 62
        {5, -1}, // limit 1: nothing to choose
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.objectSet);
        e.openFor(c.objectSet);
        EXPECT_EQ(e.editor->lastMetatile(), c.last);
        EXPECT_EQ(e.editor->metatileBar()->minimum(), 0);
        EXPECT_EQ(e.editor->metatileBar()->maximum(), std::max(c.last, 0));
        EXPECT_EQ(e.editor->metatileBar()->isEnabled(), c.last >= 0);
        EXPECT_EQ(e.editor->metatileLabel()->text(), "#0");
        e.editor->close();
    }

    // With nothing to choose, presses place nothing.
    e.openFor(5);
    const auto before = e.document.rom().body();
    click(e.editor->metatileView(), QPoint(10, 10));
    e.clickAttributeCell(1, 1);
    EXPECT_EQ(e.document.rom().body(), before);
    EXPECT_TRUE(e.dialogs.messages.isEmpty());
}

TEST(MetatileEditor, ScrollingChoosesAndCaptionsTheMetatile)
{
    Editor e;
    e.openFor(0);
    EXPECT_EQ(e.editor->windowTitle(), "BKG Graphic Editor");
    e.editor->metatileBar()->setValue(0x1A);
    EXPECT_EQ(e.editor->currentMetatile(), 0x1A);
    EXPECT_EQ(e.editor->metatileLabel()->text(), "#1A");

    // The views show the metatile's tiles in its quarter palettes.
    const std::uint8_t attribute = gfx::getMetatileAttribute(e.document.rom(), 0, 0x1A);
    const gfx::MetatileTiles block = gfx::getMetatileTiles(e.document.rom(), 0, 0x1A);
    const QImage quarters = e.editor->attributeView()->picture();
    const QImage metatile = e.editor->metatileView()->picture();
    ASSERT_EQ(quarters.size(), QSize(4, 4));
    ASSERT_EQ(metatile.size(), QSize(32, 32));
    const QColor markers[4] = {QColor(0, 0, 128), QColor(128, 0, 0), QColor(0, 128, 0), QColor(255, 255, 0)};
    const auto colors = gfx::nesColorTable(e.document.area()->mask);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int p = gfx::quadrantPalette(x, y, attribute);
            EXPECT_EQ(quarters.pixelColor(x, y), markers[p]);
            gfx::Canvas tile(8, 8);
            gfx::drawTile(e.editor->tileKit()->tiles(), block[static_cast<std::size_t>(4 * y + x)] * 64u, tile, 0, 0,
                          e.document.area()->palette, p, colors);
            EXPECT_EQ(metatile.pixelColor(x * 8 + 3, y * 8 + 5), toQColor(tile.pixel(3, 5)));
        }
}

TEST(MetatileEditor, QuarterPalettesAreWrittenAtOnce)
{
    Editor e;
    e.openFor(0);
    e.editor->selectMetatile(3);
    e.document.setMetatileAttribute(0, 3, 0xE4);
    const auto before = e.document.rom().body();

    click(e.editor->paletteSwatch(5), QPoint(2, 2));
    EXPECT_EQ(e.editor->attributePalette(), 1);
    e.clickAttributeCell(3, 3);
    EXPECT_EQ(gfx::getMetatileAttribute(e.document.rom(), 0, 3), 0x64);
    EXPECT_EQ(e.editor->attributeView()->picture().pixelColor(3, 3), QColor(128, 0, 0));
    EXPECT_EQ(e.changedSince(before).size(), 1u);

    e.document.setMetatileAttribute(0, 3, 0xE4);
    e.clickAttributeCell(1, 2);
    EXPECT_EQ(gfx::getMetatileAttribute(e.document.rom(), 0, 3), 0xD4);

    // Swatch 9 belongs to palette 2: its marker alone gets the border.
    click(e.editor->paletteSwatch(9), QPoint(2, 2));
    EXPECT_EQ(e.editor->attributePalette(), 2);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(e.editor->marker(i)->frameShape(), i == 2 ? QFrame::Box : QFrame::NoFrame) << i;
    click(e.editor->marker(3), QPoint(2, 2));
    EXPECT_EQ(e.editor->attributePalette(), 3);
    // The tile kit keeps its own palette.
    EXPECT_EQ(e.editor->tileKit()->paletteNumber(), 0);
}

TEST(MetatileEditor, PlacesTheSelectedTileInTheCellPressed)
{
    Editor e;
    e.openFor(3);
    e.editor->selectMetatile(9);
    press(e.editor->tileKit()->patternTableView(), QPoint(12 * 16 + 1, 4 * 16 + 1)); // tile $4C
    const auto before = e.document.rom().body();
    click(e.editor->metatileView(), QPoint(100, 40), Qt::RightButton);
    EXPECT_EQ(gfx::getMetatileTiles(e.document.rom(), 3, 9)[7], 0x4C);
    EXPECT_EQ(e.changedSince(before).size(), 1u);
    // The view shows the tile there: the top row of tile $4C spells its number.
    const QImage metatile = e.editor->metatileView()->picture();
    const int p = gfx::quadrantPalette(3, 1, gfx::getMetatileAttribute(e.document.rom(), 3, 9));
    const auto& kit = *e.editor->tileKit();
    for (int x = 0; x < 8; ++x) {
        const std::uint8_t value = kit.tiles()[0x4C * 64 + static_cast<std::size_t>(x)];
        EXPECT_EQ(metatile.pixelColor(24 + x, 8),
                  toQColor(kit.colors()[e.document.area()->palette[static_cast<std::size_t>(4 * p + value)] & 0x3F]));
    }
}

TEST(MetatileEditor, ThresholdBoxesReadHexAndStoreAtOnce)
{
    EXPECT_EQ(MetatileEditor::thresholdFromText("1g"), 0x01);
    EXPECT_EQ(MetatileEditor::thresholdFromText("zz"), 0x00);
    EXPECT_EQ(MetatileEditor::thresholdFromText("a"), 0x0A);
    EXPECT_EQ(MetatileEditor::thresholdFromText(""), 0x00);
    EXPECT_EQ(MetatileEditor::thresholdFromText("fF"), 0xFF);
    EXPECT_EQ(MetatileEditor::thresholdFromText(" 7"), 0x07);
    EXPECT_EQ(MetatileEditor::thresholdFromText("-1"), 0x00);

    Editor e;
    e.openFor(2);
    const rom::SolidityThresholds original = e.world.game.solidity(2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(e.editor->thresholdBox(i)->text(),
                  QStringLiteral("%1").arg(original[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0')).toUpper());
    const std::size_t at = e.world.game.solidityIndex(2);
    e.typeThreshold(0, "1g");
    e.typeThreshold(1, "zz");
    e.typeThreshold(2, "a");
    EXPECT_EQ(e.editor->thresholdBox(0)->text(), "01");
    EXPECT_EQ(e.editor->thresholdBox(1)->text(), "00");
    EXPECT_EQ(e.editor->thresholdBox(2)->text(), "0A");
    EXPECT_EQ(e.document.rom().read(at), 0x01);
    EXPECT_EQ(e.document.rom().read(at + 1), 0x00);
    EXPECT_EQ(e.document.rom().read(at + 2), 0x0A);

    // A box still being typed in when the window closes counts too.
    e.editor->thresholdBox(1)->setText("3");
    e.editor->close();
    EXPECT_EQ(e.document.rom().read(at + 1), 0x03);
    EXPECT_EQ(e.refreshes, 1);
    // The main window's area (object set 0) keeps its own thresholds.
    EXPECT_EQ(e.document.area()->thresholds, e.world.game.solidity(0));

    const char* bounds[] = {"# <", ">= # <", ">= # <", ">= #"};
    const char* ranges[] = {"non-solid", "non-solid (event)", "solid", "solid (breakable)"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(e.editor->solidityLabel(i)->text(), bounds[i]);
        EXPECT_EQ(e.editor->solidityLabel(4 + i)->text(), ranges[i]);
    }
}

TEST(MetatileEditor, ClosingWritesTheTilesOnlyThen)
{
    Editor e;
    e.openFor(0);
    const auto before = e.document.rom().body();
    e.editor->close();
    EXPECT_EQ(e.document.rom().body(), before);
    EXPECT_EQ(e.refreshes, 1);

    e.openFor(0);
    e.editor->tileKit()->chooseColor(3, 1);
    const gfx::MetatileTiles block = gfx::getMetatileTiles(e.document.rom(), 0, 0);
    const int tile = block[0];
    press(e.editor->tileKit()->patternTableView(), QPoint((tile & 15) * 16, (tile >> 4) * 16));
    press(e.editor->tileKit()->tileView(), QPoint(0, 0));
    release(e.editor->tileKit()->tileView(), QPoint(0, 0));
    // The metatile view shows the painted pixel at once; the image waits.
    const int p = gfx::quadrantPalette(0, 0, gfx::getMetatileAttribute(e.document.rom(), 0, 0));
    EXPECT_EQ(e.editor->metatileView()->picture().pixelColor(0, 0),
              toQColor(e.editor->tileKit()->colors()[e.document.area()->palette[static_cast<std::size_t>(4 * p + 3)] & 0x3F]));
    EXPECT_EQ(e.document.rom().body(), before);

    e.editor->close();
    const std::size_t base = rom::bgChrBase(e.document.rom(), 0) + static_cast<std::size_t>(tile) * 16;
    EXPECT_EQ(e.document.rom().read(base) & 0x80, 0x80);
    EXPECT_EQ(e.document.rom().read(base + 8) & 0x80, 0x80);
    EXPECT_EQ(e.changedSince(before).size(), (before[base] & 0x80 ? 0u : 1u) + (before[base + 8] & 0x80 ? 0u : 1u));
    // The main window re-read the tiles.
    EXPECT_EQ(e.document.area()->backgroundTiles[static_cast<std::size_t>(tile) * 64], 3);
    EXPECT_EQ(e.refreshes, 2);
}

TEST(MetatileEditor, SetUpStartsAfreshButKeepsThePaletteNumber)
{
    Editor e;
    e.openFor(0);
    e.editor->tileKit()->stepPalette(1);
    e.editor->tileKit()->stepPalette(1);
    e.editor->selectMetatile(12);
    click(e.editor->marker(2), QPoint(1, 1));
    press(e.editor->tileKit()->patternTableView(), QPoint(40, 40));
    e.editor->close();

    e.openFor(2);
    EXPECT_EQ(e.editor->objectSet(), 2);
    EXPECT_EQ(e.editor->currentMetatile(), 0);
    EXPECT_EQ(e.editor->metatileBar()->value(), 0);
    EXPECT_EQ(e.editor->attributePalette(), 0);
    EXPECT_EQ(e.editor->marker(0)->frameShape(), QFrame::Box);
    EXPECT_EQ(e.editor->tileKit()->selectedTile(), 0);
    EXPECT_EQ(e.editor->tileKit()->paletteNumber(), 2);
    EXPECT_EQ(e.editor->tileKit()->tiles(), gfx::loadBackgroundTiles(e.document.rom(), 2));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(e.editor->paletteSwatch(i)->color(),
                  gfx::nesColorToRgb(e.document.area()->palette[static_cast<std::size_t>(i)], e.document.area()->mask));
}
