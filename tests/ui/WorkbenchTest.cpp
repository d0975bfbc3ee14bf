// The workbench's wiring: the command table behind menus, tool bar and the
// shortcut list; the tool keys; every view following the document.
#include "OpenedEditor.h"

#include "core/gfx/Metatiles.h"

#include "ui/AreaWorkspace.h"
#include "ui/StatusLine.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"
#include "ui/map/MetatilePicker.h"
#include "ui/panels/ActorPanel.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/shell/ShortcutList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::test;
using ui::Command;
using ui::EditMode;
using ui::Menu;

namespace {

// "Command <tab> keys" for every menu item that shows keys, as a user reads them.
QSet<QString> menuShortcuts(const QMenuBar& bar)
{
    QSet<QString> lines;
    for (QAction* title : bar.actions())
        for (QAction* item : title->menu()->actions()) {
            if (item->shortcuts().isEmpty())
                continue;
            QString name = item->text().remove(QLatin1Char('&'));
            if (name.endsWith(QLatin1String("...")))
                name.chop(3);
            QStringList keys;
            for (const QKeySequence& key : item->shortcuts())
                keys << key.toString(QKeySequence::NativeText);
            lines << name + QLatin1Char('\t') + keys.join(QStringLiteral(", "));
        }
    return lines;
}

QSet<QString> listedShortcuts(const QTreeWidget& tree)
{
    QSet<QString> lines;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (const QTreeWidgetItem* item = tree.topLevelItem(i); !item->text(1).isEmpty())
            lines << item->text(0) + QLatin1Char('\t') + item->text(1);
    return lines;
}

QAction* helpShortcutsAction(ui::MainWindow& window)
{
    for (QAction* action : window.menu(Menu::Help)->actions())
        if (action->text() == "&Keyboard Shortcuts")
            return action;
    return nullptr;
}

void activate(ui::MainWindow& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST(Workbench, ToolKeysChooseModesButTypingInTheTreeListsAndBoxesKeepsTheKeys)
{
    OpenedEditor e;
    activate(e.window);
    QWidget* map = e.window.workspace()->mapView();
    map->setFocus();
    const struct {
        Qt::Key key;
        EditMode mode;
    } keys[] = {{Qt::Key_A, EditMode::Actor},  {Qt::Key_S, EditMode::Stair},    {Qt::Key_P, EditMode::Pointer},
                {Qt::Key_T, EditMode::Solidity}, {Qt::Key_R, EditMode::Select}, {Qt::Key_F, EditMode::Fill},
                {Qt::Key_I, EditMode::Pick},   {Qt::Key_M, EditMode::Map}};
    for (const auto& k : keys) {
        QTest::keyClick(map, k.key);
        EXPECT_EQ(e.window.editMode(), k.mode) << QKeySequence(k.key).toString().toStdString();
    }

    // The tree's type-ahead, the actor type list and a box of the window
    // take the letters; the mode stays.
    e.window.setEditMode(EditMode::Stair);
    auto* box = new QLineEdit(e.window.statusBar());
    e.window.statusBar()->addWidget(box);
    QComboBox* types = e.window.actorPanel()->findChild<QComboBox*>();
    ASSERT_NE(types, nullptr);
    types->setEnabled(true);
    for (QWidget* typing : {static_cast<QWidget*>(e.window.areaTree()), static_cast<QWidget*>(types),
                            static_cast<QWidget*>(box)}) {
        typing->setFocus();
        for (Qt::Key key : {Qt::Key_M, Qt::Key_A, Qt::Key_R})
            QTest::keyClick(typing, key);
        EXPECT_EQ(e.window.editMode(), EditMode::Stair) << typing->metaObject()->className();
    }
    EXPECT_EQ(box->text(), "mar");
    // Chords still reach the window from a box: Ctrl+6 opens Map Info.
    QTest::keyClick(box, Qt::Key_6, Qt::ControlModifier);
    ASSERT_NE(e.window.mapInfo(), nullptr);
    EXPECT_TRUE(e.window.mapInfo()->isVisible());
}

TEST(Workbench, TheShortcutListShowsEveryKeyOfTheMenusOnceAndNoKeyServesTwoCommands)
{
    OpenedEditor e;
    QAction* help = helpShortcutsAction(e.window);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(QKeySequence::HelpContents));
    help->trigger();
    auto* list = e.window.findChild<ui::ShortcutList*>();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());

