// The remembered desk, the start page and the names exports propose: each
// test keeps its settings in a folder of its own, as "--settings" does.
#include "OpenedEditor.h"

#include "core/demo/DemoImage.h"
#include "core/session/MapExport.h"
#include "ui/CommandLine.h"
#include "ui/DeskSettings.h"
#include "ui/FileFolders.h"
#include "ui/shell/MapExports.h"
#include "ui/PatchActions.h"
#include "ui/RecentFiles.h"
#include "ui/Settings.h"
#include "ui/StartPage.h"
#include "ui/Texts.h"
#include "ui/panels/GridPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QDockWidget>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// The settings of one test, in a folder that goes with it.
struct OwnSettings {
    TempDir dir;
    OwnSettings() { setSettingsFolder(QString::fromStdString(dir.file("settings"))); }
    ~OwnSettings() { setSettingsFolder(QString()); }
};

// A window started as the program starts it (the desk restored first) on
// the image at `path`, shown.
struct RestartedWindow {
    ScriptedDialogs dialogs;
    MainWindow window;
    RestartedWindow(const std::string& path, const std::string& datDir) : window(dialogs, QString::fromStdString(datDir))
    {
        window.desk()->restore();
        window.show();
        window.startUp();
        dialogs.filesToOpen.push_back(QString::fromStdString(path));
        window.openFile();
    }
    QDockWidget* dock(const char* name) { return window.findChild<QDockWidget*>(QString::fromLatin1(name)); }
};

QAction* sharedScreens(MainWindow& window)
{
    return window.findChild<QAction*>(QStringLiteral("layerSharedScreens"));
}

} // namespace

TEST(Desk, ARestartedEditorIsAsItWasLeftAndResetLayoutBringsThePanelsBack)
{
    OwnSettings own;
    EXPECT_TRUE(applicationSettings().fileName().startsWith(QString::fromStdString(own.dir.path())));
    OpenedEditor e;
    const rom::AreaId second = world::catalogueSubmaps()[1];
    QRect left;
    {
        RestartedWindow first(e.path, e.dir.file("dat"));
        MainWindow& w = first.window;
        w.move(37, 23);
        w.addDockWidget(Qt::RightDockWidgetArea, first.dock("areaDock"));
        w.workspace()->mapView()->setZoom(3);
        click(w.workspace()->gridPanel()->screenButton(), QPoint(4, 4));
        w.workspace()->gridPanel()->colourBar()->setValue(200);
        click(w.workspace()->nightCheck(), QPoint(4, 4));
        sharedScreens(w)->trigger();
        w.loadArea(OpenedEditor::keyOf(second));
        left = w.geometry();
        ASSERT_TRUE(w.close());
    }
    RestartedWindow again(e.path, e.dir.file("dat"));
    MainWindow& w = again.window;
    EXPECT_EQ(w.geometry(), left);
    EXPECT_EQ(w.dockWidgetArea(again.dock("areaDock")), Qt::RightDockWidgetArea);
    EXPECT_EQ(w.workspace()->mapView()->zoom(), 3);
    EXPECT_TRUE(w.workspace()->gridPanel()->screenButton()->isChecked());
    EXPECT_EQ(w.workspace()->gridPanel()->colourBar()->value(), 200);
    EXPECT_TRUE(sharedScreens(w)->isChecked());
    // The image opens on the submap shown last, at night as left.
    ASSERT_NE(w.document().area(), nullptr);
    EXPECT_EQ(w.document().area()->id, second);
    EXPECT_TRUE(w.document().area()->night);
    EXPECT_EQ(AreaTree::keyOf(w.areaTree()->currentItem()), OpenedEditor::keyOf(second));

    // Reset Layout: both panels docked where they start, and shown.
    again.dock("panelDock")->hide();
    w.desk()->resetLayoutAction()->trigger();
    EXPECT_EQ(w.dockWidgetArea(again.dock("areaDock")), Qt::LeftDockWidgetArea);
    EXPECT_EQ(w.dockWidgetArea(again.dock("panelDock")), Qt::RightDockWidgetArea);
    EXPECT_TRUE(again.dock("panelDock")->isVisible());

    // A remembered submap the tree no longer holds, or the image can no
    // longer show, falls back to the first, quietly.
    w.desk()->save();
    const rom::AreaId broken{1, 6, 2};
    e.document().rom().writeWord(e.world.game.mapTableEntry(1, e.world.game.submap(broken).mapNumber), 0x0042);
    ASSERT_TRUE(e.window.saveFile());
    for (const QString& remembered : {QStringLiteral("objset09"), OpenedEditor::keyOf(broken)}) {
        QSettings settings = applicationSettings();
        settings.beginWriteArray(QStringLiteral("desk/submaps"));
        settings.setArrayIndex(0);
        settings.setValue(QStringLiteral("submap"), remembered);
        settings.endArray();
        settings.sync();
        again.dialogs.messages.clear();
        w.openPath(QString::fromStdString(e.path));
        EXPECT_EQ(w.document().area()->id, world::catalogueSubmaps().front()) << remembered.toStdString();
        EXPECT_EQ(again.dialogs.messages, QStringList{texts::kLoaded});
        w.desk()->save();
    }
}

TEST(Desk, AWindowLeftOffEveryScreenOpensOnAVisibleOne)
{
    OwnSettings own;
    OpenedEditor e;
    {
        RestartedWindow first(e.path, e.dir.file("dat"));
        first.window.setGeometry(QRect(20000, 15000, 600, 400));
        first.window.close();
    }
    RestartedWindow again(e.path, e.dir.file("dat"));
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(room.contains(again.window.frameGeometry().topLeft())) << again.window.frameGeometry().x();
    // A window the program did not restore remembers nothing.
    e.window.workspace()->mapView()->setZoom(4);
    e.window.close();
    EXPECT_EQ(RestartedWindow(e.path, e.dir.file("dat")).window.workspace()->mapView()->zoom(), 1);
}

