#include "OpenedEditor.h"

#include "core/world/AreaCatalogue.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/editors/TextEditor.h"
#include "ui/map/MapView.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUndoView>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <fstream>
#include <iterator>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The program with the synthetic game open on a submap with actors.
struct Program : OpenedEditor {
    std::vector<std::uint8_t> opened = readFile(path);
    Program()
    {
        const rom::AreaId id = submapWhere([&](const rom::AreaId& s) { return world.game.submap(s).actors.size() >= 2; });
        load(id);
        window.areaTree()->setCurrentItem(window.areaTree()->findNode(QString::fromStdString(world::findSubmap(id)->key)));
        dialogs.messages.clear();
    }

    QUndoStack* stack() { return &history(); }
    std::vector<std::uint8_t> file() const { return readFile(path); }
    // The body of a file on disk.
    static std::vector<std::uint8_t> bodyOf(const std::string& file)
    {
        const std::vector<std::uint8_t> bytes = readFile(file);
        return {bytes.begin() + 16, bytes.end()};
    }
    std::vector<std::uint8_t> openedBody() const { return {opened.begin() + 16, opened.end()}; }
    QImage mapPicture() { return window.workspace()->mapView()->picture(); }

    // Paints the top left cell with a metatile it does not hold yet.
    void paint()
    {
        const int metatile = area().map.mapGrid[0] == 1 ? 2 : 1;
        window.workspace()->selectMetatileAt(QPoint((metatile & 7) * 32, (metatile / 8) * 32));
        window.setEditMode(EditMode::Map);
        clickMap(QPoint(0, 0));
    }
};

const QString kCaption = QStringLiteral("Quarry v0.21.0 [game.nes]");

} // namespace

