#include "OpenedEditor.h"

#include "core/gfx/NesColor.h"
#include "core/rom/GameLayout.h"
#include "ui/CanvasImage.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

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

// The kit of the background editor, opened from the main window on the
// loaded submap's object set, with the image's mask byte as given.
struct KitWindow : OpenedEditor {
    MetatileEditor* editor = nullptr;
    TileKit* kit = nullptr;

    explicit KitWindow(std::uint8_t mask = SyntheticGame::kDefaultPpuMask)
        : OpenedEditor([mask](SyntheticWorld& world) { world.rom.body()[layout::kPpuMaskByte] = mask; })
    {
        window.openMetatileEditor();
        editor = window.metatileEditor();
        kit = editor->tileKit();
    }

    std::uint8_t pixel(int tile, int column, int row) const
    {
        return kit->tiles()[static_cast<std::size_t>(tile * 64 + row * 8 + column)];
    }
    gfx::TilePixels tile(int t) const
    {
        return gfx::TilePixels(kit->tiles().begin() + t * 64, kit->tiles().begin() + t * 64 + 64);
    }
    // True when every byte changed since `before` is one of tile t's 16.
    bool onlyTileChanged(const std::vector<std::uint8_t>& before, int t)
    {
        const std::size_t first = kit->bankStart() + 16 * static_cast<std::size_t>(t);
        for (std::size_t i : changedSince(before))
            if (i < first || i >= first + 16)
                return false;
        return true;
    }
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    QString exportTo(const char* name)
    {
        dialogs.filesToSave.push_back(file(name));
        kit->exportButton()->click();
        return file(name);
    }
    void importFrom(const QString& path)
    {
        dialogs.filesToOpen.push_back(path);
        kit->importButton()->click();
    }
};

} // namespace

TEST(TileKit, APixelStrokeIsOneStepAndOneUndoTakesItAllBackKeepingTheSelection)
{
    KitWindow k(0x1E); // in colour, so the tile view shows every pixel value
    TileKit& kit = *k.kit;
    OpenedEditor::selectTile(kit, 0x21);
    press(kit.colorSwatch(1), QPoint(3, 3), Qt::LeftButton);
    press(kit.colorSwatch(2), QPoint(3, 3), Qt::RightButton);
    const auto before = k.body();
    const gfx::TilePixels tiles = kit.tiles();
    const QImage shown = kit.tileView()->picture();
    auto at = [&](int c, int r) { return OpenedEditor::tilePixel(kit, c, r); };

    QWidget* view = kit.tileView();
    press(view, at(0, 0));
    move(view, at(1, 0), Qt::LeftButton);
    move(view, at(1, 0) + QPoint(5, 5), Qt::LeftButton); // the same magnified pixel
    move(view, at(2, 0), Qt::LeftButton | Qt::RightButton); // both held: the right colour
    move(view, at(7, 7), Qt::LeftButton); // a jump paints where the event arrives
    move(view, QPoint(-3, 20), Qt::LeftButton); // outside: nothing
    release(view, at(7, 7));
    move(view, at(4, 5), Qt::LeftButton); // after the release: nothing

    EXPECT_EQ(k.pixel(0x21, 0, 0), 1);
    EXPECT_EQ(k.pixel(0x21, 1, 0), 1);
    EXPECT_EQ(k.pixel(0x21, 2, 0), 2);
    EXPECT_EQ(k.pixel(0x21, 7, 7), 1);
    EXPECT_EQ(k.pixel(0x21, 4, 5), tiles[0x21 * 64 + 5 * 8 + 4]);
    EXPECT_EQ(k.pixel(0x21, 5, 5), tiles[0x21 * 64 + 5 * 8 + 5]);
    EXPECT_EQ(k.history().index(), 1);
    EXPECT_TRUE(k.onlyTileChanged(before, 0x21));
    EXPECT_NE(kit.tileView()->picture(), shown);

    k.window.undoStep();
    EXPECT_EQ(k.body(), before);
    EXPECT_EQ(kit.tiles(), tiles);
    EXPECT_EQ(kit.tileView()->picture(), shown);
    EXPECT_EQ(kit.selectedTile(), 0x21);
    EXPECT_EQ(kit.selectedTileLabel()->text(), "21");
    EXPECT_EQ(kit.leftColor(), 1);
    EXPECT_EQ(kit.rightColor(), 2);

    // A press without a button paints nothing; the middle button paints the right colour.
    sendMouse(view, QEvent::MouseButtonPress, at(6, 6), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(k.history().index(), 0);
    OpenedEditor::strokeTile(kit, {{3, 6}}, Qt::MiddleButton);
    EXPECT_EQ(k.pixel(0x21, 3, 6), 2);
}

TEST(TileKit, DragCopiesAndTileOperationsAreOneStepEachOnTheirTileOnly)
{
    KitWindow k;
    TileKit& kit = *k.kit;
    QWidget* table = kit.patternTableView();
    OpenedEditor::selectTile(kit, 0x12); // pressed and released on one tile: no copy
    EXPECT_EQ(kit.selectedTileLabel()->text(), "12");
    EXPECT_EQ(k.history().index(), 0);

    auto before = k.body();
    press(table, OpenedEditor::tableTile(kit, 0x12), Qt::RightButton);
    release(table, OpenedEditor::tableTile(kit, 0x34), Qt::RightButton);
    EXPECT_EQ(k.tile(0x34), k.tile(0x12));
    EXPECT_EQ(kit.selectedTile(), 0x12);
    EXPECT_EQ(k.history().index(), 1);
    EXPECT_TRUE(k.onlyTileChanged(before, 0x34));
    // Releasing outside the table copies nothing.
    press(table, OpenedEditor::tableTile(kit, 0xFF));
    for (QPoint outside : {QPoint(256, 10), QPoint(-1, 10), QPoint(10, 256), QPoint(10, -1)})
        release(table, outside);
    EXPECT_EQ(k.history().index(), 1);

    // Which pixel each button moves where: new (column, row) holds old (column, row).
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
        before = k.body();
        const gfx::TilePixels old = k.tile(0x25);
        const int steps = k.history().index();
        kit.operationButton(c.operation)->click();
        EXPECT_EQ(k.pixel(0x25, c.to.x(), c.to.y()), old[static_cast<std::size_t>(c.from.y() * 8 + c.from.x())]);
        EXPECT_EQ(k.history().index(), steps + 1);
        EXPECT_TRUE(k.onlyTileChanged(before, 0x25));
        k.window.undoStep();
        EXPECT_EQ(k.body(), before);
        EXPECT_EQ(kit.selectedTile(), 0x25);
    }
}

