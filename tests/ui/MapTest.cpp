// The map: its view, the area tree, painting, hover words and undo as the
// map shows it.
#include "OpenedEditor.h"

#include "ui/Settings.h"
#include "ui/map/SharedConsent.h"

#include "core/rom/Addressing.h"
#include "ui/HoverInfo.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/MapBlockActions.h"
#include "ui/map/SharedScreensLayer.h"
#include "ui/tools/MapSelection.h"
#include "ui/WorldController.h"
#include "ui/map/GridLines.h"
#include "ui/map/MetatilePicker.h"
#include "ui/map/PaletteStrip.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// Loads a submap three screens across (or more) and two down.
void loadWide(OpenedEditor& e)
{
    e.load(e.submapWhere([&](const rom::AreaId& id) {
        return e.world.game.mapOf(id).wide >= 3 && e.world.game.mapOf(id).high >= 2;
    }));
}

int cellOf(OpenedEditor& e, int screen, int column)
{
    return e.area().map.mapGrid[e.area().map.cellIndex(screen, 0, 0, column)];
}

void selectMetatile(OpenedEditor& e, int metatile)
{
    e.window.workspace()->selectMetatileAt(QPoint((metatile % 8) * 32 + 4, (metatile / 8) * 32 + 4));
}

void clickNode(OpenedEditor& e, const QString& key)
{
    emit e.window.areaTree()->itemClicked(e.window.areaTree()->findNode(key), 0);
}

} // namespace

TEST(MapView, EveryGestureMapsThroughScrollAndZoomExactly)
{
    MapView view;
    view.setPicture(QImage(1024, 448, QImage::Format_RGBX8888));
    view.setupScrollBars(4, 2);
    view.setZoom(3);
    view.horizontalBar()->setValue(301);
    std::vector<QPoint> seen;
    const auto note = [&](QPoint p) { seen.push_back(p); };
    QObject::connect(&view, &MapView::mapPressed, [&](QPoint p, Qt::MouseButton) { note(p); });
    QObject::connect(&view, &MapView::mapMoved, note);
    QObject::connect(&view, &MapView::mapReleased, [&](QPoint p, Qt::MouseButton) { note(p); });
    QObject::connect(&view, &MapView::mapDoubleClicked, [&](QPoint p, Qt::MouseButton) { note(p); });
    press(view.viewport(), {10, 20});
    move(view.viewport(), {10, 20}, Qt::LeftButton);
    release(view.viewport(), {10, 20});
    sendMouse(view.viewport(), QEvent::MouseButtonDblClick, {10, 20}, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 4u);
    for (const QPoint& p : seen)
        EXPECT_EQ(p, view.toMapPixel(QPointF(10, 20)));
    EXPECT_EQ(seen[0].x(), (10 + 301) / 3);
    // Left of the map while held: floor division keeps the pixels apart.
    view.horizontalBar()->setValue(0);
    seen.clear();
    move(view.viewport(), {-1, 0}, Qt::LeftButton);
    move(view.viewport(), {-4, 0}, Qt::LeftButton);
    move(view.viewport(), {5, 5}, Qt::NoButton); // hover only
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].x(), -1);
    EXPECT_EQ(seen[1].x(), -2);

}

TEST(MapView, GridLinesLeftFromALargerMapAreNotSeenAndAllTakeTheColour)
{
    MapView view;
    view.resize(1000, 520);
    QImage picture(512, 224, QImage::Format_RGB32);
    picture.fill(Qt::black);
    view.setPicture(picture);
    view.setupScrollBars(2, 1);
    view.grid().build(1, 1, true, false);
    view.grid().setBlueLevel(200);
    view.grid().build(5, 2, true, false); // lines made after the colour was set
    view.grid().build(2, 1, true, false);
    view.refreshGrid();
    const QImage shot = view.viewport()->grab().toImage();
    const QColor line(0, 0, 200);
    EXPECT_EQ(shot.pixelColor(32, 100), line);
    EXPECT_EQ(shot.pixelColor(256 + 32, 100), line);
    EXPECT_NE(shot.pixelColor(608, 100), line); // a 5-wide map's, right of the picture
    EXPECT_NE(shot.pixelColor(100, 288), line); // a 2-high map's, below it
    // Nor are the screen grid's closing lines at x = 512 and y = 224.
    view.grid().build(2, 1, false, true);
    const QImage screens = view.viewport()->grab().toImage();
    EXPECT_EQ(screens.pixelColor(256, 100), line);
    EXPECT_NE(screens.pixelColor(512, 100), line);
    EXPECT_NE(screens.pixelColor(100, 224), line);
}

