// The editors built on the tile kit: the kit itself, the background
// (metatile) editor and the sprite editor.
#include "OpenedEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/session/WhereUsed.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticSprites.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/SpriteEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

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

    e.window.undoStep();
    EXPECT_EQ(e.body(), before);
    EXPECT_EQ(kit.tileView()->picture(), shown);
    EXPECT_EQ(kit.selectedTileLabel()->text(), "21");
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
    auto before = e.body();
    press(table, OpenedEditor::tableTile(kit, 0x12), Qt::RightButton);
    release(table, OpenedEditor::tableTile(kit, 0x34), Qt::RightButton);
    EXPECT_EQ(tileOf(kit, 0x34), tileOf(kit, 0x12));
    EXPECT_EQ(kit.selectedTile(), 0x12);
    EXPECT_EQ(e.history().index(), 1);
    EXPECT_TRUE(onlyTileChanged(e, kit, before, 0x34));

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

TEST(TileKit, AZoomedKitSelectsAndPaintsWhatThePointerIsOver)
{
    OpenedEditor e;
    TileKit& kit = openKit(e);
    kit.zoomViews(1);
    kit.zoomViews(1);
    EXPECT_EQ(kit.tileView()->zoom(), 3);
    EXPECT_EQ(kit.patternTableView()->zoom(), 2); // the table stops at 512 pixels
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

TEST(MetatileEditor, TheWholePatternTableShowsAtTheSmallestZoom)
{
    OpenedEditor e;
    MetatileEditor& editor = openFor(e, 0);
    editor.show();
    QCoreApplication::processEvents();
    // Neither the window's own size nor the screen squeezes the table into
    // its scroll area: all 256 x 256 pixels are in view.
    const PixelView* table = editor.tileKit()->patternTableView();
    EXPECT_EQ(table->zoom(), 1);
    EXPECT_EQ(table->visibleRegion().boundingRect(), QRect(0, 0, 256, 256));
    EXPECT_LE(editor.sizeHint().height(), 720);
    EXPECT_LE(editor.sizeHint().width(), 1280);
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
}

namespace {

SpriteEditor& openSprites(OpenedEditor& e)
{
    e.window.openSpriteEditor();
    return *e.window.spriteEditor();
}

int ticksUntilFrameChanges(SpriteEditor& editor)
{
    const int shown = editor.previewPosition();
    for (int ticks = 1; ticks < 1000; ++ticks) {
        editor.tickPlayback();
        if (editor.previewPosition() != shown)
            return ticks;
    }
    return -1;
}

} // namespace

TEST(SpriteEditor, PlaybackHoldsEachFrameTimerPlusOneTicksUntilStoppedOrClosed)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    QTimer* timer = e.playbackTimer();
    e.playButton()->click(); // animation 0: three frames of four ticks each, looping
    EXPECT_TRUE(timer->isActive());
    const QImage first = e.preview()->picture();
    for (int expected : {1, 2, 0}) {
        EXPECT_EQ(ticksUntilFrameChanges(e), 4);
        EXPECT_EQ(e.previewPosition(), expected);
        EXPECT_EQ(e.preview()->picture() == first, expected == 0);
    }
    e.tickPlayback(); // play while playing, or choosing a frame, does not disturb the count
    e.playButton()->click();
    e.frameBar()->setValue(7);
    EXPECT_EQ(ticksUntilFrameChanges(e), 3);
    for (QPushButton* stop : {e.stopButton(), e.editButton()}) {
        e.playButton()->click();
        stop->click();
        EXPECT_FALSE(timer->isActive());
    }

    // Another animation stops it; timer 0 is a new frame every tick.
    e.playButton()->click();
    e.animationBar()->setValue(kSyntheticFastAnimation);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(e.previewPosition(), 0);
    e.playButton()->click();
    EXPECT_EQ(ticksUntilFrameChanges(e), 1);
    e.stepForwardButton()->click(); // stepping stops it and says which frame shows (frames 08-0B)
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(e.playingLabel()->text(), "Frame 0A");
    for (int step = 0; step < 3; ++step)
        e.stepBackButton()->click();
    EXPECT_EQ(e.playingLabel()->text(), "Frame 0B");
    e.playButton()->click();
    EXPECT_EQ(ticksUntilFrameChanges(e), 1);
    e.close(); // closing stops it and writes nothing
    EXPECT_FALSE(timer->isActive());
    e.tickPlayback();
    EXPECT_EQ(e.previewPosition(), 1);
    EXPECT_EQ(s.history().index(), 0);
}