TEST(TileKit, ColourChoicePaletteSteppingAndGridFollowTheControls)
{
    KitWindow k;
    TileKit& kit = *k.kit;
    press(kit.colorSwatch(2), QPoint(3, 3), Qt::LeftButton);
    press(kit.colorSwatch(3), QPoint(3, 3), Qt::RightButton);
    EXPECT_EQ(kit.leftColor(), 2);
    EXPECT_EQ(kit.rightColor(), 3);
    EXPECT_EQ(kit.currentColorSwatch(0)->color(), kit.colorSwatch(2)->color());
    EXPECT_EQ(kit.currentColorSwatch(1)->color(), kit.colorSwatch(3)->color());
    press(kit.colorSwatch(1), QPoint(3, 3), Qt::MiddleButton);
    EXPECT_EQ(kit.rightColor(), 1);

    // The background kit steps through palettes 0-3, wrapping.
    EXPECT_EQ(kit.paletteNumber(), 0);
    kit.previousPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kit.colorSwatch(i)->color(),
                  gfx::nesColorToRgb(k.area().palette[static_cast<std::size_t>(12 + i)], k.area().mask));
    kit.nextPaletteButton()->click();
    kit.nextPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 1);
    // Opening the window again keeps the palette but not the tile or colours.
    OpenedEditor::selectTile(kit, 0x40);
    k.window.openMetatileEditor();
    EXPECT_EQ(kit.paletteNumber(), 1);
    EXPECT_EQ(kit.selectedTile(), 0);
    EXPECT_EQ(kit.leftColor(), 0);
    EXPECT_EQ(kit.rightColor(), 1);

    // The grid switches every view of the window and takes a blue shade.
    EXPECT_EQ(kit.gridCheck()->text(), "Show Grid");
    const bool shown = kit.gridShown();
    kit.gridCheck()->click();
    for (PixelView* view : {kit.patternTableView(), kit.tileView(), k.editor->metatileView(), k.editor->attributeView()})
        EXPECT_EQ(view->gridShown(), !shown);
    kit.gridColorBar()->setValue(77);
    EXPECT_EQ(kit.gridColor(), QColor(0, 0, 77));
    EXPECT_EQ(kit.gridColorBar()->maximum(), 255);
}

TEST(TileKitPicture, AnExportedBankImportsBackAsOneStep)
{
    KitWindow k(0x1E); // in colour, so every palette entry has a colour of its own
    TileKit& kit = *k.kit;
    kit.stepPalette(2); // the current palette is the one written
    const QString path = k.exportTo("bank.png");
    ASSERT_TRUE(k.dialogs.messages.isEmpty()) << k.dialogs.lastMessage().toStdString();
    const QImage written(path);
    ASSERT_EQ(written.size(), QSize(128, 128));
    EXPECT_EQ(written.format(), QImage::Format_Indexed8);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(written.color(i) & 0xFFFFFFu,
                  toQColor(kit.colors()[kit.palette()[static_cast<std::size_t>(8 + i)] & 0x3F]).rgb() & 0xFFFFFFu);

    const auto exported = k.body();
    OpenedEditor::selectTile(kit, 0x40);
    kit.operationButton(TileKit::Operation::Rotate)->click();
    const auto painted = k.body();
    k.importFrom(path);
    EXPECT_TRUE(k.dialogs.messages.isEmpty()) << k.dialogs.lastMessage().toStdString();
    EXPECT_EQ(k.body(), exported);
    EXPECT_EQ(k.history().index(), 2);
    EXPECT_EQ(kit.selectedTile(), 0x40);
    k.window.undoStep();
    EXPECT_EQ(k.body(), painted);

    // An RGB picture in the palette's colours reads the same way; a picture
    // of the bank as it is changes nothing and leaves no step.
    written.convertToFormat(QImage::Format_RGB32).save(k.file("rgb.png"));
    k.importFrom(k.file("rgb.png"));
    EXPECT_TRUE(k.dialogs.messages.isEmpty()) << k.dialogs.lastMessage().toStdString();
    EXPECT_EQ(k.body(), exported);
    k.importFrom(k.file("rgb.png"));
    EXPECT_EQ(k.history().index(), 2);
}

