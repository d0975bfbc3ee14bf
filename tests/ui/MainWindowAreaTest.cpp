#include "OpenedEditor.h"

#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/RecentFiles.h"
#include "ui/map/MapView.h"
#include "ui/map/MetatilePicker.h"
#include "ui/map/PaletteStrip.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using quarry::test::ScriptedDialogs;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

struct OpenWindow : quarry::test::OpenedEditor {

    void click(const QString& key)
    {
        QTreeWidgetItem* item = window.areaTree()->findNode(key);
        ASSERT_NE(item, nullptr) << key.toStdString();
        emit window.areaTree()->itemClicked(item, 0);
    }
    AreaWorkspace& workspace() { return *window.workspace(); }
};

QString keyOf(const rom::AreaId& id)
{
    return QString::fromStdString(world::findSubmap(id)->key);
}

} // namespace

TEST(MainWindowArea, OpenFillsTheTreeAndLoadsTheFirstSubmap)
{
    OpenWindow w;
    // Opening again, to see the message the fixture's open showed.
    w.dialogs.filesToOpen.push_back(QString::fromStdString(w.path));
    w.window.openFile();
    EXPECT_EQ(w.dialogs.messages, QStringList{"File successfully loaded!"});
    const QList<QTreeWidgetItem*> nodes = w.window.areaTree()->nodesInOrder();
    ASSERT_EQ(nodes.size(), 6 + 54 + 93);
    EXPECT_EQ(AreaTree::keyOf(nodes[0]), "objset0");
    EXPECT_EQ(AreaTree::keyOf(nodes[1]), "obj0a0");
    EXPECT_EQ(AreaTree::keyOf(nodes[2]), "town000000");
    EXPECT_EQ(w.window.areaTree()->topLevelItemCount(), 6);
    EXPECT_EQ(w.window.areaTree()->topLevelItem(5)->text(0), "Vesperhold");

    EXPECT_EQ(w.area().id, (rom::AreaId{0, 0, 0}));
    EXPECT_EQ(w.window.currentNode(), "town000000");
    const rom::ResolvedArea& pointers = w.area().pointers;
    EXPECT_EQ(w.window.statusText(0), "Area Map: $" + QString::fromStdString(hexDigits(pointers.mapPointer, 4)));
    EXPECT_EQ(w.window.statusText(1), "Actors: $" + QString::fromStdString(hexDigits(pointers.actorPointer, 4)));
    EXPECT_EQ(w.window.editMode(), EditMode::Map);
    EXPECT_EQ(w.workspace().selectedMetatile(), 0);
    EXPECT_EQ(w.workspace().picker()->selectionText(), "00");
    EXPECT_EQ(w.workspace().mapView()->picture().width(), w.area().mapWidth());
}

TEST(MainWindowArea, ObjectSetAndAreaNodesLoadNothing)
{
    OpenWindow w;
    w.click(keyOf({0, 10, 1}));
    ASSERT_EQ(w.area().id, (rom::AreaId{0, 10, 1}));
    for (const QString key : {"objset2", "obj0a5"}) {
        w.click(key);
        EXPECT_EQ(w.window.currentNode(), key);
        EXPECT_EQ(w.area().id, (rom::AreaId{0, 10, 1}));
        // "Night" reloads the current node, which loads nothing here either.
        w.workspace().nightCheck()->click();
        EXPECT_EQ(w.area().id, (rom::AreaId{0, 10, 1}));
        EXPECT_FALSE(w.area().night);
        w.workspace().nightCheck()->setChecked(false);
    }
}

TEST(MainWindowArea, TheKeyboardLoadsAsAClickDoesAndTheHighlightFollowsTheLoad)
{
    OpenWindow w;
    AreaTree* tree = w.window.areaTree();
    auto key = [&](int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(tree, &press);
    };
    tree->setCurrentItem(tree->findNode(keyOf({0, 10, 0})));
    key(Qt::Key_Return);
    EXPECT_EQ(w.area().id, (rom::AreaId{0, 10, 0}));
    tree->findNode("obj0a10")->setExpanded(true);
    w.window.show(); // the tree moves through the items it lays out
    QApplication::processEvents();
    key(Qt::Key_Down);
    EXPECT_EQ(w.area().id, (rom::AreaId{0, 10, 1}));
    // A load from elsewhere (here the program itself) moves the highlight.
    w.window.loadArea(keyOf({0, 0, 0}));
    EXPECT_EQ(AreaTree::keyOf(tree->currentItem()), keyOf({0, 0, 0}));
}

TEST(MainWindowArea, OpenRecentListsTheImagesAndDropsOneThatVanished)
{
    OpenWindow w;
    const QString path = QFileInfo(QString::fromStdString(w.path)).absoluteFilePath();
    ASSERT_EQ(w.window.recentFiles()->files().value(0), path);
    // Open starts in the folder of the image opened last.
    w.window.openFile();
    EXPECT_EQ(w.dialogs.lastOpenFolder, QFileInfo(path).absolutePath());

    const QString copy = QString::fromStdString(w.dir.file("copy.nes"));
    QFile::copy(path, copy);
    w.window.openRecent(copy);
    EXPECT_EQ(w.window.recentFiles()->files().value(0), copy);
    EXPECT_EQ(w.window.document().romPath(), copy.toStdString());
    QFile::remove(copy);
    w.dialogs.messages.clear();
    w.window.openRecent(copy);
    EXPECT_TRUE(w.dialogs.lastMessage().contains("no longer there"));
    EXPECT_FALSE(w.window.recentFiles()->files().contains(copy));
    EXPECT_EQ(w.window.document().romPath(), copy.toStdString()); // still the open image
}

