#include "MouseEvents.h"

#include "core/gfx/NesColor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// Every tile distinct: the first row holds the tile number in binary, the
// rest a pattern, so copies and moved pixels are easy to tell.
gfx::TilePixels distinctTiles()
{
    gfx::TilePixels tiles(256 * 64);
    for (std::size_t t = 0; t < 256; ++t)
        for (std::size_t i = 0; i < 64; ++i)
            tiles[t * 64 + i] = static_cast<std::uint8_t>(i < 8 ? (t >> (7 - i)) & 1 : (t + i) & 3);
    return tiles;
}

gfx::AreaPalette rampPalette()
{
    gfx::AreaPalette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>(0x11 + i);
    return palette;
}

std::uint8_t pixelOf(const TileKit& kit, int tile, int x, int y)
{
    return kit.tiles()[static_cast<std::size_t>(tile * 64 + y * 8 + x)];
}

struct Kit {
    TileKit kit;
    int tileChanges = 0;
    int copies = 0;

    explicit Kit(int base = 0, gfx::TilePixels tiles = gfx::TilePixels(256 * 64, 0)) : kit(base)
    {
        kit.setUp(std::move(tiles), rampPalette(), {});
        QObject::connect(&kit, &TileKit::tileChanged, [this] { ++tileChanges; });
        QObject::connect(&kit, &TileKit::tilesCopied, [this] { ++copies; });
    }
    // The tile view is shown at twice its logical size: logical (x, y) is
    // widget (2x, 2y).
    QWidget* tileView() { return kit.tileView(); }
};

QPoint tileAt(int column, int row)
{
    return QPoint(column * 16 + 3, row * 16 + 3); // widget pixels of the tile view
}

} // namespace

