#include "OpenedEditor.h"

#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"
#include "core/rom/DataAddress.h"
#include "core/text/TextCodec.h"
#include "ui/CompareActions.h"
#include "ui/ComparePanel.h"
#include "ui/editors/TextEditor.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::test;
using ui::Menu;

namespace {

// The synthetic image with edits, written beside the open one.
struct OtherEdit {
    SyntheticRom rom;
    std::size_t screen = 0; // body index of the loaded map's first screen

    explicit OtherEdit(OpenedEditor& e) : rom(e.world.rom)
    {
        screen = rom::bodyIndexOf(e.document().area()->map.screenTable[0], rom::DataKind::AreaData, "screen");
    }
    std::string write(OpenedEditor& e, const std::string& name)
    {
        const std::string path = e.dir.file(name);
        rom.writeFile(path);
        return path;
    }
};

ui::CompareActions* actions(OpenedEditor& e)
{
    return e.window.findChild<ui::CompareActions*>();
}

void pressKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

} // namespace

TEST(CompareWindow, ComparePanelListsTheChangesAndShowsTheirData)
{
    OpenedEditor e;
    ASSERT_NE(actions(e), nullptr);
    EXPECT_TRUE(e.window.menu(Menu::File)->actions().contains(actions(e)->compareAction()));
    OtherEdit other(e);
    other.rom.body()[other.screen + 9] ^= 1;
    const std::size_t text = text::textStart(e.document().rom(), 2);
    other.rom.body()[text] = static_cast<std::uint8_t>(other.rom.body()[text] == 1 ? 2 : 1);
    e.dialogs.filesToOpen.push_back(QString::fromStdString(other.write(e, "other.nes")));
    actions(e)->compareAction()->trigger();

    ui::ComparePanel* panel = actions(e)->panel();
    ASSERT_NE(panel, nullptr) << e.dialogs.lastMessage().toStdString();
    EXPECT_FALSE(panel->isHidden());
    ASSERT_EQ(panel->changes().size(), 2u);
    QTreeWidget* list = panel->list();
    const auto groups = list->findItems(QStringLiteral("Texts"), Qt::MatchExactly);
    ASSERT_EQ(groups.size(), 1);
    // Enter on the text's entry opens the text editor on that string.
    list->setFocus();
    list->setCurrentItem(groups[0]->child(0));
    pressKey(list, Qt::Key_Return);
    ASSERT_NE(e.window.textEditor(), nullptr);
    EXPECT_TRUE(e.window.textEditor()->isVisible());
    EXPECT_EQ(e.window.textEditor()->textList()->currentRow(), 2);

    // A patch is compared as the image it makes; no changes say so.
    const auto file = patch::imageFileBytes(e.document().rom());
    writeFileBytes(e.dir.file("same.ips"), patch::makeIps(file, file));
    e.dialogs.filesToOpen.push_back(QString::fromStdString(e.dir.file("same.ips")));
    actions(e)->compareAction()->trigger();
    EXPECT_TRUE(panel->changes().empty());
}

TEST(CompareWindow, MergeWithIsOneStepAskingForEachConflict)
{
    OpenedEditor e;
    OtherEdit theirs(e);
    const std::vector<std::uint8_t> before = e.document().rom().body();
    ASSERT_TRUE(e.document().paintCell(32 * 1 + 4, 32 * 1 + 4, 3)); // cell (row 1, column 1), mine
    const std::vector<std::uint8_t> mine = e.document().rom().body();
    theirs.rom.body()[theirs.screen + 9] = 5;  // the same cell: a conflict
    theirs.rom.body()[theirs.screen + 20] ^= 1; // another cell: merged
    const std::string theirsPath = theirs.write(e, "theirs.nes");
    const QString original = QString::fromStdString(e.path);

    // Cancel in the conflict box changes nothing.
    e.dialogs.filesToOpen = {original, QString::fromStdString(theirsPath)};
    actions(e)->mergeAction()->trigger();
    ASSERT_EQ(e.dialogs.mergeConflicts.size(), 1);
    EXPECT_TRUE(e.dialogs.mergeConflicts[0].contains("cell (row 1, column 1): mine $03, theirs $05"));
    EXPECT_EQ(e.document().rom().body(), mine);

    // Theirs kept for the conflict; the other cell joins mine's edit.
    e.dialogs.filesToOpen = {original, QString::fromStdString(theirsPath)};
    e.dialogs.mergeAnswers.push_back(std::vector<bool>{false});
    actions(e)->mergeAction()->trigger();
    EXPECT_EQ(e.dialogs.lastMessage(), "Merged.");
    const auto& merged = e.document().rom().body();
    EXPECT_EQ(merged[theirs.screen + 9], 5);
    EXPECT_EQ(merged[theirs.screen + 20], theirs.rom.body()[theirs.screen + 20]);
    EXPECT_EQ(e.document().area()->map.mapGrid[9], 5); // the view follows
    e.window.undoStep();
    EXPECT_EQ(e.document().rom().body(), mine);
    e.window.undoStep();
    EXPECT_EQ(e.document().rom().body(), before);

    // Another image than an edit of the original is refused, named.
    SyntheticRom longer = e.world.rom;
    longer.resizeBody(longer.body().size() + 0x4000);
    longer.writeFile(e.dir.file("longer.nes"));
    e.dialogs.filesToOpen = {original, QString::fromStdString(e.dir.file("longer.nes"))};
    actions(e)->mergeAction()->trigger();
    EXPECT_TRUE(e.dialogs.lastMessage().contains("longer.nes differ in size")) << e.dialogs.lastMessage().toStdString();
    EXPECT_EQ(e.document().rom().body(), before);
}
