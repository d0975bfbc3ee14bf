#include "OpenedEditor.h"

#include "core/session/RecoveryJournal.h"
#include "ui/DiskWatcher.h"
#include "ui/PlayTest.h"
#include "ui/PreferencesDialog.h"
#include "ui/RecoveryKeeper.h"
#include "ui/RecoveryOffer.h"
#include "ui/SessionSafety.h"
#include "ui/Settings.h"

#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QLineEdit>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarry;
using quarry::test::OpenedEditor;

namespace {

// Runs the event loop until `done` holds or `ms` milliseconds have passed.
bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    return done();
}

ui::SessionSafety& safety(OpenedEditor& e) { return *e.window.safety(); }

// Three steps through the map view, one undone, and one more: the history
// has a step that could be redone no longer.
void editThroughTheWindow(OpenedEditor& e)
{
    auto paint = [&] {
        ASSERT_TRUE(e.window.workspace()->chooseMetatile(e.area().map.mapGrid[0] == 1 ? 2 : 1));
        e.window.setEditMode(ui::EditMode::Map);
        e.clickMap(QPoint(0, 0));
    };
    for (int n = 0; n < 3; ++n)
        paint();
    e.window.undoStep();
    paint();
}

// Each test starts with no journals of earlier ones.
void clearJournals()
{
    std::filesystem::remove_all(ui::RecoveryKeeper::folder().toStdString());
}

// An editor started as the program starts, before any image.
void offerIn(OpenedEditor& e, std::deque<int> choices, bool recovers = false)
{
    e.dialogs.messages.clear();
    e.dialogs.choices = std::move(choices);
    EXPECT_EQ(ui::offerRecovery(e.window, e.dialogs, *e.window.safety()->keeper()), recovers);
}

// What a killed editor leaves behind: a copy of the live journal nobody locks.
std::string leaveJournalBehind(OpenedEditor& e, const std::string& name)
{
    const std::string copy = ui::RecoveryKeeper::folder().toStdString() + "/" + name + ".journal";
    std::filesystem::copy_file(safety(e).keeper()->journalPath().toStdString(), copy);
    return copy;
}

} // namespace

TEST(SessionSafety, RecoveryOfferedAcceptedDiscardedDeferredAndRefused)
{
    clearJournals();
    OpenedEditor first;
    editThroughTheWindow(first);
    const std::vector<std::uint8_t> edited = first.body();
    const int steps = first.history().count();
    ASSERT_GE(steps, 2);
    ASSERT_TRUE(QFileInfo::exists(safety(first).keeper()->journalPath()));
    const std::string copy = leaveJournalBehind(first, "left");

    // The live journal of a running editor is never offered; the copy is.
    OpenedEditor second({}, false);
    offerIn(second, {2}); // Later
    ASSERT_EQ(second.dialogs.messages.size(), 1);
    EXPECT_TRUE(second.dialogs.messages[0].startsWith(QStringLiteral("Recover the unsaved changes to game.nes from ")));
    EXPECT_TRUE(second.dialogs.messages[0].endsWith(QStringLiteral(" (5 steps)?"))) << second.dialogs.messages[0].toStdString();
    EXPECT_TRUE(std::filesystem::exists(copy)) << "Later keeps it";

    // Recover: every edit and its history, as unsaved edits; the file untouched.
    const std::vector<std::uint8_t> onDisk = first.fileBody();
    first.window.history()->clear(); // the first editor gives its changes up; its journal goes
    offerIn(second, {0}, true);
    EXPECT_EQ(second.document().romPath(), first.path);
    EXPECT_EQ(second.body(), edited);
    EXPECT_EQ(second.history().count(), steps);
    EXPECT_TRUE(second.captionMarked());
    EXPECT_EQ(first.fileBody(), onDisk);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(QFileInfo::exists(safety(second).keeper()->journalPath())) << "the recovered session is journaled";
    // One Ctrl+Z takes back the last step, and redo brings it again.
    second.window.undoStep();
    EXPECT_EQ(second.changedSince(edited).size(), 1u);
    second.window.redoStep();
    EXPECT_EQ(second.body(), edited);

    // Discard removes a journal; one whose file changed since says so and
    // is not applied.
    const std::string again = leaveJournalBehind(second, "again");
    second.window.history()->clear();
    OpenedEditor third({}, false);
    offerIn(third, {1});
    EXPECT_FALSE(std::filesystem::exists(again));
}

