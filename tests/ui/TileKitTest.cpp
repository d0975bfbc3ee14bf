#include "OpenedEditor.h"

#include "ui/CanvasImage.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// The kit of the background editor opened on the first submap.
TileKit& openKit(OpenedEditor& e)
{
    e.window.openMetatileEditor();
    return *e.window.metatileEditor()->tileKit();
}

std::uint8_t pixel(const TileKit& kit, int tile, int column, int row)
{
    return kit.tiles()[static_cast<std::size_t>(tile * 64 + row * 8 + column)];
}

gfx::TilePixels tileOf(const TileKit& kit, int t)
{
    return gfx::TilePixels(kit.tiles().begin() + t * 64, kit.tiles().begin() + t * 64 + 64);
}

// True when every byte changed since `before` is one of tile t's 16.
bool onlyTileChanged(OpenedEditor& e, const TileKit& kit, const std::vector<std::uint8_t>& before, int t)
{
    const std::size_t first = kit.bankStart() + 16 * static_cast<std::size_t>(t);
    for (std::size_t i : e.changedSince(before))
        if (i < first || i >= first + 16)
            return false;
    return true;
}

QString exportTo(OpenedEditor& e, TileKit& kit, const std::string& name)
{
    e.dialogs.filesToSave.push_back(QString::fromStdString(e.dir.file(name)));
    kit.exportButton()->click();
    return QString::fromStdString(e.dir.file(name));
}

void importFrom(OpenedEditor& e, TileKit& kit, const QString& path)
{
    e.dialogs.filesToOpen.push_back(path);
    kit.importButton()->click();
}

} // namespace

TEST(TileKit, APixelStrokeIsOneStepAndOneUndoTakesItBackKeepingTheSelection)
{
    OpenedEditor e(OpenedEditor::withMask(0x1E)); // in colour, so the tile view shows every value
    TileKit& kit = openKit(e);
    OpenedEditor::selectTile(kit, 0x21);
    press(kit.colorSwatch(1), QPoint(3, 3), Qt::LeftButton);
    press(kit.colorSwatch(2), QPoint(3, 3), Qt::RightButton);
    const auto before = e.body();
    const gfx::TilePixels tiles = kit.tiles();
    const QImage shown = kit.tileView()->picture();
    auto at = [&](int c, int r) { return OpenedEditor::tilePixel(kit, c, r); };
    QWidget* view = kit.tileView();
    press(view, at(0, 0));
    move(view, at(1, 0), Qt::LeftButton);
    move(view, at(2, 0), Qt::LeftButton | Qt::RightButton); // both held: the right colour
    move(view, at(7, 7), Qt::LeftButton); // a jump paints where the event arrives
    move(view, QPoint(-3, 20), Qt::LeftButton); // outside: nothing
    release(view, at(7, 7));
    move(view, at(4, 5), Qt::LeftButton); // after the release: nothing
    EXPECT_EQ(pixel(kit, 0x21, 1, 0), 1);
    EXPECT_EQ(pixel(kit, 0x21, 2, 0), 2);
    EXPECT_EQ(pixel(kit, 0x21, 7, 7), 1);
    EXPECT_EQ(pixel(kit, 0x21, 4, 5), tiles[0x21 * 64 + 5 * 8 + 4]);
    EXPECT_EQ(e.history().index(), 1);
    EXPECT_TRUE(onlyTileChanged(e, kit, before, 0x21));
    EXPECT_NE(kit.tileView()->picture(), shown);

    e.window.undoStep();
    EXPECT_EQ(e.body(), before);
    EXPECT_EQ(kit.tileView()->picture(), shown);
    EXPECT_EQ(kit.selectedTile(), 0x21);
    EXPECT_EQ(kit.selectedTileLabel()->text(), "21");
    EXPECT_EQ(kit.leftColor(), 1);
    EXPECT_EQ(kit.rightColor(), 2);
    OpenedEditor::strokeTile(kit, {{3, 6}}, -1, Qt::MiddleButton); // the middle button paints the right colour
    EXPECT_EQ(pixel(kit, 0x21, 3, 6), 2);
}