    const QSet<QString> listed = listedShortcuts(*list->tree());
    EXPECT_EQ(listed, menuShortcuts(*e.window.menuBar()));
    // The modes, the tools, the editor windows and the list itself are there.
    for (const char* line : {"Map Edit Mode\tM", "Actor Edit Mode\tA", "Stair Edit Mode\tS", "Pointer Edit Mode\tP",
                             "Tile Solidity Mode\tT", "Select Tool\tR", "Fill Tool\tF", "Eyedropper\tI",
                             "Text Editor\tCtrl+1", "Map Info\tCtrl+6", "Keyboard Shortcuts\tF1", "Undo\tCtrl+Z"})
        EXPECT_TRUE(listed.contains(QString::fromLatin1(line))) << line;

    // A key that served two commands would do only one of them.
    QSet<QKeySequence> seen;
    for (const ui::CommandTable::Shortcut& shortcut : e.window.commands().shortcuts())
        for (const QString& key : shortcut.keys.split(QStringLiteral(", "))) {
            const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::NativeText);
            EXPECT_FALSE(seen.contains(sequence)) << key.toStdString();
            seen << sequence;
        }
    // Brush Painting is on the tool bar.
    EXPECT_TRUE(e.window.findChild<QToolBar*>()->actions().contains(e.window.brushAction()));
}