TEST(MapPainting, ABrushStrokeOfTenCellsIsOneStepTakenBackByOneUndo)
{
    OpenedEditor e;
    loadWide(e);
    EXPECT_FALSE(e.window.brushAction()->isChecked());
    selectMetatile(e, 1);
    e.dragMap({5, 5}, {{250, 5}}); // without the brush a drag paints its first cell only
    EXPECT_EQ(cellOf(e, 0, 0), 1);
    EXPECT_NE(cellOf(e, 0, 7), 1);
    ASSERT_EQ(e.history().count(), 1);

    const std::vector<std::uint8_t> before = e.body();
    e.window.brushAction()->trigger();
    // Not asked about shared screens here (a stroke reaching one ends there).
    applicationSettings().setValue(QString::fromLatin1(SharedConsent::kAskSetting), false);
    e.dragMap({40, 5}, {{100, 5}, {9 * 32 + 5, 5}}); // across two screens, with one long jump
    applicationSettings().remove(QString::fromLatin1(SharedConsent::kAskSetting));
    for (int column = 1; column < 8; ++column)
        EXPECT_EQ(cellOf(e, 0, column), 1) << column;
    EXPECT_EQ(cellOf(e, 1, 1), 1);
    EXPECT_EQ(e.history().count(), 2);
    e.window.undoStep();
    EXPECT_EQ(e.body(), before);
    EXPECT_NE(cellOf(e, 1, 1), 1) << "the view's area follows the undo";
}

TEST(MapPainting, HoverWordsNameTheNewMetatileAfterAPaintWithoutAMove)
{
    OpenedEditor e;
    loadWide(e);
    const session::LoadedArea& area = e.area();
    const QPoint at(256 + 3 * 32 + 5, 224 + 2 * 32 + 1); // screen (1, 1), cell (3, 2)
    const int metatile = area.map.mapGrid[area.map.cellIndex(1, 1, 2, 3)];
    const int pointer = area.map.screenTable[static_cast<std::size_t>(area.map.screensWide) + 1];
    const QString expected =
        QString::asprintf("Pixel (%d, %d)  Screen (1, 1)  Cell (3, 2)  Metatile $%02X  Pointer $%04X", at.x(), at.y(),
                          metatile, pointer);
    EXPECT_EQ(hoverText(&area, QPoint(-1, 0)), QString());
    QLabel* label = e.window.hover()->hoverLabel();
    const QString panel0 = e.window.statusText(0);
    move(e.mapViewport(), e.onScreen(at), Qt::NoButton);
    EXPECT_EQ(label->text(), expected);
    EXPECT_EQ(e.window.statusText(0), panel0); // the address panels keep their texts

    const int other = metatile == 1 ? 2 : 1;
    selectMetatile(e, other);
    click(e.mapViewport(), e.onScreen(at));
    EXPECT_TRUE(label->text().contains(QString::asprintf("Metatile $%02X", other))) << label->text().toStdString();
    e.window.undoStep();
    EXPECT_EQ(label->text(), expected);

}

TEST(AreaTree, SubmapNodesLoadOtherNodesLoadNothingAndALoadEndsInMapMode)
{
    OpenedEditor e;
    EXPECT_EQ(e.window.statusText(0), QString::asprintf("Area Map: $%04X", e.area().pointers.mapPointer));
    e.window.modeAction(EditMode::Stair)->trigger();
    clickNode(e, e.keyOf({0, 10, 1}));
    EXPECT_EQ(e.area().id, (rom::AreaId{0, 10, 1}));
    EXPECT_EQ(e.window.editMode(), EditMode::Map);
    for (const QString key : {"objset2", "obj0a5"}) {
        clickNode(e, key);
        EXPECT_EQ(e.window.currentNode(), key);
        e.window.workspace()->nightCheck()->click(); // reloads the node: nothing here either
        EXPECT_EQ(e.area().id, (rom::AreaId{0, 10, 1}));
        EXPECT_FALSE(e.area().night);
        e.window.workspace()->nightCheck()->setChecked(false);
    }
}

TEST(AreaTree, TheKeyboardLoadsAsAClickDoesAndTheHighlightFollowsTheLoad)
{
    OpenedEditor e;
    AreaTree* tree = e.window.areaTree();
    auto key = [&](int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(tree, &press);
    };
    tree->setCurrentItem(tree->findNode(e.keyOf({0, 10, 0})));
    key(Qt::Key_Return);
    EXPECT_EQ(e.area().id, (rom::AreaId{0, 10, 0}));
    tree->findNode("obj0a10")->setExpanded(true);
    e.window.show(); // the tree moves through the items it lays out
    QApplication::processEvents();
    key(Qt::Key_Down);
    EXPECT_EQ(e.area().id, (rom::AreaId{0, 10, 1}));
    e.window.loadArea(e.keyOf({0, 0, 0})); // a load from elsewhere moves the highlight
    EXPECT_EQ(AreaTree::keyOf(tree->currentItem()), e.keyOf({0, 0, 0}));
}

