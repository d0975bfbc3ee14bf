#include "ScriptedDialogs.h"

#include "core/rom/GameLayout.h"
#include "support/SyntheticRom.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowExtras.h"

#include <QAction>
#include <QDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quarry;
using namespace quarry::ui;
using quarry::test::ScriptedDialogs;
using quarry::test::SyntheticRom;
using quarry::test::TempDir;

namespace {

const Command kImageCommands[] = {Command::Save,         Command::TextEditor,       Command::MetatileEditor,
                                  Command::PaletteEditor, Command::SpriteEditor,     Command::GlobalProperties,
                                  Command::MapInfo,       Command::EraseMap};

// A dat folder with every side file in place.
void writeDatFolder(const std::string& dir)
{
    std::filesystem::create_directories(dir + "/obj");
    std::ofstream(dir + "/TBL.DAT") << "00= \n01=A\n";
    std::ofstream(dir + "/PARTS.DAT") << "None\n";
    std::ofstream(dir + "/WEAPON.DAT") << "None\n";
    std::ofstream(dir + "/obj/obj05.TXT") << "Lamp Post\n1\nT\nT\nT\nT\nT\nT\n";
}

struct Fixture {
    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    explicit Fixture(bool withDat = true)
    {
        if (withDat)
            writeDatFolder(dir.file("dat"));
        window = std::make_unique<MainWindow>(dialogs, QString::fromStdString(dir.file("dat")));
        window->startUp();
    }

    QString writeGoodImage(const std::string& name = "game.nes")
    {
        SyntheticRom rom;
        rom.body()[0x100] = 0x42;
        rom.writeFile(dir.file(name));
        return QString::fromStdString(dir.file(name));
    }

    void open(const QString& path)
    {
        dialogs.filesToOpen.push_back(path);
        window->commandAction(Command::Open)->trigger();
    }
};

} // namespace

TEST(MainWindowStartUp, CaptionCommandsAndStatusBeforeAnyImage)
{
    Fixture f;
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
    EXPECT_EQ(f.window->windowTitle(), "Quarry v0.21.0 [...]");
    EXPECT_TRUE(f.window->commandAction(Command::Open)->isEnabled());
    EXPECT_TRUE(f.window->commandAction(Command::Exit)->isEnabled());
    for (Command command : kImageCommands)
        EXPECT_FALSE(f.window->commandAction(command)->isEnabled());
    for (EditMode mode : {EditMode::Map, EditMode::Actor, EditMode::Stair, EditMode::Pointer, EditMode::Solidity})
        EXPECT_FALSE(f.window->modeAction(mode)->isEnabled());
    MainWindowExtras* extras = f.window->extras();
    for (QAction* action : {f.window->historyAction(), extras->brushAction(), extras->whereUsedAction(),
                            extras->zoomInAction(), extras->zoomOutAction(), extras->zoomResetAction()})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_EQ(f.window->statusText(0), "Area Map: $0000");
    EXPECT_EQ(f.window->statusText(1), "Actors: $0000");
    EXPECT_EQ(f.window->statusText(2), "Stairs: $0000");
    EXPECT_EQ(f.window->statusText(3), "Palette: $0000");
    EXPECT_FALSE(f.window->findChild<QTreeWidget*>("areaTree")->isEnabled());
    EXPECT_EQ(f.window->commandAction(Command::Open)->toolTip(), "Open File");
    EXPECT_EQ(f.window->commandAction(Command::EraseMap)->toolTip(), "Erase Map");
    EXPECT_EQ(f.window->modeAction(EditMode::Solidity)->text(), "T");
    EXPECT_EQ(f.window->modeAction(EditMode::Solidity)->toolTip(), "Tile Solidity Mode");
}

TEST(MainWindowStartUp, MissingSideFilesAreReportedAndDefaultsUsed)
{
    Fixture f(false);
    ASSERT_EQ(f.dialogs.messages.size(), 2);
    EXPECT_EQ(f.dialogs.messages[0], "\"TBL.DAT\" not found!\nLoading default table.");
    EXPECT_EQ(f.dialogs.messages[1], "\"DAT\" files not found!\nLoading defaults.");
    EXPECT_EQ(f.window->sideData().charTable[0x01], "A");
    EXPECT_EQ(f.window->sideData().partNames.size(), 7u);
}

TEST(MainWindowOpen, SuccessEnablesTheImageCommands)
{
    Fixture f;
    f.open(f.writeGoodImage());
    EXPECT_EQ(f.dialogs.lastMessage(), "File successfully loaded!");
    EXPECT_EQ(f.dialogs.lastOpenFilter, "iNES rom image (*.nes)");
    EXPECT_EQ(f.window->windowTitle(), "Quarry v0.21.0 [game.nes]");
    EXPECT_TRUE(f.window->document().romLoaded());
    EXPECT_TRUE(f.window->commandAction(Command::Save)->isEnabled());
    EXPECT_TRUE(f.window->modeAction(EditMode::Actor)->isEnabled());
    EXPECT_TRUE(f.window->extras()->brushAction()->isEnabled());
    EXPECT_TRUE(f.window->extras()->zoomInAction()->isEnabled());
    EXPECT_FALSE(f.window->extras()->zoomOutAction()->isEnabled()); // at 1x already
    EXPECT_TRUE(f.window->findChild<QTreeWidget*>("areaTree")->isEnabled());
    EXPECT_EQ(f.window->editMode(), EditMode::Map);
    ASSERT_EQ(f.window->sideData().actorTypes.size(), 1u);
    EXPECT_EQ(f.window->sideData().actorTypes[0].code, 0x05);
}