TEST(StartPage, OffersOpenTheDemoAndTheRecentImagesUntilOneIsOpen)
{
    OwnSettings own;
    OpenedEditor e({}, false);
    auto* page = e.window.findChild<StartPage*>();
    ASSERT_NE(page, nullptr);
    auto* stack = qobject_cast<QStackedWidget*>(e.window.centralWidget());
    ASSERT_EQ(stack->currentWidget(), page);
    EXPECT_TRUE(page->recentList()->isHidden()); // nothing opened yet in this folder

    // Open... asks for a file as File > Open does; cancelled, the page stays.
    click(page->openButton(), QPoint(5, 5));
    EXPECT_EQ(stack->currentWidget(), page);
    EXPECT_EQ(e.dialogs.lastOpenFolder, lastFolder(FileKind::Images));

    // A recent image is one click away, through File > Open Recent's path.
    const QString path = QFileInfo(QString::fromStdString(e.path)).absoluteFilePath();
    e.window.recentFiles()->add(path);
    ASSERT_EQ(page->recentList()->count(), 1);
    QListWidget* list = page->recentList();
    click(list->viewport(), list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(QString::fromStdString(e.document().romPath()), path);
    EXPECT_NE(stack->currentWidget(), page);
    EXPECT_EQ(e.history().count(), 0);

    // Open Demo opens what "quarry --demo" opens.
    OpenedEditor fresh({}, false);
    auto* freshPage = fresh.window.findChild<StartPage*>();
    click(freshPage->demoButton(), QPoint(5, 5));
    EXPECT_EQ(QString::fromStdString(fresh.document().romPath()), defaultDemoPath());
    EXPECT_EQ(fresh.body(), demo::buildDemoImage().body());
    // A recent image that vanished is reported and taken off the page too.
    OpenedEditor third({}, false);
    auto* thirdPage = third.window.findChild<StartPage*>();
    third.window.recentFiles()->add(QString::fromStdString(third.dir.file("gone.nes")));
    ASSERT_EQ(thirdPage->recentList()->count(), 3);
    QListWidget* thirdList = thirdPage->recentList();
    click(thirdList->viewport(), thirdList->visualItemRect(thirdList->item(0)).center());
    EXPECT_TRUE(third.dialogs.lastMessage().contains("no longer there"));
    EXPECT_EQ(thirdPage->recentList()->count(), 2);
    EXPECT_FALSE(third.document().romLoaded());
}

TEST(Exports, ProposeANameInTheFolderOfTheirKindUsedLast)
{
    OwnSettings own;
    OpenedEditor e;
    e.window.show();
    const QString imageFolder = QFileInfo(QString::fromStdString(e.path)).absolutePath();
    const QString patches = QString::fromStdString(e.dir.file("patches"));
    QDir().mkpath(patches);

    // Before any patch was written the box starts beside the image.
    e.dialogs.filesToSave = {patches + "/mine"};
    e.window.patches()->exportAction()->trigger();
    EXPECT_EQ(e.dialogs.lastSaveProposal, imageFolder + "/game.ips");
    EXPECT_TRUE(QFileInfo::exists(patches + "/mine.ips"));
    e.window.patches()->exportAction()->trigger(); // cancelled
    EXPECT_EQ(e.dialogs.lastSaveProposal, patches + "/game.ips");

    // A map picture is named as Export All Maps names it, day or night.
    const std::vector<session::MapExportJob> jobs = session::allMapExportJobs();
    e.window.exports()->exportMap();
    EXPECT_EQ(e.dialogs.lastSaveProposal, imageFolder + "/" + QString::fromStdString(jobs[0].fileName));
    click(e.window.workspace()->nightCheck(), QPoint(4, 4));
    const QString pictures = QString::fromStdString(e.dir.file("pictures"));
    QDir().mkpath(pictures);
    e.dialogs.filesToSave = {pictures + "/night"};
    e.window.exports()->exportMap();
    EXPECT_EQ(e.dialogs.lastSaveProposal, imageFolder + "/" + QString::fromStdString(jobs[1].fileName));
    // Every picture shares the folder; patches keep theirs.
    e.window.exports()->exportAllMaps();
    EXPECT_EQ(e.dialogs.lastFolderProposal, pictures);
    EXPECT_EQ(lastFolder(FileKind::Patches), patches);
    EXPECT_EQ(lastFolder(FileKind::Images), imageFolder);
}

TEST(CommandLine, SettingsFolderHelpAndWordsThatDoNotFit)
{
    const EditorArguments both = parseCommandLine({"quarry", "--settings", "/tmp/s", "game.nes"});
    EXPECT_TRUE(both.error.isEmpty());
    EXPECT_EQ(both.settingsFolder, "/tmp/s");
    EXPECT_EQ(both.file, "game.nes");
    EXPECT_TRUE(parseCommandLine({"quarry", "--demo", "--settings", "s"}).demo);
    EXPECT_TRUE(parseCommandLine({"quarry", "--help"}).help);
    EXPECT_TRUE(commandLineHelp().contains("--settings FOLDER"));
    for (const QStringList& wrong : {QStringList{"quarry", "--settings"}, QStringList{"quarry", "a.nes", "b.nes"},
                                     QStringList{"quarry", "--demo", "a.nes"}, QStringList{"quarry", "-x"}})
        EXPECT_FALSE(parseCommandLine(wrong).error.isEmpty()) << wrong.join(' ').toStdString();
}
