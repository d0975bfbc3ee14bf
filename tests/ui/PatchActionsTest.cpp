#include "OpenedEditor.h"

#include "support/SyntheticWorld.h"
#include "ui/MainWindow.h"
#include "ui/PatchActions.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using quarry::test::ScriptedDialogs;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

using OpenWindow = quarry::test::OpenedEditor;

} // namespace

TEST(PatchActions, ExportThenApplyReproducesTheEditsAndUndoTakesThemBack)
{
    OpenWindow edited;
    ASSERT_TRUE(edited.window.patches()->exportAction()->isEnabled());
    edited.window.document().paintCell(10, 10, 3);
    const std::string patchPath = edited.dir.file("change.bps");
    edited.dialogs.filesToSave.push_back(QString::fromStdString(patchPath));
    edited.window.patches()->exportAction()->trigger();
    EXPECT_EQ(edited.dialogs.lastMessage(), "Patch written.");

    OpenWindow fresh;
    const auto original = fresh.window.document().rom().body();
    fresh.dialogs.filesToOpen.push_back(QString::fromStdString(patchPath));
    fresh.window.patches()->applyAction()->trigger();
    EXPECT_EQ(fresh.dialogs.lastMessage(), "Patch applied.");
    EXPECT_EQ(fresh.window.document().rom().body(), edited.window.document().rom().body());
    EXPECT_TRUE(fresh.window.windowTitle().startsWith('*'));

    fresh.window.menu(Menu::Edit)->actions().first()->trigger(); // Undo
    EXPECT_EQ(fresh.window.document().rom().body(), original);
}

TEST(PatchActions, APatchForAnotherImageIsRefused)
{
    OpenWindow w;
    // An IPS patch whose record lies past the end of the image.
    const std::vector<std::uint8_t> patch = {'P', 'A', 'T', 'C', 'H', 0x7F, 0xFF, 0xFF, 0x00, 0x01, 0x42, 'E', 'O', 'F'};
    test::writeFileBytes(w.dir.file("bad.ips"), patch);
    const auto before = w.window.document().rom().body();
    w.dialogs.filesToOpen.push_back(QString::fromStdString(w.dir.file("bad.ips")));
    w.window.patches()->applyAction()->trigger();
    ASSERT_EQ(w.dialogs.messages.size(), 1);
    EXPECT_NE(w.dialogs.messages[0], "Patch applied.");
    EXPECT_EQ(w.window.document().rom().body(), before);
    EXPECT_FALSE(w.window.windowTitle().startsWith('*'));
}