TEST(MainWindowOpen, FailuresKeepThePreviousImageAndCaption)
{
    Fixture f;
    f.open(f.writeGoodImage());

    test::writeFileBytes(f.dir.file("tiny.nes"), std::vector<std::uint8_t>(16, 'N'));
    SyntheticRom wrong;
    wrong.header()[0] = 'X';
    wrong.writeFile(f.dir.file("wrong.nes"));
    SyntheticRom shortOne;
    shortOne.resizeBody(layout::kMinimumBodySize / 2);
    shortOne.writeFile(f.dir.file("short.nes"));

    const struct {
        std::string file;
        const char* message;
    } cases[] = {
        {"tiny.nes", "Error loading file!"},
        {"missing.nes", "Error loading file!"},
        {"wrong.nes", "Invalid rom!"},
        {"short.nes", "Invalid rom! The file is too short to hold the game's data: it needs at least 262144 bytes "
                      "after its 16-byte header."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        f.open(QString::fromStdString(f.dir.file(c.file)));
        EXPECT_EQ(f.dialogs.lastMessage(), c.message);
        EXPECT_EQ(f.window->windowTitle(), "Quarry v0.21.0 [game.nes]");
        // The image that was open stays open, and saveable.
        EXPECT_TRUE(f.window->document().romLoaded());
        EXPECT_EQ(f.window->document().rom().read(0x100), 0x42);
        EXPECT_TRUE(f.window->commandAction(Command::Save)->isEnabled());
        f.window->commandAction(Command::Save)->trigger();
        EXPECT_EQ(f.dialogs.lastMessage(), "File successfully saved!");
    }
}

TEST(MainWindowOpen, ACancelledOpenShowsNothingAndKeepsTheImageSaveable)
{
    Fixture f;
    f.open(f.writeGoodImage());
    const int before = f.dialogs.messages.size();
    f.open(QString());
    EXPECT_EQ(f.dialogs.messages.size(), before);
    EXPECT_EQ(f.window->windowTitle(), "Quarry v0.21.0 [game.nes]");
    f.window->commandAction(Command::Save)->trigger();
    EXPECT_EQ(f.dialogs.lastMessage(), "File successfully saved!");
}

TEST(MainWindowSave, WritesBackAndAFailedSaveKeepsTheEditsForAnotherTry)
{
    Fixture f;
    const QString path = f.writeGoodImage();
    const auto original = test::readFileBytes(path.toStdString());

    // The button is disabled before the first open; the command itself refuses too.
    EXPECT_FALSE(f.window->commandAction(Command::Save)->isEnabled());
    f.window->saveFile();
    EXPECT_EQ(f.dialogs.lastMessage(), "Load a file!");

    f.open(path);
    f.window->commandAction(Command::Save)->trigger();
    EXPECT_EQ(f.dialogs.lastMessage(), "File successfully saved!");
    EXPECT_EQ(test::readFileBytes(path.toStdString()), original);

    // An edit, then the file's folder disappears before the save: a failed
    // save (not a backup question), and the edit stays, modified, for
    // another try once the folder is back.
    f.window->document().rom().write(0x100, 0x43);
    std::filesystem::remove_all(f.dir.path());
    f.dialogs.messages.clear();
    f.window->commandAction(Command::Save)->trigger();
    EXPECT_EQ(f.dialogs.messages, QStringList{"Uknown Error!"});
    EXPECT_TRUE(f.window->isModified());
    std::filesystem::create_directories(f.dir.path());
    f.window->commandAction(Command::Save)->trigger();
    EXPECT_EQ(f.dialogs.lastMessage(), "File successfully saved!");
    EXPECT_EQ(test::readFileBytes(path.toStdString())[16 + 0x100], 0x43);
    EXPECT_FALSE(f.window->isModified());
}

TEST(MainWindowModes, ExactlyOneModeIsPushedAndTheImageIsUntouched)
{
    Fixture f;
    f.open(f.writeGoodImage());
    const auto before = f.window->document().rom().body();
    for (EditMode mode : {EditMode::Actor, EditMode::Stair, EditMode::Pointer, EditMode::Solidity, EditMode::Map}) {
        f.window->modeAction(mode)->trigger();
        EXPECT_EQ(f.window->editMode(), mode);
        int pushed = 0;
        for (EditMode other : {EditMode::Map, EditMode::Actor, EditMode::Stair, EditMode::Pointer, EditMode::Solidity})
            pushed += f.window->modeAction(other)->isChecked() ? 1 : 0;
        EXPECT_EQ(pushed, 1);
    }
    EXPECT_EQ(f.window->document().rom().body(), before);
}
