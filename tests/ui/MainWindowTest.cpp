// The main window's files: opening, saving, backups, patches, recent
// images, the command line and the unsaved-changes question.
#include "OpenedEditor.h"

#include "core/demo/DemoImage.h"
#include "core/session/MapExport.h"
#include "ui/CommandLine.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/PatchActions.h"
#include "ui/RecentFiles.h"
#include "ui/Texts.h"

#include <QAction>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;
namespace fs = std::filesystem;

TEST(MainWindowStartUp, ImageCommandsWaitForAnImageAndMissingSideFilesAreReported)
{
    OpenedEditor e({}, false);
    ASSERT_EQ(e.dialogs.messages, (QStringList{texts::kTblMissing, texts::kDatMissing}));
    EXPECT_EQ(e.window.windowTitle(), texts::kNoFileCaption);
    const Command imageCommands[] = {Command::Save,          Command::TextEditor,   Command::MetatileEditor,
                                     Command::PaletteEditor, Command::SpriteEditor, Command::EraseMap};
    const EditMode modes[] = {EditMode::Map, EditMode::Actor, EditMode::Pointer};
    const QList<QAction*> extraActions = {e.window.historyAction(), e.window.brushAction(),
                                          e.window.patches()->exportAction()};
    for (bool opened : {false, true}) {
        SCOPED_TRACE(opened);
        if (opened) {
            e.dialogs.filesToOpen.push_back(QString::fromStdString(e.path));
            e.window.openFile();
            EXPECT_EQ(e.dialogs.lastMessage(), texts::kLoaded);
            EXPECT_TRUE(e.window.windowTitle().endsWith("[game.nes]"));
        }
        for (Command command : imageCommands)
            EXPECT_EQ(e.window.commandAction(command)->isEnabled(), opened) << static_cast<int>(command);
        for (EditMode mode : modes)
            EXPECT_EQ(e.window.modeAction(mode)->isEnabled(), opened) << static_cast<int>(mode);
        for (QAction* action : extraActions)
            EXPECT_EQ(action->isEnabled(), opened) << action->text().toStdString();
        EXPECT_EQ(e.window.areaTree()->isEnabled(), opened);
    }
}