TEST(TileKitPicture, RefusesWrongSizeForeignColoursAndUnreadableFilesChangingNothing)
{
    KitWindow k;
    const QImage good(k.exportTo("bank.png"));
    const auto before = k.body();

    good.copy(0, 0, 128, 120).save(k.file("short.png"));
    QImage foreign = good.convertToFormat(QImage::Format_RGB32);
    foreign.setPixel(77, 3, qRgb(1, 2, 3));
    foreign.save(k.file("foreign.png"));
    QImage alpha = good.convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 127, (alpha.pixel(0, 127) & 0xFFFFFFu) | 0x64000000u); // half transparent
    alpha.save(k.file("alpha.png"));
    writeFileBytes(k.dir.file("notes.png"), {'n', 'o', 't', 'e', 's'});

    const struct {
        const char* file;
        const char* said;
    } cases[] = {{"short.png", "128 x 120"}, {"foreign.png", "#010203 at 77, 3"},
                 {"alpha.png", "transparent at 0, 127"}, {"notes.png", "Cannot read the picture"}};
    for (const auto& c : cases) {
        k.importFrom(k.file(c.file));
        EXPECT_TRUE(k.dialogs.lastMessage().contains(c.said)) << k.dialogs.lastMessage().toStdString();
    }
    EXPECT_EQ(k.dialogs.messages.size(), 4);
    EXPECT_EQ(k.body(), before);
    EXPECT_EQ(k.history().index(), 0);

    // An indexed picture of four colours of its own imports by its colour
    // numbers, with a note.
    QImage own = good;
    own.setColorTable({qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)});
    own.save(k.file("own.png"));
    k.importFrom(k.file("own.png"));
    EXPECT_TRUE(k.dialogs.lastMessage().contains("taken as they are")) << k.dialogs.lastMessage().toStdString();
    EXPECT_EQ(k.body(), before); // the same numbers as the bank's
    k.dialogs.messages.removeLast();

    // A name without an ending gets ".png".
    k.exportTo("plain");
    EXPECT_TRUE(QFileInfo::exists(k.file("plain.png")));

    // Cancelled dialogs do nothing; a folder that cannot be written is reported.
    k.kit->importButton()->click();
    k.kit->exportButton()->click();
    EXPECT_EQ(k.dialogs.messages.size(), 4);
    k.exportTo("missing/folder/bank.png");
    EXPECT_TRUE(k.dialogs.lastMessage().startsWith("Cannot write the picture"));
}

TEST(TileKitZoom, AZoomedKitSelectsAndPaintsWhatThePointerIsOver)
{
    KitWindow k;
    TileKit& kit = *k.kit;
    kit.zoomViews(1);
    kit.zoomViews(1);
    EXPECT_EQ(kit.tileView()->zoom(), 3);
    EXPECT_EQ(kit.patternTableView()->zoom(), 2); // the table stops at 512 pixels
    kit.zoomInButton()->click();
    EXPECT_EQ(kit.tileView()->zoom(), 4);
    EXPECT_FALSE(kit.zoomInButton()->isEnabled());
    kit.zoomOutButton()->click();
    EXPECT_EQ(kit.tileView()->zoom(), 3);
    EXPECT_EQ(kit.patternTableView()->zoom(), 1);
    kit.patternTableView()->setZoom(2);

    // The last widget pixel of tile $5B's last logical pixel selects it.
    click(kit.patternTableView(), QPoint((0xB * 16 + 15) * 2 + 1, (5 * 16 + 15) * 2 + 1));
    EXPECT_EQ(kit.selectedTile(), 0x5B);
    press(kit.colorSwatch(3), QPoint(3, 3));
    const gfx::TilePixels old = k.tile(0x5B);
    // Logical (63, 0) is tile pixel (7, 0); logical (8, 23) is (1, 2).
    press(kit.tileView(), QPoint(63 * 6 + 5, 0));
    move(kit.tileView(), QPoint(8 * 6, 23 * 6), Qt::LeftButton);
    release(kit.tileView(), QPoint(8 * 6, 23 * 6));
    gfx::TilePixels expected = old;
    expected[7] = 3;
    expected[2 * 8 + 1] = 3;
    EXPECT_EQ(k.tile(0x5B), expected);
}