TEST(SpriteEditor, GotoReadsHexAndRefusesAFrameThatIsNotThere)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    const QImage empty = e.frameView()->picture(); // frame 0 has no sprites
    e.startBox()->setText("1");
    e.gotoButton()->click();
    EXPECT_EQ(e.frameBar()->value(), kSyntheticExampleFrame);
    EXPECT_NE(e.frameView()->picture(), empty);
    EXPECT_EQ(e.oamTextBox()->toPlainText(),
              QString::fromStdString(sprites::oamText(e.frameList())).replace("\r\n", "\n"));
    e.startBox()->setText("100");
    e.gotoButton()->click();
    EXPECT_EQ(s.dialogs.messages, QStringList{texts::sprite::kNoSuchFrame});
    EXPECT_EQ(e.currentFrame(), kSyntheticExampleFrame);
}

TEST(SpriteEditor, FramesShowTilesAsPaintedAndUndoneInOneStep)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    TileKit& kit = *e.tileKit();
    e.frameBar()->setValue(kSyntheticExampleFrame);
    const QImage shown = e.frameView()->picture();
    const int tile = sprites::oamEntry(e.frameList(), 0).tile;
    OpenedEditor::selectTile(kit, tile);
    const int colour = (kit.tiles()[static_cast<std::size_t>(tile) * 64] + 1) & 3;
    OpenedEditor::strokeTile(kit, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, colour);
    EXPECT_EQ(s.history().index(), 1);
    EXPECT_NE(e.frameView()->picture(), shown);
    s.window.undoStep();
    EXPECT_EQ(e.frameView()->picture(), shown);
    EXPECT_EQ(kit.selectedTile(), tile);
}

TEST(SpriteEditor, AnotherObjectSetTakesTheKitWritingNothingAndStaysChosen)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    TileKit& kit = *e.tileKit();
    OpenedEditor::selectTile(kit, 0x21);
    press(kit.colorSwatch(3), QPoint(2, 2));
    const auto before = s.body();
    e.objectSetList()->setCurrentIndex(3);
    EXPECT_EQ(s.body(), before);
    EXPECT_EQ(kit.bankStart(), rom::sprChrBase(s.document().rom(), 3));
    EXPECT_EQ(kit.tiles(), gfx::decodeTiles(s.document().rom(), kit.bankStart(), 256));
    EXPECT_EQ(kit.selectedTile(), 0x21);
    EXPECT_EQ(kit.leftColor(), 3);
    EXPECT_EQ(kit.paletteNumber(), 4); // the sprite kit steps through palettes 4-7
    kit.previousPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 7);

    OpenedEditor::strokeTile(kit, {{0, 0}}); // into the chosen bank
    for (std::size_t i : s.changedSince(before))
        EXPECT_TRUE(i >= kit.bankStart() && i < kit.bankStart() + 0x1000) << std::hex << i;
    e.close();
    openSprites(s);
    EXPECT_EQ(e.objectSetList()->currentIndex(), 3);
    EXPECT_EQ(kit.paletteNumber(), 4); // and starts at 4 each time
}