TEST(SessionSafety, RecoveryRefusesAJournalWhoseFileChanged)
{
    clearJournals();
    OpenedEditor first;
    first.edit();
    const std::string copy = leaveJournalBehind(first, "left");
    first.window.history()->clear();
    std::vector<std::uint8_t> other = test::readFileBytes(first.path);
    other[100] ^= 1;
    test::writeFileBytes(first.path, other);

    OpenedEditor second({}, false);
    offerIn(second, {-1}); // the box closed: kept for later
    ASSERT_EQ(second.dialogs.messages.size(), 1);
    EXPECT_TRUE(second.dialogs.messages[0].contains(QStringLiteral("changed or vanished since")));
    EXPECT_FALSE(second.document().romLoaded());
    EXPECT_TRUE(std::filesystem::exists(copy));
    offerIn(second, {0}); // Discard, the first button here
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST(SessionSafety, JournalFollowsTheUnsavedState)
{
    OpenedEditor e;
    ui::RecoveryKeeper& keeper = *safety(e).keeper();
    EXPECT_TRUE(keeper.journalPath().isEmpty()) << "nothing unsaved, no journal";
    e.edit();
    const QString path = keeper.journalPath();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.startsWith(ui::RecoveryKeeper::folder()));
    e.window.undoStep(); // back to the saved state
    EXPECT_TRUE(keeper.journalPath().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
    e.window.redoStep();
    ASSERT_FALSE(keeper.journalPath().isEmpty());
    e.dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(e.window.saveFile());
    EXPECT_TRUE(keeper.journalPath().isEmpty()) << "Save removes it";
    e.edit();
    const QString afterSave = keeper.journalPath();
    e.window.close(); // Discard at the question: a clean exit removes it
    EXPECT_TRUE(QFileInfo::exists(afterSave)) << "cancelled: the window and its journal stay";
    e.dialogs.saveChoices = {ui::SaveChoice::Discard};
    e.window.close();
    EXPECT_FALSE(QFileInfo::exists(afterSave));
}

TEST(SessionSafety, ChangesOnDiskByOthersAreNoticed)
{
    OpenedEditor e;
    ui::DiskWatcher& watcher = *safety(e).watcher();
    std::vector<std::uint8_t> other = test::readFileBytes(e.path);
    other[16 + 200] ^= 0x55;

    // No unsaved edits: Reload is offered; the watcher sees a file replaced
    // by a rename, as other programs save.
    test::writeFileBytes(e.path + ".new", other);
    std::filesystem::rename(e.path + ".new", e.path);
    e.dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(waitFor([&] { return !e.dialogs.messages.isEmpty(); }));
    EXPECT_TRUE(e.dialogs.messages[0].contains(QStringLiteral("changed on disk by another program")));
    EXPECT_EQ(e.fileBody(), e.body()) << "reloaded";

    // Our own save is no change by others.
    e.edit();
    e.dialogs.messages.clear();
    ASSERT_TRUE(e.window.saveFile());
    waitFor([] { return false; }, 600); // every event of the save has come
    EXPECT_EQ(e.dialogs.messages.size(), 1) << e.dialogs.messages.join('|').toStdString();

    // Unsaved edits: Keep mine keeps them, and Save then asks first.
    e.edit();
    const std::vector<std::uint8_t> mine = e.body();
    other = test::readFileBytes(e.path);
    other[16 + 300] ^= 0x55;
    test::writeFileBytes(e.path, other);
    e.dialogs.messages.clear();
    e.dialogs.choices = {1};
    watcher.check();
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("you have unsaved edits")));
    EXPECT_EQ(e.body(), mine);
    e.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(e.window.saveFile());
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("Save over those changes?")));
    EXPECT_EQ(test::readFileBytes(e.path), other);
    watcher.check();
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("Save over"))) << "the same change is asked about once";

    // Reload gives the edits up for the other program's bytes.
    other[16 + 301] ^= 0x55;
    test::writeFileBytes(e.path, other);
    e.dialogs.choices = {0};
    watcher.check();
    EXPECT_EQ(e.fileBody(), e.body());
    EXPECT_FALSE(e.window.isModified());

    // Save As after a change: the edits go to the new name.
    e.edit();
    other[16 + 302] ^= 0x55;
    test::writeFileBytes(e.path, other);
    e.dialogs.choices = {2};
    const std::string elsewhere = e.dir.file("mine.nes");
    e.dialogs.filesToSave = {QString::fromStdString(elsewhere)};
    watcher.check();
    EXPECT_EQ(e.fileBody(elsewhere), e.body());
    EXPECT_EQ(test::readFileBytes(e.path), other);
}

