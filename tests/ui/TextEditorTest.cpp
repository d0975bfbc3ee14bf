#include "OpenedEditor.h"

#include "core/text/TextCodec.h"
#include "ui/editors/TextEditor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

TextEditor& openTexts(OpenedEditor& e)
{
    e.window.openTextEditor();
    return *e.window.textEditor();
}

QString shown(TextEditor& editor, int row)
{
    editor.textList()->setCurrentRow(row);
    return editor.textBox()->text();
}

std::string imageText(OpenedEditor& e, int n)
{
    return text::decodeText(e.document().rom(), n, e.document().sideData().charTable);
}

std::size_t freeBytes(OpenedEditor& e)
{
    return e.document().textBlock().usage(e.document().decodeTexts(), e.document().sideData().charTable).freeBytes();
}

// A key as the keyboard delivers it to the box: first offered to the
// shortcuts (true when the box claims it), then pressed.
bool key(TextEditor& editor, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
    override.ignore();
    QApplication::sendEvent(editor.textBox(), &override);
    QKeyEvent pressed(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(editor.textBox(), &pressed);
    return override.isAccepted();
}

} // namespace

TEST(TextEditor, TypingWritesAtOnceAsOneStepPerString)
{
    OpenedEditor t;
    TextEditor& editor = openTexts(t);
    ASSERT_EQ(editor.textList()->count(), 121);
    EXPECT_EQ(editor.textList()->item(120)->text().toStdString(), "78: " + sampleTexts()[120]);
    const std::size_t free = freeBytes(t);
    const QString three = shown(editor, 3);
    editor.textBox()->setText(three.chopped(1));
    editor.textBox()->setText(three.chopped(2));
    EXPECT_EQ(imageText(t, 3), three.chopped(2).toStdString());
    EXPECT_EQ(editor.textList()->item(3)->text(), "03: " + three.chopped(2));
    EXPECT_TRUE(editor.usageLabel()->text().contains(QStringLiteral("%1 free").arg(free + 2)));
    EXPECT_EQ(t.history().index(), 1);
    EXPECT_TRUE(t.captionMarked());

    // A character the table lacks is stored as a space and named below the box.
    shown(editor, 4);
    editor.textBox()->setText(QStringLiteral("A\u00E9B"));
    EXPECT_EQ(t.history().index(), 2);
    EXPECT_EQ(imageText(t, 4), "A B");
    EXPECT_TRUE(editor.missingLabel()->text().contains(QStringLiteral("\u00E9")));
    t.window.undoStep(); // the box follows the document's undo
    EXPECT_EQ(editor.editIndex(), 4);
    EXPECT_EQ(editor.textBox()->text().toStdString(), sampleTexts()[4]);
    shown(editor, 5);
    EXPECT_TRUE(editor.missingLabel()->isHidden());
    EXPECT_TRUE(t.dialogs.messages.isEmpty());
}

TEST(TextEditor, CtrlZAndCtrlShiftZInTheBoxAreTheDocumentsUndoAndRedo)
{
    OpenedEditor t;
    TextEditor& editor = openTexts(t);
    const QString three = shown(editor, 3);
    const auto before = t.body();
    key(editor, Qt::Key_End);
    key(editor, Qt::Key_Backspace);
    key(editor, Qt::Key_Backspace);
    ASSERT_EQ(imageText(t, 3), three.chopped(2).toStdString());
    const auto after = t.body();
    // The box claims Ctrl+Z, so the main window's shortcut does not run too.
    EXPECT_TRUE(key(editor, Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(t.body(), before);
    EXPECT_EQ(editor.textBox()->text(), three);
    EXPECT_FALSE(t.captionMarked());
    EXPECT_TRUE(key(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(t.body(), after);
    EXPECT_EQ(editor.textBox()->text(), three.chopped(2));
    EXPECT_EQ(t.history().index(), 1);
}

TEST(TextEditor, TextThatDoesNotFitStaysMarkedAsksBeforeSavingAndGoesInOnceThereIsRoom)
{
    OpenedEditor t;
    TextEditor& editor = openTexts(t);
    const auto before = t.body();
    const QString tooLong = shown(editor, 7) + QString(static_cast<qsizetype>(freeBytes(t) + 5), QChar('Z'));
    editor.textBox()->setText(tooLong);
    EXPECT_EQ(t.body(), before);
    EXPECT_TRUE(editor.hasUnwrittenChanges());
    // The list shows what the image holds, the box what was typed.
    EXPECT_EQ(editor.textList()->item(7)->text().toStdString(), "07: " + imageText(t, 7));
    EXPECT_TRUE(editor.notWrittenLabel()->text().contains("5 bytes over"));
    EXPECT_TRUE(t.dialogs.messages.isEmpty()); // shown in the window, not in a box
    shown(editor, 8);
    EXPECT_EQ(shown(editor, 7), tooLong);

    t.edit(); // something to save; No saves nothing
    t.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(t.window.saveFile());
    EXPECT_EQ(t.dialogs.lastMessage(), "String 07 does not fit: 5 bytes over. Save what is written?");
    t.window.undoStep();

    // Shortening another string makes room: both changes go in as one step.
    const QString nine = shown(editor, 9);
    ASSERT_GE(nine.size(), 5);
    editor.textBox()->setText(nine.chopped(5));
    EXPECT_FALSE(editor.hasUnwrittenChanges());
    EXPECT_TRUE(editor.notWrittenLabel()->isHidden());
    EXPECT_EQ(imageText(t, 7), tooLong.toStdString());
    EXPECT_EQ(t.history().index(), 1);
    t.window.undoStep();
    EXPECT_EQ(t.body(), before);
}

TEST(TextEditor, ClosingWithTextThatDoesNotFitAsksWhetherToDropIt)
{
    OpenedEditor t;
    TextEditor& editor = openTexts(t);
    const auto before = t.body();
    const QString tooLong(static_cast<qsizetype>(shown(editor, 4).size() + freeBytes(t) + 1), QChar('Q'));
    editor.textBox()->setText(tooLong);
    t.dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(editor.close());
    EXPECT_EQ(editor.textBox()->text(), tooLong);
    EXPECT_TRUE(t.dialogs.lastMessage().contains("1 byte over")) << t.dialogs.lastMessage().toStdString();
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(t.body(), before);
    openTexts(t);
    EXPECT_FALSE(editor.hasUnwrittenChanges());
    EXPECT_EQ(editor.textList()->item(4)->text().toStdString(), "04: " + sampleTexts()[4]);
}
