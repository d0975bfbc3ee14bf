#include "OpenedEditor.h"

#include "ui/ScriptActions.h"
#include "ui/ScriptConsole.h"

#include <QAction>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace quarry::test {
namespace {

// Runs `source` through Tools > Run Script... and waits for it to end;
// `during` runs once the progress dialog has shown.
void runThroughMenu(OpenedEditor& editor, const std::string& source, const std::function<void()>& during = {})
{
    const std::string path = editor.dir.file("test.lua");
    writeFileBytes(path, std::vector<std::uint8_t>(source.begin(), source.end()));
    ui::ScriptActions* scripts = editor.window.scripts();
    scripts->setRequestSource([&] { return ui::ScriptRequest{QString::fromStdString(path), {}, {}, {}}; });
    QEventLoop loop;
    QObject::connect(scripts, &ui::ScriptActions::runEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (during)
        QTimer::singleShot(900, &loop, during);
    scripts->runAction()->trigger();
    loop.exec();
}

TEST(RunScript, AScriptsResultIsOneNamedStepAndAFailureOrCancelChangesNothing)
{
    OpenedEditor editor;
    session::Document& document = editor.window.document();
    const session::LoadedArea& area = *document.area();
    const rom::AreaId shown = area.id;
    const std::vector<std::uint8_t> before = document.rom().body();
    QUndoStack* stack = editor.window.history()->stack();
    const int steps = stack->count();
    const int metatile = (area.map.mapGrid[0] + 1) % std::max(area.metatileLimit - 1, 1);
    // Another submap is loaded on the way; the editor keeps its own.
    const rom::AreaId other = world::catalogueSubmaps().back();
    runThroughMenu(editor, "quarry.load(" + std::to_string(other.objectSet) + ", " + std::to_string(other.area) + ", "
                               + std::to_string(other.submap) + ")\nquarry.load(" + std::to_string(shown.objectSet) + ", "
                               + std::to_string(shown.area) + ", " + std::to_string(shown.submap) + ")\nquarry.set_cell(0, 0, "
                               + std::to_string(metatile) + ")\nquarry.step('Script edit')\nprint('hello from lua')\n");
    EXPECT_TRUE(editor.dialogs.messages.isEmpty()) << editor.dialogs.lastMessage().toStdString();
    EXPECT_EQ(stack->count(), steps + 1);
    EXPECT_EQ(stack->undoText(), QStringLiteral("Script edit"));
    EXPECT_EQ(document.area()->id, shown);
    EXPECT_EQ(document.area()->map.mapGrid[0], metatile);
    EXPECT_TRUE(editor.window.scripts()->console()->text().contains(QStringLiteral("hello from lua")));
    editor.window.undoStep();
    EXPECT_EQ(document.rom().body(), before);

    // An error: reported in the console with its line, nothing applied.
    // Scripts start on the submap the editor shows.
    runThroughMenu(editor, "quarry.set_cell(0, 0, " + std::to_string(metatile) + ")\n\nerror('no luck')\n");
    EXPECT_TRUE(editor.window.scripts()->console()->text().contains(QStringLiteral("test.lua:3: no luck")));
    EXPECT_TRUE(editor.dialogs.lastMessage().contains(QStringLiteral("nothing was changed")));
    EXPECT_EQ(document.rom().body(), before);

    // A runaway script: the progress dialog's Cancel ends the child.
    editor.dialogs.messages.clear();
    runThroughMenu(editor, "quarry.set_text(0, 'GONE')\nwhile true do end\n", [&] {
        ASSERT_NE(editor.window.scripts()->progress(), nullptr);
        // The dialog's own Cancel button, as the user presses it.
        QPushButton* cancel = editor.window.scripts()->progress()->findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        cancel->click();
    });
    EXPECT_EQ(editor.dialogs.lastMessage(), QStringLiteral("The script was cancelled; nothing was changed."));
    EXPECT_EQ(document.rom().body(), before);
    EXPECT_EQ(stack->count(), steps + 1);
    EXPECT_EQ(editor.window.scripts()->recentScripts().size(), 1);
}

} // namespace
} // namespace quarry::test