TEST(TileKit, DragCopiesAndTileButtonsAreOneStepEachOnTheirTileOnly)
{
    OpenedEditor e;
    TileKit& kit = openKit(e);
    QWidget* table = kit.patternTableView();
    OpenedEditor::selectTile(kit, 0x12); // pressed and released on one tile: no copy
    EXPECT_EQ(e.history().index(), 0);
    auto before = e.body();
    press(table, OpenedEditor::tableTile(kit, 0x12), Qt::RightButton);
    release(table, OpenedEditor::tableTile(kit, 0x34), Qt::RightButton);
    EXPECT_EQ(tileOf(kit, 0x34), tileOf(kit, 0x12));
    EXPECT_EQ(kit.selectedTile(), 0x12);
    EXPECT_EQ(e.history().index(), 1);
    EXPECT_TRUE(onlyTileChanged(e, kit, before, 0x34));
    press(table, OpenedEditor::tableTile(kit, 0xFF));
    release(table, QPoint(-1, 10)); // outside the table: no copy
    EXPECT_EQ(e.history().index(), 1);

    // Which button moves which pixel where: new (column, row) holds old (column, row).
    using Op = TileKit::Operation;
    const struct {
        Op operation;
        QPoint to, from;
    } cases[] = {
        {Op::ShiftLeft, {7, 3}, {0, 3}}, {Op::ShiftRight, {0, 3}, {7, 3}}, {Op::ShiftUp, {3, 7}, {3, 0}},
        {Op::ShiftDown, {3, 0}, {3, 7}}, {Op::FlipHAxis, {0, 7}, {0, 0}},  {Op::FlipVAxis, {7, 0}, {0, 0}},
        {Op::Rotate, {0, 0}, {7, 0}},
    };
    OpenedEditor::selectTile(kit, 0x25);
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.operation));
        before = e.body();
        const gfx::TilePixels old = tileOf(kit, 0x25);
        kit.operationButton(c.operation)->click();
        EXPECT_EQ(pixel(kit, 0x25, c.to.x(), c.to.y()), old[static_cast<std::size_t>(c.from.y() * 8 + c.from.x())]);
        EXPECT_EQ(e.history().index(), 2);
        EXPECT_TRUE(onlyTileChanged(e, kit, before, 0x25));
        e.window.undoStep();
        EXPECT_EQ(e.body(), before);
    }
}

TEST(TileKit, PaletteSteppingWrapsAndTheGridSwitchesEveryView)
{
    OpenedEditor e;
    TileKit& kit = openKit(e);
    press(kit.colorSwatch(1), QPoint(3, 3), Qt::MiddleButton);
    EXPECT_EQ(kit.rightColor(), 1);
    EXPECT_EQ(kit.paletteNumber(), 0); // the background kit steps through palettes 0-3
    kit.previousPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 3);
    kit.nextPaletteButton()->click();
    kit.nextPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 1);
    // Opening the window again keeps the palette but not the tile or colours.
    OpenedEditor::selectTile(kit, 0x40);
    e.window.openMetatileEditor();
    EXPECT_EQ(kit.paletteNumber(), 1);
    EXPECT_EQ(kit.selectedTile(), 0);
    EXPECT_EQ(kit.rightColor(), 1);

    MetatileEditor& editor = *e.window.metatileEditor();
    const bool shown = kit.gridShown();
    kit.gridCheck()->click();
    for (PixelView* view : {kit.patternTableView(), kit.tileView(), editor.metatileView(), editor.attributeView()})
        EXPECT_EQ(view->gridShown(), !shown);
    kit.gridColorBar()->setValue(77);
    EXPECT_EQ(kit.gridColor(), QColor(0, 0, 77));
}

TEST(TileKit, AZoomedKitSelectsAndPaintsWhatThePointerIsOver)
{
    OpenedEditor e;
    TileKit& kit = openKit(e);
    kit.zoomViews(1);
    kit.zoomViews(1);
    EXPECT_EQ(kit.tileView()->zoom(), 3);
    EXPECT_EQ(kit.patternTableView()->zoom(), 2); // the table stops at 512 pixels
    kit.zoomInButton()->click();
    EXPECT_FALSE(kit.zoomInButton()->isEnabled());
    kit.zoomOutButton()->click();
    EXPECT_EQ(kit.tileView()->zoom(), 3);
    kit.patternTableView()->setZoom(2);
    // The last widget pixel of tile $5B's last logical pixel selects it.
    click(kit.patternTableView(), QPoint((0xB * 16 + 15) * 2 + 1, (5 * 16 + 15) * 2 + 1));
    EXPECT_EQ(kit.selectedTile(), 0x5B);
    press(kit.colorSwatch(3), QPoint(3, 3));
    gfx::TilePixels expected = tileOf(kit, 0x5B);
    press(kit.tileView(), QPoint(63 * 6 + 5, 0)); // logical (63, 0): tile pixel (7, 0)
    move(kit.tileView(), QPoint(8 * 6, 23 * 6), Qt::LeftButton); // logical (8, 23): (1, 2)
    release(kit.tileView(), QPoint(8 * 6, 23 * 6));
    expected[7] = expected[2 * 8 + 1] = 3;
    EXPECT_EQ(tileOf(kit, 0x5B), expected);
}

