// Gestures cut short end as one named step, and nothing closes before the
// user agreed to close it.
#include "OpenedEditor.h"

#include "ui/editors/MetatileEditor.h"
#include "ui/editors/TextEditor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

int pixelAt(const TileKit& kit, int column, int row)
{
    return kit.tiles()[static_cast<std::size_t>(0x21 * 64 + row * 8 + column)];
}

// Presses in the background editor's kit on pixel (column, 0) of tile 21 in
// a colour it does not hold, and paints the pixel right of it too, the
// button still held. Returns the colour.
int holdStroke(OpenedEditor& e, int column = 0)
{
    e.window.openMetatileEditor();
    TileKit& kit = *e.window.metatileEditor()->tileKit();
    OpenedEditor::selectTile(kit, 0x21);
    const int colour = (pixelAt(kit, column, 0) + 1) % 4;
    press(kit.colorSwatch(colour), QPoint(2, 2));
    press(kit.tileView(), OpenedEditor::tilePixel(kit, column, 0));
    move(kit.tileView(), OpenedEditor::tilePixel(kit, column + 1, 0), Qt::LeftButton);
    return colour;
}

TileKit& kitOf(OpenedEditor& e)
{
    return *e.window.metatileEditor()->tileKit();
}

// The rest of a held stroke after it was cut: moves and the release.
void finishHeldStroke(TileKit& kit)
{
    move(kit.tileView(), OpenedEditor::tilePixel(kit, 5, 5), Qt::LeftButton);
    release(kit.tileView(), OpenedEditor::tilePixel(kit, 5, 5));
}

// A click on the map's top left cell in Map Edit Mode, with a metatile the
// cell does not hold: one step.
void paintMapCell(OpenedEditor& e)
{
    e.window.setEditMode(EditMode::Map);
    const int other = e.area().map.mapGrid[0] == 1 ? 2 : 1;
    e.window.workspace()->selectMetatileAt(QPoint((other % 8) * 32 + 4, (other / 8) * 32 + 4));
    e.clickMap(QPoint(8, 8));
}

// Every step of the history has a name.
bool allNamed(OpenedEditor& e)
{
    for (int i = 0; i < e.history().count(); ++i)
        if (e.history().text(i).isEmpty())
            return false;
    return true;
}

} // namespace

TEST(GestureGuard, AStrokeCutByCloseBoxUndoFocusOrSaveIsOneNamedStepAndItsRestWritesNothing)
{
    {
        SCOPED_TRACE("the window closes");
        OpenedEditor e(OpenedEditor::withMask(0x1E));
        const int colour = holdStroke(e);
        TileKit& kit = kitOf(e);
        const int untouched = pixelAt(kit, 5, 5);
        EXPECT_TRUE(e.captionMarked()) << "an open gesture counts as unsaved";
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(e.window.metatileEditor(), &escape);
        ASSERT_FALSE(e.window.metatileEditor()->isVisible());
        finishHeldStroke(kit);
        ASSERT_EQ(e.history().count(), 1);
        EXPECT_EQ(e.history().text(0), "Paint tile 21");
        EXPECT_EQ(pixelAt(kit, 0, 0), colour);
        EXPECT_EQ(pixelAt(kit, 5, 5), untouched);
        // The next edit elsewhere is a step of its own.
        paintMapCell(e);
        EXPECT_EQ(e.history().count(), 2);
        e.window.undoStep();
        EXPECT_EQ(pixelAt(kit, 0, 0), colour) << "one undo took back only the map cell";
        // Exit asks, as there is unsaved work.
        e.dialogs.saveChoices.push_back(SaveChoice::Cancel);
        EXPECT_FALSE(e.window.close());
        EXPECT_EQ(e.dialogs.saveQuestions, 1);
    }
    {
        SCOPED_TRACE("undo while held");
        OpenedEditor e(OpenedEditor::withMask(0x1E));
        paintMapCell(e);
        const auto before = e.body();
        holdStroke(e);
        TileKit& kit = kitOf(e);
        e.window.undoAction()->trigger();
        EXPECT_EQ(e.body(), before) << "the whole stroke so far was taken back";
        finishHeldStroke(kit);
        EXPECT_EQ(e.body(), before);
        EXPECT_EQ(e.history().count(), 2);
        EXPECT_EQ(e.history().index(), 1);
        EXPECT_TRUE(allNamed(e));
    }
    {
        SCOPED_TRACE("a modal box, then the program losing focus");
        OpenedEditor e(OpenedEditor::withMask(0x1E));
        holdStroke(e);
        TileKit& kit = kitOf(e);
        const int untouched = pixelAt(kit, 5, 5);
        e.window.commandAction(Command::EraseMap)->trigger(); // asks first; answered No
        EXPECT_EQ(e.dialogs.messages.size(), 1);
        finishHeldStroke(kit);
        EXPECT_EQ(e.history().count(), 1);
        EXPECT_EQ(pixelAt(kit, 5, 5), untouched);

        holdStroke(e, 3);
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(e.window.metatileEditor(), &deactivate);
        finishHeldStroke(kit);
        EXPECT_EQ(e.history().count(), 2);
        EXPECT_EQ(e.history().text(1), "Paint tile 21");
        EXPECT_EQ(pixelAt(kit, 5, 5), untouched);
    }
    {
        SCOPED_TRACE("saved while held");
        OpenedEditor e(OpenedEditor::withMask(0x1E));
        holdStroke(e);
        TileKit& kit = kitOf(e);
        e.window.commandAction(Command::Save)->trigger();
        EXPECT_EQ(e.fileBody(), e.body()) << "the file holds the stroke as far as it went";
        EXPECT_FALSE(e.captionMarked());
        finishHeldStroke(kit);
        EXPECT_EQ(e.fileBody(), e.body()) << "the rest of the drag wrote nothing";
        EXPECT_EQ(e.history().count(), 1);
        e.window.undoStep();
        EXPECT_NE(e.fileBody(), e.body());
        EXPECT_TRUE(e.captionMarked());
    }
}

TEST(GestureGuard, CancelOnOpenRecentDropOrExitKeepsEveryWindowOpen)
{
    OpenedEditor e;
    e.window.openMetatileEditor();
    e.window.openTextEditor();
    paintMapCell(e);
    auto allOpen = [&] { return e.window.metatileEditor()->isVisible() && e.window.textEditor()->isVisible(); };
    ASSERT_TRUE(allOpen());

    e.dialogs.filesToOpen.push_back(QString::fromStdString(e.path));
    e.window.openFile();
    EXPECT_TRUE(allOpen()) << "Open";
    EXPECT_EQ(e.dialogs.saveQuestions, 1);
    EXPECT_EQ(e.dialogs.filesToOpen.size(), 1) << "no file was asked for after Cancel";
    e.dialogs.filesToOpen.clear();

    e.window.openRecent(QString::fromStdString(e.path));
    EXPECT_TRUE(allOpen()) << "Open Recent";

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(e.path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.window, &drop);
    EXPECT_TRUE(allOpen()) << "a dropped file";

    EXPECT_FALSE(e.window.close());
    EXPECT_TRUE(allOpen()) << "Exit";
    EXPECT_EQ(e.dialogs.saveQuestions, 4);
    EXPECT_EQ(e.history().count(), 1);

    // Discard closes them and opens the file.
    e.dialogs.saveChoices.push_back(SaveChoice::Discard);
    e.window.openRecent(QString::fromStdString(e.path));
    EXPECT_FALSE(e.window.metatileEditor()->isVisible());
    EXPECT_EQ(e.history().count(), 0);
}