TEST(Undo, TheCaptionMarksUnsavedChangesUntilSavedOrUndoneToTheSave)
{
    Program p;
    EXPECT_EQ(p.window.windowTitle(), kCaption);
    EXPECT_FALSE(p.window.undoAction()->isEnabled());
    EXPECT_FALSE(p.window.redoAction()->isEnabled());
    const QImage before = p.mapPicture();

    p.paint();
    EXPECT_TRUE(p.window.isModified());
    EXPECT_EQ(p.window.windowTitle(), QLatin1Char('*') + kCaption);
    EXPECT_EQ(p.stack()->count(), 1);
    EXPECT_TRUE(p.window.undoAction()->text().startsWith(QStringLiteral("&Undo Paint metatile 0")));
    EXPECT_NE(p.mapPicture(), before);

    p.window.undoAction()->trigger();
    EXPECT_FALSE(p.window.isModified());
    EXPECT_EQ(p.window.windowTitle(), kCaption);
    EXPECT_EQ(p.body(), p.openedBody());
    EXPECT_EQ(p.mapPicture(), before);
    EXPECT_TRUE(p.window.redoAction()->isEnabled());

    p.window.redoAction()->trigger();
    EXPECT_TRUE(p.window.isModified());
    p.window.commandAction(Command::Save)->trigger();
    EXPECT_EQ(p.window.windowTitle(), kCaption);
    EXPECT_EQ(Program::bodyOf(p.path), p.body());

    // Back past the save differs from the file; forward again matches it.
    p.window.undoAction()->trigger();
    EXPECT_EQ(p.window.windowTitle(), QLatin1Char('*') + kCaption);
    p.window.redoAction()->trigger();
    EXPECT_EQ(p.window.windowTitle(), kCaption);

    // Shortcuts as users expect them.
    EXPECT_EQ(p.window.undoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(p.window.redoAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    EXPECT_TRUE(p.window.redoAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_EQ(p.window.saveAsAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
}

TEST(Undo, AreaEditsComeBackInTheViewsKeepingNodeAndSelection)
{
    Program p;
    const QString node = AreaTree::keyOf(p.window.areaTree()->currentItem());
    const QImage before = p.mapPicture();
    const world::ActorRecord actor = p.area().actors[1];

    p.dialogs.yesNoAnswers.push_back(true);
    p.window.commandAction(Command::EraseMap)->trigger();
    EXPECT_NE(p.mapPicture(), before);
    p.window.setEditMode(EditMode::Actor);
    p.window.world()->selectActor(1);
    p.document().setActorType(1, static_cast<std::uint8_t>(actor.type ^ 1));
    ASSERT_EQ(p.stack()->count(), 2);
    EXPECT_EQ(p.stack()->text(0), QStringLiteral("Erase map"));
    EXPECT_EQ(p.stack()->text(1), QStringLiteral("Set type of actor 01"));

    p.window.undoAction()->trigger();
    p.window.undoAction()->trigger();
    EXPECT_EQ(p.body(), p.openedBody());
    EXPECT_EQ(p.mapPicture(), before);
    EXPECT_EQ(p.area().actors[1], actor);
    EXPECT_EQ(AreaTree::keyOf(p.window.areaTree()->currentItem()), node);
    EXPECT_EQ(p.window.editMode(), EditMode::Actor);
    EXPECT_EQ(p.window.currentActor(), 1);
    EXPECT_TRUE(p.window.world()->actorLayer().shown());
}

TEST(Undo, SaveChangesGuardsExitAndClose)
{
    {
        // Nothing changed: no question.
        Program p;
        EXPECT_TRUE(p.window.close());
        EXPECT_EQ(p.dialogs.saveQuestions, 0);
    }
    {
        Program p;
        p.paint();
        p.dialogs.saveChoices.push_back(SaveChoice::Cancel);
        EXPECT_FALSE(p.window.close());
        EXPECT_EQ(p.dialogs.messages.last(), QStringLiteral("Save changes?"));
        EXPECT_EQ(p.file(), p.opened);
        EXPECT_TRUE(p.window.isModified());

        p.dialogs.saveChoices.push_back(SaveChoice::Save);
        p.window.exitProgram();
        EXPECT_FALSE(p.window.isModified());
        EXPECT_EQ(Program::bodyOf(p.path), p.body());
        EXPECT_EQ(readFile(p.path + ".bak"), p.opened);
    }
    {
        Program p;
        p.paint();
        p.dialogs.saveChoices.push_back(SaveChoice::Discard);
        EXPECT_TRUE(p.window.close());
        EXPECT_EQ(p.file(), p.opened);
    }
    {
        // A save that fails keeps the window open and the work with it.
        Program p;
        p.paint();
        ::chmod(p.path.c_str(), 0444);
        p.dialogs.saveChoices.push_back(SaveChoice::Save);
        EXPECT_FALSE(p.window.close());
        EXPECT_TRUE(p.window.isModified());
        EXPECT_EQ(p.file(), p.opened);
    }
}

TEST(Undo, SaveChangesGuardsOpeningAnotherImage)
{
    Program p;
    p.world.writeFile(p.dir.file("other.nes"));
    const QString other = QString::fromStdString(p.dir.file("other.nes"));
    p.paint();
    const std::vector<std::uint8_t> edited = p.body();

    // Cancel: the file chooser is not even shown.
    p.dialogs.saveChoices.push_back(SaveChoice::Cancel);
    p.dialogs.filesToOpen.push_back(other);
    p.window.openFile();
    EXPECT_EQ(p.dialogs.filesToOpen.size(), 1u);
    EXPECT_EQ(p.body(), edited);
    EXPECT_EQ(p.stack()->count(), 1);

    // Save, then open: the edit is on disk and the new image starts clean.
    p.dialogs.saveChoices.push_back(SaveChoice::Save);
    p.window.openFile();
    EXPECT_TRUE(p.dialogs.filesToOpen.empty());
    EXPECT_EQ(Program::bodyOf(p.path), edited);
    EXPECT_EQ(p.document().romPath(), other.toStdString());
    EXPECT_EQ(p.stack()->count(), 0);
    EXPECT_EQ(p.window.windowTitle(), QStringLiteral("Quarry v0.21.0 [other.nes]"));

    // Discard: the edit is dropped with the old image.
    p.paint();
    p.dialogs.saveChoices.push_back(SaveChoice::Discard);
    p.window.openPath(QString::fromStdString(p.path));
    EXPECT_EQ(p.document().romPath(), p.path);
    EXPECT_EQ(readFile(p.dir.file("other.nes")), p.opened);
    EXPECT_FALSE(p.window.isModified());
    EXPECT_EQ(p.dialogs.saveQuestions, 3);
}

TEST(Undo, SaveAsWritesElsewhereAndBecomesTheCurrentFile)
{
    Program p;
    const std::string copy = p.dir.file("copy.nes");
    p.paint();

    // A cancelled chooser changes nothing.
    p.window.saveAsAction()->trigger();
    EXPECT_TRUE(p.window.isModified());
    EXPECT_FALSE(std::filesystem::exists(copy));

    p.dialogs.filesToSave.push_back(QString::fromStdString(copy));
    p.window.saveAsAction()->trigger();
    EXPECT_EQ(p.dialogs.lastMessage(), QStringLiteral("File successfully saved!"));
    EXPECT_EQ(p.window.windowTitle(), QStringLiteral("Quarry v0.21.0 [copy.nes]"));
    EXPECT_EQ(Program::bodyOf(copy), p.body());
    EXPECT_EQ(p.file(), p.opened);

    // Save now writes the new file; the opened one stays as it was.
    p.window.undoAction()->trigger();
    EXPECT_TRUE(p.window.isModified());
    p.window.commandAction(Command::Save)->trigger();
    EXPECT_EQ(readFile(copy), p.opened);
    EXPECT_EQ(p.file(), p.opened);
    EXPECT_FALSE(std::filesystem::exists(p.path + ".bak"));
}

TEST(Undo, TheBackupIsWrittenOnTheFirstSaveOnly)
{
    Program p;
    p.paint();
    p.window.saveFile();
    EXPECT_EQ(readFile(p.path + ".bak"), p.opened);
    p.dialogs.yesNoAnswers.push_back(true);
    p.window.eraseMap();
    p.window.saveFile();
    EXPECT_EQ(readFile(p.path + ".bak"), p.opened);
    EXPECT_NE(p.file(), p.opened);
}

TEST(Undo, AStepOfAnotherSubmapLoadsThatSubmapAndSaysSo)
{
    Program p;
    const rom::AreaId painted = p.area().id;
    const std::uint8_t old = p.area().map.mapGrid[0];
    p.paint();
    const rom::AreaId other = p.submapWhere([&](const rom::AreaId& id) { return !(id == painted); });
    p.load(other);

    p.window.undoStep();
    EXPECT_EQ(p.area().id, painted);
    EXPECT_EQ(p.area().map.mapGrid[0], old);
    EXPECT_EQ(AreaTree::keyOf(p.window.areaTree()->currentItem()),
              QString::fromStdString(world::findSubmap(painted)->key));
    EXPECT_TRUE(p.window.statusNote().startsWith(QStringLiteral("Undone: Paint metatile 0")));
    EXPECT_EQ(p.body(), p.openedBody());

    // Redo in the submap itself stays there.
    p.window.redoStep();
    EXPECT_EQ(p.area().id, painted);
    EXPECT_NE(p.area().map.mapGrid[0], old);
    EXPECT_TRUE(p.window.statusNote().startsWith(QStringLiteral("Redone: ")));
}

TEST(Undo, TypingIsOneStepPerStringAndTheTextEditorFollows)
{
    Program p;
    p.window.commandAction(Command::TextEditor)->trigger();
    TextEditor* editor = p.window.textEditor();
    ASSERT_NE(editor, nullptr);
    const text::Texts original = p.document().decodeTexts();
    editor->textList()->setCurrentRow(3);
    const QString start = QString::fromStdString(original[3]);
    ASSERT_GE(start.size(), 2);
    editor->textBox()->setText(start.left(start.size() - 1));
    editor->textBox()->setText(start.left(start.size() - 2));
    editor->textList()->setCurrentRow(4);
    editor->textBox()->setText(QString());
    ASSERT_EQ(p.stack()->count(), 2);
    EXPECT_EQ(p.stack()->text(0), QStringLiteral("Edit text 03"));
    EXPECT_EQ(p.stack()->text(1), QStringLiteral("Edit text 04"));

    p.window.undoAction()->trigger();
    EXPECT_EQ(editor->editTexts()[4], original[4]);
    EXPECT_EQ(editor->editIndex(), 4);
    EXPECT_EQ(editor->textBox()->text(), QString::fromStdString(original[4]));
    p.window.undoAction()->trigger();
    EXPECT_EQ(editor->editTexts()[3], original[3]);
    EXPECT_EQ(p.body(), p.openedBody());

    // The history window lists the steps below the opened state.
    p.window.historyAction()->trigger();
    ASSERT_NE(p.window.historyView(), nullptr);
    EXPECT_EQ(p.window.historyView()->model()->rowCount(), 3);
}