TEST(MainWindowOpen, FailedOrCancelledOpensKeepTheImageOpenAndSaveable)
{
    OpenedEditor e;
    SyntheticRom wrong;
    wrong.header()[0] = 'X';
    wrong.writeFile(e.dir.file("wrong.nes"));
    const struct {
        const char* file;
        QString said; // empty: nothing is said
    } cases[] = {{"missing.nes", texts::kErrorLoading}, {"wrong.nes", texts::kInvalidRom}, {"", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        e.dialogs.messages.clear();
        e.dialogs.filesToOpen.push_back(*c.file ? QString::fromStdString(e.dir.file(c.file)) : QString());
        e.window.openFile();
        EXPECT_EQ(e.dialogs.messages, c.said.isEmpty() ? QStringList() : QStringList{c.said});
        EXPECT_TRUE(e.window.windowTitle().endsWith("[game.nes]"));
        e.window.commandAction(Command::Save)->trigger();
        EXPECT_TRUE(e.dialogs.lastMessage().startsWith(texts::kSaved)) << e.dialogs.lastMessage().toStdString();
    }
}

TEST(MainWindowSave, AFailedSaveKeepsTheEditsModifiedForAnotherTry)
{
    OpenedEditor e;
    e.edit();
    fs::remove_all(e.dir.path()); // the folder goes before the save
    e.window.commandAction(Command::Save)->trigger();
    // Not a backup question: the old first line, then what failed.
    ASSERT_EQ(e.dialogs.messages.size(), 1);
    EXPECT_EQ(e.dialogs.messages[0].section('\n', 0, 0), texts::kSaveFailed);
    EXPECT_TRUE(e.dialogs.messages[0].contains("the folder is gone. The file on disk is unchanged."));
    EXPECT_TRUE(e.window.isModified());
    fs::create_directories(e.dir.path());
    e.window.commandAction(Command::Save)->trigger();
    EXPECT_EQ(e.dialogs.lastMessage(), QString::fromLatin1(texts::kSaved) + "\nThe file as it was opened is kept in "
                                           + QString::fromStdString(e.path) + ".bak.");
    EXPECT_EQ(e.fileBody(), e.body());
    EXPECT_FALSE(e.window.isModified());
}

// Takes every name a backup of `path` could get within the next seconds.
static void takeBackupNames(const std::string& path)
{
    writeFileBytes(path + ".bak", {});
    for (std::time_t second = std::time(nullptr); second < std::time(nullptr) + 30; ++second) {
        char stamp[32] = {};
        struct tm local {};
        ::localtime_r(&second, &local);
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
        writeFileBytes(path + "." + stamp + ".bak", {});
        for (int n = 2; n < 100; ++n)
            writeFileBytes(path + "." + stamp + "-" + std::to_string(n) + ".bak", {});
    }
}

TEST(MainWindowSave, ABackupThatCannotBeWrittenAsksBeforeSavingOncePerOpening)
{
    OpenedEditor e;
    // Every name the backup could take in the next seconds is taken; the
    // image has a second name, so the save writes it in place.
    const std::string path = e.dir.file("taken.nes");
    fs::copy_file(e.path, path);
    takeBackupNames(path);
    fs::create_hard_link(path, e.dir.file("second-name.nes"));
    e.window.openPath(QString::fromStdString(path));
    const std::vector<std::uint8_t> opened = readFileBytes(path);
    const auto files = [&] { return std::distance(fs::directory_iterator(e.dir.path()), {}); };
    const auto before = files();
    e.edit();
    e.dialogs.messages.clear();
    EXPECT_FALSE(e.window.saveFile()); // cancelled: nothing is saved
    ASSERT_EQ(e.dialogs.messages.size(), 1);
    EXPECT_TRUE(e.dialogs.messages[0].startsWith(QString::fromLatin1(texts::kBackupQuestion) + "\nThe backup was to go into "
                                                 + QString::fromStdString(e.dir.path()) + " beside taken.nes"))
        << e.dialogs.messages[0].toStdString();
    EXPECT_EQ(readFileBytes(path), opened);

    e.dialogs.saveOrCancelAnswers.push_back(true);
    EXPECT_TRUE(e.window.saveFile());
    EXPECT_EQ(e.fileBody(path), e.body());
    EXPECT_EQ(files(), before); // in place: no backup, no temporary left
    e.edit(); // the answer holds for the rest of this opening
    e.dialogs.messages.clear();
    EXPECT_TRUE(e.window.saveFile());
    EXPECT_EQ(e.dialogs.messages, QStringList{texts::kSaved});
}

TEST(MainWindowSave, SaveAsAndExportsRefuseNamesThatAreNoFilesAndOpenRefusesDevices)
{
    ::alarm(60); // should the editor ever wait on the pipe, the test dies instead of hanging
    OpenedEditor e;
    const std::string pipe = e.dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((pipe + ".png").c_str(), 0600), 0);
    e.dialogs.filesToSave = {QString::fromStdString(pipe), QString::fromStdString(pipe + ".png")};
    e.dialogs.yesNoAnswers = {true, true}; // replace them: the refusal comes from the write
    EXPECT_FALSE(e.window.saveFileAs());
    EXPECT_EQ(e.dialogs.lastMessage(), texts::kNotRegularFile);
    e.window.exports()->exportMapAction()->trigger();
    EXPECT_TRUE(e.dialogs.lastMessage().contains("not a regular file")) << e.dialogs.lastMessage().toStdString();
    EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
    for (const std::string& special : {std::string("/dev/zero"), pipe}) {
        e.window.openPath(QString::fromStdString(special));
        EXPECT_EQ(e.dialogs.lastMessage(), texts::kErrorLoading);
    }
    EXPECT_EQ(e.document().romPath(), e.path);
    ::alarm(0);
}

TEST(MainWindowSave, TheCaptionMarksChangesUntilSavedOrUndoneToTheSaveAndSaveAsMovesTheFile)
{
    OpenedEditor e;
    const std::vector<std::uint8_t> opened = readFileBytes(e.path);
    e.edit();
    EXPECT_TRUE(e.captionMarked());
    e.window.undoAction()->trigger();
    EXPECT_FALSE(e.captionMarked());
    e.window.redoAction()->trigger();
    e.window.commandAction(Command::Save)->trigger();
    EXPECT_FALSE(e.captionMarked());
    e.window.undoAction()->trigger(); // back past the save differs from the file
    EXPECT_TRUE(e.captionMarked());
    e.window.redoAction()->trigger();
    EXPECT_FALSE(e.captionMarked());
    e.edit();
    e.window.saveFile();
    EXPECT_EQ(readFileBytes(e.path + ".bak"), opened); // the backup holds the file as opened

    const std::string copy = e.dir.file("copy.nes");
    e.window.saveAsAction()->trigger(); // cancelled
    EXPECT_FALSE(fs::exists(copy));
    e.dialogs.filesToSave.push_back(QString::fromStdString(copy));
    e.window.saveAsAction()->trigger();
    EXPECT_TRUE(e.window.windowTitle().endsWith("[copy.nes]"));
    const std::vector<std::uint8_t> saved = readFileBytes(e.path);
    e.window.undoStep();
    e.window.commandAction(Command::Save)->trigger(); // Save now writes the new file
    EXPECT_EQ(e.fileBody(copy), e.body());
    EXPECT_EQ(readFileBytes(e.path), saved);
}