TEST(SpriteEditor, AClickSelectsTheTopmostSpriteAndADragOrANudgeIsOneStepAskedOnceForSharedData)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    e.frameBar()->setValue(kSyntheticExampleFrame); // frame FF points at the same data
    const auto before = s.body();
    // Sprite 0 (X 40, upper half from Y 47) covers (160-191, 188-251) at four times size.
    click(e.frameView(), QPoint(188, 200)); // asks at the press (Change): this press drags nothing
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 1);
    EXPECT_EQ(e.selectedSprite(), 0);
    EXPECT_EQ(e.tileKit()->selectedTile(), 0x11);
    EXPECT_EQ(e.spriteTable()->currentRow(), 0);
    EXPECT_TRUE(e.sharedNote()->text().contains("FF"));

    press(e.frameView(), QPoint(170, 200));
    move(e.frameView(), QPoint(174, 200), Qt::LeftButton);
    move(e.frameView(), QPoint(178, 196), Qt::LeftButton); // two game pixels right, one up
    release(e.frameView(), QPoint(178, 196));
    EXPECT_EQ(s.history().index(), 1);
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0xFA);
    EXPECT_EQ(e.frameSprites().sprites[0].dy, -9);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&e, &right);
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0xFB);
    EXPECT_EQ(s.history().index(), 2);
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 1); // asked once for the frames it named
    EXPECT_EQ(sprites::oamEntry(e.frameList(), 0).x, 0x2B); // the view follows

    s.window.undoStep();
    s.window.undoStep();
    EXPECT_EQ(s.body(), before);
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0xF8);
}

TEST(SpriteEditor, TableEditsChangeTheSharedAttributeAndDeleteRemovesOrRefuses)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    e.frameBar()->setValue(kSyntheticExampleFrame);
    e.selectSprite(1);
    const std::size_t entry = s.world.sprites.frames[kSyntheticExampleFrame].pointer & 0x3FFF;
    s.dialogs.yesNoAnswers = {true}; // the attribute it shares; frame FF's data is answered Change
    e.spriteTable()->item(1, 3)->setText("6"); // palette of the carried sprite
    EXPECT_EQ(s.body()[entry + 3], 0x02);
    EXPECT_EQ(e.frameSprites().sprites[0].attribute, 0x02);
    e.spriteTable()->item(0, 4)->setCheckState(Qt::Checked); // H flip of the owner
    EXPECT_EQ(s.body()[entry + 3], 0x42);

    const QImage described = e.frameView()->picture();
    e.inGameCheck()->setChecked(true);
    EXPECT_NE(e.frameView()->picture(), described);
    const QString sheet = QString::fromStdString(s.dir.file("sheet.png"));
    s.dialogs.filesToSave = {QString::fromStdString(s.dir.file("frame")), sheet, sheet};
    e.exportFrameButton()->click();
    // The description beside the sheet is asked about too: No writes neither.
    writeFileBytes(s.dir.file("sheet.json"), {'o'});
    s.dialogs.yesNoAnswers = {false, true};
    e.exportSheetButton()->click();
    EXPECT_TRUE(s.dialogs.lastMessage().startsWith(QString::fromStdString(s.dir.file("sheet.json")) + " already exists."));
    EXPECT_FALSE(QFileInfo::exists(sheet));
    e.exportSheetButton()->click();
    const QImage exported(QString::fromStdString(s.dir.file("frame.png")));
    EXPECT_EQ(exported.size(), e.framePicture().size());
    EXPECT_TRUE(exported.hasAlphaChannel());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(s.dir.file("sheet.json"))));

    const int steps = s.history().index();
    e.selectSprite(0);
    e.deleteButton()->click(); // sprite 1 carries its attribute and has no byte to keep it
    EXPECT_EQ(s.history().index(), steps);
    e.selectSprite(1);
    e.deleteButton()->click();
    EXPECT_EQ(e.frameSprites().sprites.size(), 1u);
    EXPECT_EQ(e.spriteTable()->rowCount(), 1);
    EXPECT_EQ(e.selectedSprite(), 0);
}