TEST(SessionSafety, PlayTestStartsTheEmulatorOnACopyWithTheEdits)
{
    OpenedEditor e;
    const std::string script = e.dir.file("emulator.sh");
    const std::string seen = e.dir.file("seen");
    test::writeFileBytes(script, {});
    {
        QFile file(QString::fromStdString(script));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$2\" > '%1.path'\ncp \"$2\" '%1'\n")
                       .arg(QString::fromStdString(seen))
                       .toUtf8());
    }
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    // The preferences set here are the process's: the tests after this one
    // must find the defaults again, however this one ends.
    struct Restore {
        ~Restore()
        {
            ui::applicationSettings().remove(QStringLiteral("sharedData/askBeforeChanging"));
            ui::applicationSettings().remove(QStringLiteral("playTest/command"));
        }
    } restore;
    // Set through the dialog, as a user does.
    safety(e).preferencesAction()->trigger();
    ui::PreferencesDialog* preferences = safety(e).preferences();
    ASSERT_TRUE(preferences && preferences->isVisible());
    EXPECT_TRUE(preferences->askCheck()->isChecked()) << "on by default";
    preferences->commandEdit()->setText(QString::fromStdString(script) + QStringLiteral(" --fullscreen %f"));
    preferences->askCheck()->setChecked(false);
    preferences->accept();
    EXPECT_FALSE(ui::applicationSettings().value(QStringLiteral("sharedData/askBeforeChanging"), true).toBool());
    // The settings live as long as the test process: later tests expect the question.
    ui::applicationSettings().remove(QStringLiteral("sharedData/askBeforeChanging"));

    const std::vector<std::uint8_t> original = e.fileBody();
    e.edit();
    ui::PlayTest& play = *safety(e).playTest();
    EXPECT_EQ(play.action()->shortcut(), QKeySequence(Qt::Key_F5));
    play.action()->trigger();
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(seen); }));
    const std::vector<std::uint8_t> given = test::readFileBytes(seen + ".path");
    const QString path(QString::fromUtf8(reinterpret_cast<const char*>(given.data()), static_cast<qsizetype>(given.size())));
    EXPECT_EQ(path, play.imagePath());
    EXPECT_TRUE(path.startsWith(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)));
    EXPECT_EQ(e.fileBody(seen), e.body()) << "the copy holds the edits";
    EXPECT_EQ(e.fileBody(), original) << "the user's file is untouched";
    EXPECT_TRUE(e.dialogs.messages.isEmpty());

    // A command that fails at once, or cannot start, is reported by name.
    ui::applicationSettings().setValue(QStringLiteral("playTest/command"), QStringLiteral("sh -c \"echo boom >&2; exit 3\" %f"));
    play.run();
    ASSERT_TRUE(waitFor([&] { return !e.dialogs.messages.isEmpty(); }));
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("\"sh -c \"echo boom >&2; exit 3\" %f\"")));
    EXPECT_TRUE(e.dialogs.lastMessage().endsWith(QStringLiteral("boom"))) << e.dialogs.lastMessage().toStdString();
    ui::applicationSettings().setValue(QStringLiteral("playTest/command"), QStringLiteral("no-such-emulator-here %f"));
    play.run();
    ASSERT_TRUE(waitFor([&] { return e.dialogs.messages.size() == 2; }));
    EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("could not start")));

    // The play-test image goes at exit.
    const QString made = play.imagePath();
    EXPECT_TRUE(QFileInfo::exists(made));
    delete safety(e).playTest();
    EXPECT_FALSE(QFileInfo::exists(made));
}