TEST(TileKit, PaintsWithTheButtonsColoursOnePixelPerMagnifiedCell)
{
    Kit k;
    k.kit.chooseColor(2, 1);
    k.kit.chooseColor(3, 2);
    ASSERT_EQ(k.kit.leftColor(), 2);
    ASSERT_EQ(k.kit.rightColor(), 3);

    // A press without a button paints nothing.
    sendMouse(k.tileView(), QEvent::MouseButtonPress, tileAt(0, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(k.tileChanges, 0);

    press(k.tileView(), QPoint(0, 0));
    EXPECT_EQ(pixelOf(k.kit, 0, 0, 0), 2);
    // Both buttons held while moving: the right colour.
    move(k.tileView(), tileAt(1, 0), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(pixelOf(k.kit, 0, 1, 0), 3);
    EXPECT_EQ(k.tileChanges, 2);
    // Moving within the same magnified pixel paints nothing more.
    move(k.tileView(), tileAt(1, 0) + QPoint(10, 10), Qt::LeftButton);
    EXPECT_EQ(k.tileChanges, 2);
    // A jump across the tile paints only where the event arrives.
    move(k.tileView(), QPoint(127, 127), Qt::LeftButton);
    EXPECT_EQ(pixelOf(k.kit, 0, 7, 7), 2);
    for (int x = 2; x < 7; ++x)
        EXPECT_EQ(pixelOf(k.kit, 0, x, x), 0);
    // Moves outside the tile are ignored.
    move(k.tileView(), QPoint(130, 20), Qt::LeftButton);
    move(k.tileView(), QPoint(-2, 20), Qt::LeftButton);
    EXPECT_EQ(k.tileChanges, 3);
    // After the release moves paint nothing.
    release(k.tileView(), QPoint(127, 127));
    move(k.tileView(), tileAt(4, 4), Qt::LeftButton);
    EXPECT_EQ(pixelOf(k.kit, 0, 4, 4), 0);

    // The middle button alone paints the right colour too; only tile 0 changed.
    press(k.tileView(), tileAt(5, 6), Qt::MiddleButton);
    EXPECT_EQ(pixelOf(k.kit, 0, 5, 6), 3);
    for (std::size_t i = 64; i < k.kit.tiles().size(); ++i)
        ASSERT_EQ(k.kit.tiles()[i], 0);
}

TEST(TileKit, ViewsMagnifyWithoutBlending)
{
    Kit k;
    k.kit.setGridShown(false);
    k.kit.chooseColor(1, 1);
    for (int i = 0; i < 8; ++i)
        press(k.tileView(), tileAt(i, i)), release(k.tileView(), tileAt(i, i));

    const QImage view = k.kit.tileView()->grab().toImage();
    ASSERT_EQ(view.size(), QSize(128, 128));
    const QColor zero = toQColor(gfx::nesColorToRgb(0x11, false, 0));
    const QColor one = toQColor(gfx::nesColorToRgb(0x12, false, 0));
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(view.pixelColor(x, y), x / 16 == y / 16 ? one : zero) << x << "," << y;

    // The pattern table shows tile 0 at twice size in its top-left corner.
    const QImage table = k.kit.patternTableView()->grab().toImage();
    ASSERT_EQ(table.size(), QSize(256, 256));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(table.pixelColor(x, y), x / 2 == y / 2 ? one : zero) << x << "," << y;
}

TEST(TileKit, DragCopiesInsideTheTableOnly)
{
    Kit k(0, distinctTiles());
    QWidget* table = k.kit.patternTableView();
    const gfx::TilePixels original = k.kit.tiles();
    auto tile = [](const gfx::TilePixels& tiles, int t) {
        return gfx::TilePixels(tiles.begin() + t * 64, tiles.begin() + t * 64 + 64);
    };

    press(table, QPoint(2 * 16 + 5, 1 * 16 + 9), Qt::RightButton); // tile $12
    EXPECT_EQ(k.kit.selectedTile(), 0x12);
    EXPECT_EQ(k.kit.selectedTileLabel()->text(), "12");
    release(table, QPoint(4 * 16, 3 * 16 + 15), Qt::RightButton); // tile $34
    EXPECT_EQ(tile(k.kit.tiles(), 0x34), tile(original, 0x12));
    EXPECT_EQ(k.kit.selectedTile(), 0x12);
    EXPECT_EQ(k.copies, 1);

    // Releasing outside the table copies nothing.
    const gfx::TilePixels copied = k.kit.tiles();
    press(table, QPoint(255, 255));
    EXPECT_EQ(k.kit.selectedTile(), 0xFF);
    for (QPoint outside : {QPoint(256, 10), QPoint(-1, 10), QPoint(10, 256), QPoint(10, -1)})
        release(table, outside);
    EXPECT_EQ(k.kit.tiles(), copied);
    EXPECT_EQ(k.copies, 1);
    // Pressing and releasing on one tile changes nothing.
    click(table, QPoint(100, 100));
    EXPECT_EQ(k.kit.tiles(), copied);
}

TEST(TileKit, PaletteSteppingWrapsWithinTheKitsFourPalettes)
{
    Kit background;
    EXPECT_EQ(background.kit.paletteNumber(), 0);
    background.kit.previousPaletteButton()->click();
    EXPECT_EQ(background.kit.paletteNumber(), 3);
    // The swatches show entries 12-15 now.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(background.kit.colorSwatch(i)->color(), gfx::nesColorToRgb(static_cast<std::uint8_t>(0x11 + 12 + i), false, 0));
    background.kit.nextPaletteButton()->click();
    EXPECT_EQ(background.kit.paletteNumber(), 0);
    background.kit.nextPaletteButton()->click();
    // The number survives a new set-up; the colours do not.
    background.kit.chooseColor(3, 1);
    background.kit.setUp(gfx::TilePixels(256 * 64), rampPalette(), {});
    EXPECT_EQ(background.kit.paletteNumber(), 1);
    EXPECT_EQ(background.kit.leftColor(), 0);
    EXPECT_EQ(background.kit.rightColor(), 1);
    EXPECT_EQ(background.kit.selectedTile(), 0);

    Kit sprites(4);
    EXPECT_EQ(sprites.kit.paletteNumber(), 4);
    sprites.kit.stepPalette(-1);
    EXPECT_EQ(sprites.kit.paletteNumber(), 7);
    sprites.kit.stepPalette(1);
    EXPECT_EQ(sprites.kit.paletteNumber(), 4);
    EXPECT_EQ(sprites.kit.colorSwatch(0)->color(), gfx::nesColorToRgb(0x11 + 16, false, 0));
}

TEST(TileKit, ColourChoiceFollowsTheButton)
{
    Kit k;
    press(k.kit.colorSwatch(2), QPoint(3, 3), Qt::LeftButton);
    press(k.kit.colorSwatch(3), QPoint(3, 3), Qt::RightButton);
    EXPECT_EQ(k.kit.leftColor(), 2);
    EXPECT_EQ(k.kit.rightColor(), 3);
    EXPECT_EQ(k.kit.currentColorSwatch(0)->color(), k.kit.colorSwatch(2)->color());
    EXPECT_EQ(k.kit.currentColorSwatch(1)->color(), k.kit.colorSwatch(3)->color());
    EXPECT_EQ(k.kit.currentColorSwatch(0)->text(), "Current Color");
    press(k.kit.colorSwatch(1), QPoint(3, 3), Qt::MiddleButton);
    EXPECT_EQ(k.kit.rightColor(), 1);
    EXPECT_EQ(k.kit.leftColor(), 2);
}

TEST(TileKit, OperationButtonsChangeOnlyTheSelectedTile)
{
    Kit k(0, distinctTiles());
    press(k.kit.patternTableView(), QPoint(16 * 5 + 1, 16 * 2 + 1)); // tile $25
    const gfx::TilePixels original = k.kit.tiles();
    k.kit.operationButton(TileKit::Operation::ShiftLeft)->click();
    EXPECT_EQ(pixelOf(k.kit, 0x25, 7, 3), original[0x25 * 64 + 3 * 8 + 0]);
    k.kit.operationButton(TileKit::Operation::ShiftRight)->click();
    k.kit.operationButton(TileKit::Operation::ShiftUp)->click();
    k.kit.operationButton(TileKit::Operation::ShiftDown)->click();
    k.kit.operationButton(TileKit::Operation::FlipHAxis)->click();
    EXPECT_EQ(pixelOf(k.kit, 0x25, 0, 7), original[0x25 * 64 + 0]); // top and bottom swapped
    k.kit.operationButton(TileKit::Operation::FlipHAxis)->click();
    k.kit.operationButton(TileKit::Operation::FlipVAxis)->click();
    EXPECT_EQ(pixelOf(k.kit, 0x25, 7, 0), original[0x25 * 64 + 0]); // left and right swapped
    k.kit.operationButton(TileKit::Operation::FlipVAxis)->click();
    EXPECT_EQ(k.kit.tiles(), original);
    k.kit.operationButton(TileKit::Operation::Rotate)->click();
    EXPECT_EQ(pixelOf(k.kit, 0x25, 0, 0), original[0x25 * 64 + 7]);
    EXPECT_EQ(k.tileChanges, 9);
    for (int t = 0; t < 256; ++t) {
        if (t == 0x25)
            continue;
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(k.kit.tiles()[static_cast<std::size_t>(t * 64 + i)], original[static_cast<std::size_t>(t * 64 + i)]);
    }
}

TEST(TileKit, GridSwitchesEveryViewAndTakesABlueShade)
{
    Kit k;
    bool shown = true;
    QColor colour;
    QObject::connect(&k.kit, &TileKit::gridChanged, [&](bool s, const QColor& c) { shown = s, colour = c; });
    k.kit.gridCheck()->click();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(k.kit.patternTableView()->gridShown());
    EXPECT_FALSE(k.kit.tileView()->gridShown());
    EXPECT_EQ(k.kit.gridCheck()->text(), "Show Grid");
    k.kit.gridCheck()->click();
    k.kit.gridColorBar()->setValue(77);
    EXPECT_TRUE(shown);
    EXPECT_EQ(colour, QColor(0, 0, 77));
    EXPECT_EQ(k.kit.gridColor(), QColor(0, 0, 77));
    EXPECT_EQ(k.kit.gridColorBar()->maximum(), 255);
}