TEST(TileKitPicture, AnExportedBankImportsBackAsOneStep)
{
    OpenedEditor e(OpenedEditor::withMask(0x1E)); // in colour, so every entry has a colour of its own
    TileKit& kit = openKit(e);
    kit.stepPalette(2); // the current palette is the one written
    const QString path = exportTo(e, kit, "bank.png");
    const QImage written(path);
    ASSERT_EQ(written.size(), QSize(128, 128));
    EXPECT_EQ(written.format(), QImage::Format_Indexed8);
    EXPECT_EQ(written.color(1) & 0xFFFFFFu, toQColor(kit.colors()[kit.palette()[9] & 0x3F]).rgb() & 0xFFFFFFu);

    const auto exported = e.body();
    OpenedEditor::selectTile(kit, 0x40);
    kit.operationButton(TileKit::Operation::Rotate)->click();
    const auto painted = e.body();
    importFrom(e, kit, path);
    EXPECT_EQ(e.body(), exported);
    EXPECT_EQ(e.history().index(), 2);
    EXPECT_EQ(kit.selectedTile(), 0x40);
    e.window.undoStep();
    EXPECT_EQ(e.body(), painted);
    // An RGB picture in the palette's colours reads the same way; a picture
    // of the bank as it is leaves no step.
    written.convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(e.dir.file("rgb.png")));
    importFrom(e, kit, QString::fromStdString(e.dir.file("rgb.png")));
    EXPECT_EQ(e.body(), exported);
    importFrom(e, kit, QString::fromStdString(e.dir.file("rgb.png")));
    EXPECT_EQ(e.history().index(), 2);
    EXPECT_TRUE(e.dialogs.messages.isEmpty()) << e.dialogs.lastMessage().toStdString();
}

TEST(TileKitPicture, ImportRefusesWrongSizeForeignColoursAndTransparencyAndNotesOwnColours)
{
    OpenedEditor e;
    TileKit& kit = openKit(e);
    const QImage good(exportTo(e, kit, "bank.png"));
    const auto before = e.body();
    const auto file = [&](const char* name) { return QString::fromStdString(e.dir.file(name)); };
    good.copy(0, 0, 128, 120).save(file("short.png"));
    QImage foreign = good.convertToFormat(QImage::Format_RGB32);
    foreign.setPixel(77, 3, qRgb(1, 2, 3));
    foreign.save(file("foreign.png"));
    QImage alpha = good.convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 127, (alpha.pixel(0, 127) & 0xFFFFFFu) | 0x64000000u); // half transparent
    alpha.save(file("alpha.png"));
    writeFileBytes(e.dir.file("notes.png"), {'n', 'o', 't', 'e', 's'});
    const struct {
        const char* file;
        const char* said;
    } cases[] = {{"short.png", "128 x 120"}, {"foreign.png", "#010203 at 77, 3"},
                 {"alpha.png", "transparent at 0, 127"}, {"notes.png", "Cannot read the picture"}};
    for (const auto& c : cases) {
        importFrom(e, kit, file(c.file));
        EXPECT_TRUE(e.dialogs.lastMessage().contains(c.said)) << e.dialogs.lastMessage().toStdString();
    }
    EXPECT_EQ(e.body(), before);
    EXPECT_EQ(e.history().index(), 0);

    // An indexed picture of four colours of its own imports by its colour
    // numbers, with a note.
    QImage own = good;
    own.setColorTable({qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)});
    own.save(file("own.png"));
    importFrom(e, kit, file("own.png"));
    EXPECT_TRUE(e.dialogs.lastMessage().contains("taken as they are")) << e.dialogs.lastMessage().toStdString();
    EXPECT_EQ(e.body(), before); // the same numbers as the bank's

    exportTo(e, kit, "plain"); // a name without an ending gets ".png"
    EXPECT_TRUE(QFileInfo::exists(file("plain.png")));
    const auto said = e.dialogs.messages.size();
    kit.importButton()->click(); // cancelled dialogs do nothing
    kit.exportButton()->click();
    EXPECT_EQ(e.dialogs.messages.size(), said);
    exportTo(e, kit, "missing/folder/bank.png");
    EXPECT_TRUE(e.dialogs.lastMessage().startsWith("Cannot write the picture"));
}