TEST(Workbench, OneRowAddsACommandToTheMenuTheToolBarAndTheShortcutListThatWaitsForAnImage)
{
    OpenedEditor e({}, false);
    int runs = 0;
    QAction* probe = e.window.commands().add({.caption = "&Probe Window",
                                              .keys = {QKeySequence(Qt::CTRL | Qt::Key_9)},
                                              .place = ui::places::kEditors,
                                              .icon = ui::IconKind::Text,
                                              .run = [&runs] { ++runs; }});
    // After the last editor window, before the modes' separator.
    const QList<QAction*> tools = e.window.menu(Menu::Tools)->actions();
    const qsizetype at = tools.indexOf(probe);
    ASSERT_GT(at, 0);
    EXPECT_EQ(tools[at - 1], e.window.commandAction(Command::MapInfo));
    EXPECT_TRUE(tools[at + 1]->isSeparator());
    const QList<QAction*> bar = e.window.findChild<QToolBar*>()->actions();
    EXPECT_EQ(bar.indexOf(probe), bar.indexOf(e.window.commandAction(Command::MapInfo)) + 1);
    EXPECT_TRUE(menuShortcuts(*e.window.menuBar()).contains("Probe Window\tCtrl+9"));
    helpShortcutsAction(e.window)->trigger();
    EXPECT_TRUE(listedShortcuts(*e.window.findChild<ui::ShortcutList*>()->tree()).contains("Probe Window\tCtrl+9"));

    EXPECT_FALSE(probe->isEnabled());
    e.dialogs.filesToOpen.push_back(QString::fromStdString(e.path));
    e.window.openFile();
    EXPECT_TRUE(probe->isEnabled());
    probe->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(Workbench, ALoadReachesTheViewsAndEveryOpenEditorWindowThroughTheDocumentAlone)
{
    OpenedEditor e;
    for (Command command : {Command::TextEditor, Command::MetatileEditor, Command::PaletteEditor, Command::SpriteEditor,
                            Command::GlobalProperties, Command::MapInfo})
        e.window.commandAction(command)->trigger();
    // A double-click on the chooser edits that metatile.
    QWidget* chooser = e.window.workspace()->picker()->chooser();
    ASSERT_GE(gfx::lastOfferedMetatile(e.area().metatileLimit), 2);
    const QPoint third(2 * 32 + 5, 5);
    click(chooser, third);
    sendMouse(chooser, QEvent::MouseButtonDblClick, third, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(e.window.metatileEditor()->currentMetatile(), 2);
    EXPECT_EQ(e.window.workspace()->selectedMetatile(), 2);

    e.window.setEditMode(EditMode::Actor);
    e.window.spriteEditor()->chooseFrame(1);
    const int frame = e.window.spriteEditor()->currentFrame();
    ASSERT_EQ(frame, 1);
    rom::AreaId other = e.area().id;
    for (const rom::AreaId& id : world::catalogueSubmaps())
        if (id.objectSet != e.area().id.objectSet)
            other = id;
    ASSERT_NE(other.objectSet, e.area().id.objectSet);

    // Straight through the document, as a script or a merge would load.
    e.window.document().loadArea(other, false);
    const session::LoadedArea& area = e.area();
    EXPECT_EQ(e.window.mapInfo()->box(ui::MapInfo::ObjectSet)->text(), QString::asprintf("$%02X", other.objectSet));
    EXPECT_EQ(e.window.metatileEditor()->objectSet(), other.objectSet);
    EXPECT_EQ(e.window.paletteEditor()->editPalette(), area.palette);
    EXPECT_EQ(e.window.spriteEditor()->paletteSwatch(0)->color(), gfx::nesColorToRgb(area.palette[16], area.mask));
    EXPECT_EQ(e.window.spriteEditor()->currentFrame(), frame); // the frames are the image's
    for (ui::EditorWindow* window : {static_cast<ui::EditorWindow*>(e.window.textEditor()),
                                     static_cast<ui::EditorWindow*>(e.window.globalProperties())})
        EXPECT_TRUE(window->isVisible() && window->isEditing());
    EXPECT_EQ(e.window.workspace()->mapView()->pictureSize(), QSize(area.mapWidth(), area.mapHeight()));
    EXPECT_EQ(e.window.editMode(), EditMode::Map);
    EXPECT_TRUE(e.window.statusText(0).endsWith(QString::asprintf("%04X", area.pointers.mapPointer)));
}

TEST(Workbench, RowsAddedInAnyOrderKeepTheirSectionsApartAndOnlyThoseNeedingAnImageWait)
{
    QMainWindow window;
    ui::CommandTable table(window);
    // Added out of order, as parts of the window add theirs.
    const struct {
        const char* caption;
        int section;
        bool needsImage;
    } rows[] = {{"C1", 2, true}, {"A1", 0, false}, {"B1", 1, true}, {"A2", 0, true}, {"C2", 2, false}, {"B2", 1, false}};
    for (const auto& row : rows)
        table.add({.caption = row.caption,
                   .place = {Menu::View, row.section, 4 - row.section},
                   .needsImage = row.needsImage});
    const auto shown = [](const QList<QAction*>& actions) {
        QStringList words;
        for (QAction* action : actions)
            words << (action->isSeparator() ? QStringLiteral("|") : action->text());
        return words.join(QLatin1Char(' '));
    };
    EXPECT_EQ(shown(table.menu(Menu::View)->actions()), "A1 A2 | B1 B2 | C1 C2");
    // The tool bar's groups run the other way here: 4 - section.
    EXPECT_EQ(shown(table.toolBar()->actions()), "C1 C2 | B1 B2 | A1 A2");
    for (bool open : {false, true}) {
        table.setImageOpen(open);
        for (QAction* action : table.menu(Menu::View)->actions()) {
            const QString text = action->text();
            if (!action->isSeparator()) {
                EXPECT_EQ(action->isEnabled(), open || text == "A1" || text == "B2" || text == "C2") << text.toStdString();
            }
        }
    }
}