TEST(AreaTree, NightReloadsWithTheOtherPaletteAndTheBoxStaysOnWhatIsShown)
{
    OpenedEditor e;
    const rom::AreaId id{2, 3, 1};
    clickNode(e, e.keyOf(id));
    selectMetatile(e, 17);
    QCheckBox* night = e.window.workspace()->nightCheck();
    night->click();
    EXPECT_TRUE(e.area().night);
    EXPECT_EQ(e.area().pointers.palettePointer, e.world.game.submap(id).nightPalettePointer);
    EXPECT_EQ(e.window.workspace()->selectedMetatile(), 0); // selections reset
    clickNode(e, e.keyOf({0, 0, 0}));
    EXPECT_TRUE(e.area().night); // the flag stays for later loads
    // A night palette that cannot be read: the day stays, and so does the box.
    night->click();
    ASSERT_FALSE(e.area().night);
    e.document().rom().writeWord(rom::paletteTableEntry(e.document().rom(), {0, 0, 0}, true), 0x0042);
    night->click();
    EXPECT_EQ(e.dialogs.messages.size(), 1);
    EXPECT_FALSE(e.area().night);
    EXPECT_FALSE(night->isChecked());
}

TEST(AreaTree, AFailedLoadIsReportedAndThePreviousAreaStaysEditable)
{
    OpenedEditor e;
    const rom::AreaId good{0, 10, 1}, broken{1, 6, 2};
    clickNode(e, e.keyOf(good));
    e.document().rom().writeWord(e.world.game.mapTableEntry(1, e.world.game.submap(broken).mapNumber), 0x0042);
    clickNode(e, e.keyOf(broken));
    ASSERT_EQ(e.dialogs.messages.size(), 1);
    EXPECT_TRUE(e.dialogs.messages[0].contains("$0042"));
    EXPECT_EQ(e.area().id, good);
    EXPECT_EQ(AreaTree::keyOf(e.window.areaTree()->currentItem()), e.keyOf(good));
    e.clickMap(QPoint(0, 0));
    EXPECT_EQ(e.dialogs.messages.size(), 1);
}

TEST(AreaTree, PaletteStripCaptionsAreNeverInTheirSwatchsBrightness)
{
    OpenedEditor e;
    PaletteStrip* strip = e.window.workspace()->paletteStrip();
    const QColor light = e.window.palette().color(QPalette::Window);
    EXPECT_EQ(strip->label(16)->text(), "F"); // the fixed sprite colour $0F, dark
    EXPECT_EQ(strip->label(16)->palette().color(QPalette::WindowText), light);
    EXPECT_EQ(strip->label(19)->text(), "20");
    EXPECT_NE(strip->label(19)->palette().color(QPalette::WindowText), light);
    // A value past the master palette (a damaged image) is black under
    // greyscale too, and its caption is not drawn in black on it.
    ASSERT_TRUE(e.area().mask.greyscaleOn());
    gfx::AreaPalette palette = e.area().palette;
    palette[9] = 0x4D; // past the sprite entries, which may share the set's first eight bytes
    e.document().writeAreaPalette(e.area().pointers.palettePointer, palette);
    EXPECT_EQ(strip->label(9)->text(), "4D");
    EXPECT_EQ(strip->label(9)->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(strip->label(9)->palette().color(QPalette::WindowText), light);
}

TEST(MapUndo, AStepOfAnotherSubmapLoadsThatSubmapAndTheStatusBarSaysSo)
{
    OpenedEditor e;
    const rom::AreaId painted = e.area().id;
    const auto opened = e.body();
    selectMetatile(e, e.area().map.mapGrid[0] == 1 ? 2 : 1);
    e.clickMap(QPoint(0, 0));
    e.load(e.submapWhere([&](const rom::AreaId& id) { return !(id == painted); }));

    e.window.undoStep();
    EXPECT_EQ(e.area().id, painted);
    EXPECT_EQ(e.body(), opened);
    EXPECT_EQ(AreaTree::keyOf(e.window.areaTree()->currentItem()), e.keyOf(painted));
    EXPECT_TRUE(e.window.statusNote().startsWith("Undone: Paint metatile 0")) << e.window.statusNote().toStdString();
    e.window.redoStep(); // in the submap itself it stays there
    EXPECT_EQ(e.area().id, painted);
    EXPECT_TRUE(e.window.statusNote().startsWith("Redone: "));
}

TEST(MapBlocks, ACopiedBlockPastesAgainAndAgainAsOneStepEachButNotIntoAnotherObjectSet)
{
    OpenedEditor e;
    loadWide(e);
    MapBlockActions& blocks = *e.window.mapBlocks();
    EXPECT_EQ(e.window.modeAction(EditMode::Select)->shortcut(), QKeySequence(Qt::Key_R));
    e.window.setEditMode(EditMode::Select);
    e.dragMap({5, 5}, {{70, 40}});
    ASSERT_EQ(blocks.selection().rect(), (session::CellRect{0, 0, 3, 2}));
    blocks.copyAction()->trigger();
    const session::MetatileBlock block = session::copyBlock(e.area().map, {0, 0, 3, 2});
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), session::blockText(block));

    blocks.pasteAction()->trigger();
    ASSERT_EQ(e.window.editMode(), EditMode::Paste);
    for (const QPoint at : {QPoint(4 * 32 + 9, 3 * 32 + 9), QPoint(9 * 32, 0)}) {
        move(e.mapViewport(), e.onScreen(at), Qt::NoButton); // the block floats there first
        e.clickMap(at);
        EXPECT_EQ(session::copyBlock(e.area().map, {at.x() / 32, at.y() / 32, 3, 2}), block);
    }
    EXPECT_EQ(e.history().count(), 2);
    EXPECT_EQ(e.history().text(1).toStdString(), "Paste 3 x 2 block");
    blocks.deselectAction()->trigger(); // Escape ends pasting, then clears the selection
    EXPECT_EQ(e.window.editMode(), EditMode::Select);
    blocks.deselectAction()->trigger();
    EXPECT_FALSE(blocks.selection().rect());

    // Refused: a block of another object set, a metatile the chooser does
    // not offer here. Nothing floats and nothing is written.
    const std::vector<std::uint8_t> before = e.body();
    auto* foreign = new QMimeData;
    foreign->setData(MapBlockActions::kBlockMimeType,
                     QStringLiteral("set %1\n00\n").arg((e.area().id.objectSet + 1) % 6).toUtf8());
    QGuiApplication::clipboard()->setMimeData(foreign);
    blocks.pasteAction()->trigger();
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("object set"))) << e.dialogs.lastMessage().toStdString();
    QGuiApplication::clipboard()->setText(QStringLiteral("00 FE\n"));
    blocks.pasteAction()->trigger();
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("FE"))) << e.dialogs.lastMessage().toStdString();
    EXPECT_EQ(e.window.editMode(), EditMode::Select);
    EXPECT_EQ(e.body(), before);
}