TEST(MainWindowSave, SaveChangesGuardsClosingAndOpeningAnotherImage)
{
    const struct {
        int choice; // none asked, or a SaveChoice
        bool failing, closes, saved;
    } cases[] = {{-1, false, true, false},
                 {int(SaveChoice::Cancel), false, false, false},
                 {int(SaveChoice::Discard), false, true, false},
                 {int(SaveChoice::Save), false, true, true},
                 {int(SaveChoice::Save), true, false, false}}; // a failed save keeps the window and the work
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice * 2 + c.failing);
        OpenedEditor e;
        const std::vector<std::uint8_t> opened = readFileBytes(e.path);
        if (c.choice >= 0)
            e.edit(); // else nothing changed: no question
        if (c.failing)
            ::chmod(e.path.c_str(), 0444);
        e.dialogs.saveChoices.push_back(static_cast<SaveChoice>(std::max(c.choice, 0)));
        EXPECT_EQ(e.window.close(), c.closes);
        EXPECT_EQ(e.dialogs.saveQuestions, c.choice >= 0 ? 1 : 0);
        EXPECT_EQ(readFileBytes(e.path) == opened, !c.saved);
        EXPECT_EQ(e.window.isModified(), c.choice >= 0 && !c.saved);
    }

    // Opening another image: Cancel does not even show the chooser; Save
    // writes the edit, and the new image starts clean.
    OpenedEditor e;
    const QString other = QString::fromStdString(e.dir.file("other.nes"));
    e.world.writeFile(other.toStdString());
    e.edit();
    e.dialogs.saveChoices = {SaveChoice::Cancel, SaveChoice::Save};
    e.dialogs.filesToOpen.push_back(other);
    e.window.openFile();
    EXPECT_EQ(e.dialogs.filesToOpen.size(), 1u);
    const std::vector<std::uint8_t> edited = e.body();
    e.window.openFile();
    EXPECT_EQ(e.fileBody(), edited);
    EXPECT_EQ(e.document().romPath(), other.toStdString());
    EXPECT_FALSE(e.captionMarked());
    EXPECT_EQ(e.history().count(), 0);
}

TEST(MainWindowPatches, AnExportedPatchAppliesAsOneUndoableStepAndAForeignOneIsRefused)
{
    OpenedEditor edited;
    edited.document().paintCell(10, 10, 3);
    const std::string patch = edited.dir.file("change.bps");
    edited.dialogs.filesToSave.push_back(QString::fromStdString(patch));
    edited.window.patches()->exportAction()->trigger();

    OpenedEditor fresh;
    const auto original = fresh.body();
    // An IPS patch whose record lies past the end of the image.
    writeFileBytes(fresh.dir.file("bad.ips"), {'P', 'A', 'T', 'C', 'H', 0x7F, 0xFF, 0xFF, 0, 1, 0x42, 'E', 'O', 'F'});
    fresh.dialogs.filesToOpen.push_back(QString::fromStdString(fresh.dir.file("bad.ips")));
    fresh.window.patches()->applyAction()->trigger();
    EXPECT_NE(fresh.dialogs.lastMessage(), "Patch applied.");
    EXPECT_EQ(fresh.body(), original);
    EXPECT_FALSE(fresh.captionMarked());

    fresh.dialogs.filesToOpen.push_back(QString::fromStdString(patch));
    fresh.window.patches()->applyAction()->trigger();
    EXPECT_EQ(fresh.dialogs.lastMessage(), "Patch applied.");
    EXPECT_EQ(fresh.body(), edited.body());
    EXPECT_TRUE(fresh.captionMarked());
    fresh.window.menu(Menu::Edit)->actions().first()->trigger(); // Undo
    EXPECT_EQ(fresh.body(), original);
}