TEST(MainWindowArea, NightReloadsWithTheOtherPaletteAndResetsSelections)
{
    OpenWindow w;
    const rom::AreaId id{2, 3, 1};
    w.click(keyOf(id));
    w.workspace().selectMetatileAt(QPoint(40, 70));
    w.workspace().nightCheck()->click();
    EXPECT_TRUE(w.area().night);
    EXPECT_EQ(w.area().pointers.palettePointer, w.world.game.submap(id).nightPalettePointer);
    EXPECT_EQ(w.workspace().selectedMetatile(), 0);
    EXPECT_EQ(w.window.currentActor(), 0);
    EXPECT_EQ(w.window.currentStair(), 0);
    EXPECT_EQ(w.window.statusText(3),
              "Palette: $" + QString::fromStdString(hexDigits(w.area().pointers.palettePointer, 4)));
    // The night flag stays for later loads.
    w.click(keyOf({0, 0, 0}));
    EXPECT_TRUE(w.area().night);

    // A night palette that cannot be read: the day stays, and so does the box.
    w.workspace().nightCheck()->click();
    ASSERT_FALSE(w.area().night);
    w.document().rom().writeWord(rom::paletteTableEntry(w.document().rom(), {0, 0, 0}, true), 0x0042);
    w.dialogs.messages.clear();
    w.workspace().nightCheck()->click();
    EXPECT_EQ(w.dialogs.messages.size(), 1);
    EXPECT_FALSE(w.area().night);
    EXPECT_FALSE(w.workspace().nightCheck()->isChecked());
}

TEST(MainWindowArea, ALoadInStairModeEndsInMapMode)
{
    OpenWindow w;
    w.window.modeAction(EditMode::Stair)->trigger();
    ASSERT_EQ(w.window.editMode(), EditMode::Stair);
    w.click(keyOf({1, 6, 3}));
    EXPECT_EQ(w.window.editMode(), EditMode::Map);
    EXPECT_TRUE(w.window.modeAction(EditMode::Map)->isChecked());
}

TEST(MainWindowArea, AFailedLoadIsReportedAndThePreviousAreaStays)
{
    OpenWindow w;
    const rom::AreaId good{0, 10, 1};
    w.click(keyOf(good));
    const rom::AreaId broken{1, 6, 2};
    w.window.document().rom().writeWord(w.world.game.mapTableEntry(1, w.world.game.submap(broken).mapNumber), 0x0042);
    w.dialogs.messages.clear();
    w.click(keyOf(broken));
    ASSERT_EQ(w.dialogs.messages.size(), 1);
    EXPECT_TRUE(w.dialogs.messages[0].contains("$0042"));
    EXPECT_EQ(w.area().id, good);
    EXPECT_EQ(w.window.currentNode(), keyOf(good));
    EXPECT_EQ(AreaTree::keyOf(w.window.areaTree()->currentItem()), keyOf(good));
    // Still editable.
    w.clickMap(QPoint(0, 0));
    EXPECT_EQ(w.dialogs.messages.size(), 1);
}

TEST(MainWindowArea, ChooserSelectionClampsToTheLimit)
{
    OpenWindow w; // object set 0: limit 68
    w.workspace().selectMetatileAt(QPoint(40, 70));
    EXPECT_EQ(w.workspace().selectedMetatile(), 17);
    EXPECT_EQ(w.workspace().picker()->selectionText(), "11");
    w.workspace().selectMetatileAt(QPoint(255, 287));
    EXPECT_EQ(w.workspace().selectedMetatile(), 66);
    EXPECT_EQ(w.workspace().picker()->selectionText(), "42");
    EXPECT_EQ(w.workspace().picker()->selectionPicture().size(), QSize(64, 64));

    w.click(keyOf({5, 0, 0})); // object set 5: limit 1, nothing selectable
    w.workspace().selectMetatileAt(QPoint(100, 100));
    EXPECT_EQ(w.workspace().selectedMetatile(), 0);
    EXPECT_EQ(w.workspace().picker()->selectionText(), "00");

    w.window.modeAction(EditMode::Pointer)->trigger();
    w.workspace().selectMetatileAt(QPoint(0, 0));
    EXPECT_EQ(w.window.editMode(), EditMode::Map);
}