TEST(MapBlocks, FillDeleteAndAltClickActOnTheMapAndSayWhereElseAFillShows)
{
    OpenedEditor e;
    loadWide(e);
    MapBlockActions& blocks = *e.window.mapBlocks();
    e.window.setEditMode(EditMode::Fill);
    selectMetatile(e, 1); // choosing a metatile keeps the Fill tool
    ASSERT_EQ(e.window.editMode(), EditMode::Fill);

    // A screen shown elsewhere too: the fill says so.
    const int shared = [&] {
        for (int position = 0; position < blocks.sharedScreens().sharing().positions(); ++position)
            if (blocks.sharedScreens().sharing().otherPlaces(position) > 0)
                return position;
        return -1;
    }();
    ASSERT_GE(shared, 0);
    const int wide = e.area().map.screensWide;
    const QPoint inShared((shared % wide) * 256 + 5, (shared / wide) * 224 + 5);
    const std::vector<std::uint8_t> before = e.body();
    const session::MapCell cell = *session::cellAtPixel(e.area().map, inShared.x(), inShared.y());
    const std::size_t region = session::fillRegion(e.area().map, cell).size();
    e.clickMap(inShared);
    EXPECT_EQ(session::metatileAt(e.area().map, cell), 1);
    ASSERT_EQ(e.history().count(), 1);
    EXPECT_EQ(e.history().text(0), QStringLiteral("Fill %1 %2 with 01").arg(region).arg(region == 1 ? "cell" : "cells"));
    EXPECT_TRUE(e.window.statusNote().startsWith(QStringLiteral("also changes")))
        << e.window.statusNote().toStdString();
    e.window.undoStep();
    EXPECT_EQ(e.body(), before);

    // Alt+click picks the metatile under the pointer.
    const int under = session::metatileAt(e.area().map, {1, 1});
    sendMouse(e.mapViewport(), QEvent::MouseButtonPress, e.onScreen({40, 40}), Qt::LeftButton, Qt::LeftButton,
              Qt::AltModifier);
    release(e.mapViewport(), e.onScreen({40, 40}));
    EXPECT_EQ(e.window.workspace()->selectedMetatile(), under);
    EXPECT_EQ(e.body(), before);

    // Select All and Delete: every cell 0, one step.
    blocks.selectAllAction()->trigger();
    blocks.deleteAction()->trigger();
    EXPECT_TRUE(std::all_of(e.area().map.mapGrid.begin(), e.area().map.mapGrid.end(), [](auto m) { return m == 0; }));
    EXPECT_EQ(e.history().text(e.history().count() - 1),
              QStringLiteral("Delete %1 x %2 block").arg(wide * 8).arg(e.area().map.screensHigh * 7));
}