TEST(MainWindowExports, TheNameIsSettledBeforeTheReplaceQuestionAndEveryFileWrittenIsAskedAbout)
{
    OpenedEditor e;
    const auto q = [](const std::string& path) { return QString::fromStdString(path); };
    const auto asked = [&](const std::string& path) {
        return e.dialogs.messages.contains(q(path) + " already exists.\nDo you want to replace it?");
    };
    writeFileBytes(e.dir.file("existing.ips"), {'o'});
    writeFileBytes(e.dir.file("pic.png"), {'o'});
    // No keeps the file and offers the box again; cancelling it writes nothing.
    e.dialogs.filesToSave = {q(e.dir.file("existing")), QString(), q(e.dir.file("pic")), QString()};
    e.dialogs.yesNoAnswers = {false, false};
    e.window.patches()->exportAction()->trigger();
    e.window.exports()->exportMapAction()->trigger();
    EXPECT_TRUE(asked(e.dir.file("existing.ips")));
    EXPECT_TRUE(asked(e.dir.file("pic.png")));
    EXPECT_EQ(readFileBytes(e.dir.file("existing.ips")), std::vector<std::uint8_t>{'o'});
    EXPECT_EQ(readFileBytes(e.dir.file("pic.png")), std::vector<std::uint8_t>{'o'});
    EXPECT_FALSE(fs::exists(e.dir.file("existing.ips.ips")) || fs::exists(e.dir.file("pic.png.png")));
    // Yes replaces the name asked about; an ending of the other kind stays.
    e.dialogs.filesToSave = {q(e.dir.file("existing")), q(e.dir.file("other.BPS"))};
    e.dialogs.yesNoAnswers = {true};
    e.window.patches()->exportAction()->trigger();
    e.window.patches()->exportAction()->trigger();
    EXPECT_EQ(readFileBytes(e.dir.file("existing.ips"))[0], 'P');
    EXPECT_EQ(readFileBytes(e.dir.file("other.BPS"))[0], 'B');

    // Export All Maps asks once, saying how many pictures would be replaced.
    const std::string maps = e.dir.file("maps");
    fs::create_directories(maps);
    const std::vector<session::MapExportJob> jobs = session::allMapExportJobs();
    writeFileBytes(maps + "/" + jobs[0].fileName, {'o'});
    writeFileBytes(maps + "/" + jobs[1].fileName, {'o'});
    e.dialogs.foldersToChoose = {q(maps)};
    e.dialogs.messages.clear();
    EXPECT_EQ(e.window.exports()->exportAllMaps(), 0);
    EXPECT_EQ(e.dialogs.messages, QStringList{"2 of these files already exist in " + q(maps)
                                              + ".\nDo you want to replace them?"});
    EXPECT_EQ(std::distance(fs::directory_iterator(maps), {}), 2);
}

TEST(MainWindowOpen, OpenRecentListsTheImagesAndDropsOneThatVanished)
{
    OpenedEditor e;
    const QString path = QFileInfo(QString::fromStdString(e.path)).absoluteFilePath();
    ASSERT_EQ(e.window.recentFiles()->files().value(0), path);
    e.window.openFile(); // Open starts in the folder of the image opened last
    EXPECT_EQ(e.dialogs.lastOpenFolder, QFileInfo(path).absolutePath());

    const QString copy = QString::fromStdString(e.dir.file("copy.nes"));
    QFile::copy(path, copy);
    e.window.openRecent(copy);
    EXPECT_EQ(e.window.recentFiles()->files().value(0), copy);
    EXPECT_EQ(e.document().romPath(), copy.toStdString());
    QFile::remove(copy);
    e.window.openRecent(copy);
    EXPECT_TRUE(e.dialogs.lastMessage().contains("no longer there"));
    EXPECT_FALSE(e.window.recentFiles()->files().contains(copy));
    EXPECT_EQ(e.document().romPath(), copy.toStdString()); // still the open image
}

TEST(MainWindowOpen, TheCommandLineOpensAFileOrTheDemoAndADroppedFileOpens)
{
    OpenedEditor e({}, false);
    const QString demo = QString::fromStdString(e.dir.file("data/demo.nes"));
    EXPECT_FALSE(applyCommandLine(e.window, {"quarry", "--bogus"}, demo));
    EXPECT_FALSE(e.document().romLoaded());
    EXPECT_TRUE(applyCommandLine(e.window, {"quarry", QString::fromStdString(e.path)}, demo));
    EXPECT_EQ(e.document().romPath(), e.path);
    EXPECT_NE(e.document().area(), nullptr);
    EXPECT_TRUE(applyCommandLine(e.window, {"quarry", "--demo"}, demo));
    EXPECT_EQ(e.document().romPath(), demo.toStdString());
    EXPECT_EQ(e.body(), demo::buildDemoImage().body());

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(e.path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window, &drop);
    EXPECT_EQ(e.document().romPath(), e.path);
}