TEST(MainWindowArea, PaintingAndPointerAnswers)
{
    OpenWindow w;
    const rom::AreaId id{0, 10, 0};
    w.click(keyOf(id));
    const auto& map = w.world.game.mapOf(id);
    const std::size_t screen = rom::cpuToBody(map.screenTable[0], rom::DataKind::AreaData);
    const std::size_t header = rom::cpuToBody(map.mapPointer, rom::DataKind::AreaData);

    w.workspace().selectMetatileAt(QPoint(40, 70)); // 17
    w.clickMap(QPoint(40, 70));
    EXPECT_EQ(w.window.document().rom().read(screen + 2 * 8 + 1), 17);

    // Actor, stair and solidity modes change nothing on a press.
    const auto before = w.window.document().rom().body();
    for (EditMode mode : {EditMode::Actor, EditMode::Stair, EditMode::Solidity}) {
        w.window.modeAction(mode)->trigger();
        w.clickMap(QPoint(0, 0));
    }
    EXPECT_EQ(w.window.document().rom().body(), before);

    w.window.modeAction(EditMode::Pointer)->trigger();
    const struct {
        std::optional<QString> answer;
        int low, high; // -1: unchanged
    } answers[] = {{QString("$9ABC"), 0xBC, 0x9A}, {QString("40000"), 0x40, 0x9C}, {QString("$1ABCD"), 0xCD, 0xAB},
                   {QString(""), -1, -1},          {std::nullopt, -1, -1},         {QString("$7000"), -1, -1}};
    for (const auto& a : answers) {
        SCOPED_TRACE(a.answer.value_or("(cancel)").toStdString());
        const std::uint8_t oldLow = w.window.document().rom().read(header + 2);
        const std::uint8_t oldHigh = w.window.document().rom().read(header + 3);
        w.dialogs.textAnswers.push_back(a.answer);
        w.dialogs.messages.clear();
        w.clickMap(QPoint(5, 5));
        EXPECT_EQ(w.dialogs.messages.first(), "New pointer: ($0000-$FFFF)");
        EXPECT_EQ(w.window.document().rom().read(header + 2), a.low < 0 ? oldLow : a.low);
        EXPECT_EQ(w.window.document().rom().read(header + 3), a.high < 0 ? oldHigh : a.high);
    }
    EXPECT_EQ(w.dialogs.messages.size(), 2); // the prompt, then the refusal of $7000
    EXPECT_NO_THROW(w.window.document().loadArea(id, false));
}

TEST(MainWindowArea, EraseMapAsksAndNeedsASubmapOrAreaNode)
{
    OpenWindow w;
    const rom::AreaId id{0, 13, 1};
    w.click(keyOf(id));
    const auto before = w.window.document().rom().body();

    w.click("objset0");
    w.dialogs.messages.clear();
    w.window.commandAction(Command::EraseMap)->trigger();
    EXPECT_EQ(w.dialogs.messages, QStringList{"Select an area from tree view list"});
    EXPECT_EQ(w.window.document().rom().body(), before);

    w.click("obj0a13");
    w.dialogs.yesNoAnswers.push_back(false);
    w.window.commandAction(Command::EraseMap)->trigger();
    EXPECT_EQ(w.dialogs.lastMessage(), "This will clear the current map.\nAre you sure?");
    EXPECT_EQ(w.window.document().rom().body(), before);

    w.dialogs.yesNoAnswers.push_back(true);
    w.window.commandAction(Command::EraseMap)->trigger();
    for (std::uint8_t cell : w.area().map.mapGrid)
        EXPECT_EQ(cell, 0);
    // The view shows the erased map, not the old picture.
    const QImage picture = w.workspace().mapView()->picture();
    const gfx::Rgb block0 = w.area().chooser.pixel(0, 0);
    const QRgb shown = picture.pixel(picture.width() - 1 - 31, picture.height() - 1 - 31);
    EXPECT_EQ(static_cast<gfx::Rgb>(qRed(shown) | qGreen(shown) << 8 | qBlue(shown) << 16), block0);
}

TEST(MainWindowArea, PaletteStripCaptions)
{
    OpenWindow w;
    PaletteStrip* strip = w.workspace().paletteStrip();
    for (int i = 0; i < 32; ++i) {
        const std::uint8_t value = w.area().palette[static_cast<std::size_t>(i)];
        EXPECT_EQ(strip->label(i)->text(), QString::number(value, 16).toUpper());
    }
    EXPECT_EQ(strip->label(16)->text(), "F"); // the fixed sprite colour $0F
    EXPECT_EQ(strip->label(16)->palette().color(QPalette::WindowText), w.window.palette().color(QPalette::Window));
    EXPECT_EQ(strip->label(19)->text(), "20");
    EXPECT_EQ(strip->label(19)->palette().color(QPalette::WindowText), w.window.palette().color(QPalette::WindowText));

    // A value past the master palette (a damaged image) is black under
    // greyscale too, and its caption is not drawn in black on it.
    ASSERT_TRUE(w.area().mask.greyscaleOn());
    gfx::AreaPalette palette = w.area().palette;
    palette[9] = 0x4D; // past the sprite entries, which may share the set's first eight bytes
    w.document().writeAreaPalette(w.area().pointers.palettePointer, palette);
    EXPECT_EQ(strip->label(9)->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(strip->label(9)->palette().color(QPalette::WindowText), w.window.palette().color(QPalette::Window));
}
