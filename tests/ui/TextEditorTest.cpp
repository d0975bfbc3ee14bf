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

// The text editor opened from the main window.
struct TextWindow : OpenedEditor {
    TextEditor* editor = nullptr;

    TextWindow() { open(); }
    void open()
    {
        window.openTextEditor();
        editor = window.textEditor();
    }
    void select(int row) { editor->textList()->setCurrentRow(row); }
    void type(const QString& text) { editor->textBox()->setText(text); }
    QString boxText() const { return editor->textBox()->text(); }
    std::string imageText(int n) { return text::decodeText(document().rom(), n, document().sideData().charTable); }
    std::size_t freeBytes()
    {
        return document().textBlock().usage(document().decodeTexts(), document().sideData().charTable).freeBytes();
    }
    // A key as the keyboard delivers it to the box: first offered to the
    // shortcuts (the box may claim it), then pressed.
    bool key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
        override.ignore();
        QApplication::sendEvent(editor->textBox(), &override);
        QKeyEvent pressed(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(editor->textBox(), &pressed);
        return override.isAccepted();
    }
};

} // namespace

TEST(TextEditor, ListsEveryStringAndTypingWritesAtOnceAsOneStepPerString)
{
    TextWindow t;
    const std::vector<std::string> samples = sampleTexts();
    EXPECT_EQ(t.editor->windowTitle(), "Text Editor");
    ASSERT_EQ(t.editor->textList()->count(), 121);
    EXPECT_EQ(t.editor->textList()->item(120)->text().toStdString(), "78: " + samples[120]);
    EXPECT_EQ(t.boxText().toStdString(), samples[0]);
    const std::size_t free = t.freeBytes();
    EXPECT_TRUE(t.editor->usageLabel()->text().contains(QStringLiteral("%1 free").arg(free)));
    EXPECT_TRUE(t.editor->notWrittenLabel()->isHidden());
    // Showing strings changes nothing.
    const auto before = t.body();
    for (int row : {11, 12, 0, 120})
        t.select(row);
    EXPECT_EQ(t.body(), before);

    t.select(3);
    const QString three = t.boxText();
    EXPECT_EQ(three.toStdString(), samples[3]);
    t.type(three.left(three.size() - 1));
    t.type(three.left(three.size() - 2));
    EXPECT_EQ(t.imageText(3), three.left(three.size() - 2).toStdString());
    EXPECT_EQ(t.editor->textList()->item(3)->text(), "03: " + three.left(three.size() - 2));
    EXPECT_EQ(t.history().index(), 1);
    EXPECT_TRUE(t.editor->usageLabel()->text().contains(QStringLiteral("%1 free").arg(free + 2)));
    EXPECT_TRUE(t.window.windowTitle().startsWith('*'));

    // Another string is another step; a character the table lacks is
    // stored as a space and named below the box.
    t.select(4);
    t.type(QStringLiteral("A\u00E9B"));
    EXPECT_EQ(t.history().index(), 2);
    EXPECT_EQ(t.imageText(4), "A B");
    EXPECT_TRUE(t.editor->missingLabel()->text().contains(QStringLiteral("\u00E9")));
    t.select(5);
    EXPECT_TRUE(t.editor->missingLabel()->isHidden());
    EXPECT_TRUE(t.dialogs.messages.isEmpty());
}

TEST(TextEditor, UndoAndRedoKeysInTheBoxAreTheDocumentsSteps)
{
    TextWindow t;
    t.select(3);
    const QString three = t.boxText();
    const auto before = t.body();
    t.key(Qt::Key_End);
    t.key(Qt::Key_Backspace);
    t.key(Qt::Key_Backspace);
    const QString typed = three.left(three.size() - 2);
    ASSERT_EQ(t.boxText(), typed);
    ASSERT_EQ(t.imageText(3), typed.toStdString());
    const auto after = t.body();

    // The box claims Ctrl+Z, so the main window's shortcut does not run too.
    EXPECT_TRUE(t.key(Qt::Key_Z, Qt::ControlModifier));
    EXPECT_EQ(t.body(), before);
    EXPECT_EQ(t.boxText(), three);
    EXPECT_EQ(t.editor->editIndex(), 3);
    EXPECT_FALSE(t.window.windowTitle().startsWith('*'));
    EXPECT_TRUE(t.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(t.body(), after);
    EXPECT_EQ(t.boxText(), typed);
    EXPECT_EQ(t.history().index(), 1);
}

TEST(TextEditor, AChangeThatDoesNotFitStaysMarkedUntilRoomIsMade)
{
    TextWindow t;
    const auto before = t.body();
    t.select(7);
    const QString tooLong = t.boxText() + QString(static_cast<qsizetype>(t.freeBytes() + 5), QChar('Z'));
    t.type(tooLong);
    EXPECT_EQ(t.body(), before);
    EXPECT_EQ(t.history().index(), 0);
    EXPECT_TRUE(t.editor->hasUnwrittenChanges());
    // The list shows what the image holds; the box what was typed.
    EXPECT_EQ(t.editor->textList()->item(7)->text().toStdString(), "07: " + t.imageText(7));
    EXPECT_FALSE(t.editor->textList()->item(7)->toolTip().isEmpty());
    EXPECT_TRUE(t.editor->textList()->item(6)->toolTip().isEmpty());
    EXPECT_FALSE(t.editor->notWrittenLabel()->isHidden());
    EXPECT_TRUE(t.editor->notWrittenLabel()->text().contains("5 bytes over"));
    EXPECT_TRUE(t.editor->usageLabel()->text().contains("5 over"));
    EXPECT_TRUE(t.dialogs.messages.isEmpty()); // shown in the window, not in a box
    t.select(8);
    t.select(7);
    EXPECT_EQ(t.boxText(), tooLong);

    // A save asks first, and No saves nothing.
    t.dialogs.yesNoAnswers = {false};
    t.window.document().rom().write(0x10, static_cast<std::uint8_t>(t.body()[0x10] ^ 1)); // something to save
    EXPECT_FALSE(t.window.saveFile());
    EXPECT_EQ(t.dialogs.lastMessage(), "String 07 does not fit: 5 bytes over. Save what is written?");
    t.window.undoStep();

    // Shortening another string makes room: both changes go in as one step.
    t.select(9);
    const QString nine = t.boxText();
    ASSERT_GE(nine.size(), 5);
    t.type(nine.left(nine.size() - 5));
    EXPECT_FALSE(t.editor->hasUnwrittenChanges());
    EXPECT_TRUE(t.editor->notWrittenLabel()->isHidden());
    EXPECT_TRUE(t.editor->textList()->item(7)->toolTip().isEmpty());
    EXPECT_EQ(t.imageText(7), tooLong.toStdString());
    EXPECT_EQ(t.imageText(9), nine.left(nine.size() - 5).toStdString());
    EXPECT_EQ(t.history().index(), 1);
    t.window.undoStep();
    EXPECT_EQ(t.body(), before);
}

TEST(TextEditor, ClosingWithAChangeThatDoesNotFitAsksWhetherToDropIt)
{
    TextWindow t;
    const auto before = t.body();
    t.select(4);
    const QString tooLong(static_cast<qsizetype>(t.boxText().size() + t.freeBytes() + 1), QChar('Q'));
    t.type(tooLong);
    t.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(t.editor->close());
    EXPECT_TRUE(t.editor->isVisible());
    EXPECT_EQ(t.boxText(), tooLong);
    EXPECT_TRUE(t.dialogs.lastMessage().contains("1 byte over")) << t.dialogs.lastMessage().toStdString();
    t.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(t.editor->close());
    EXPECT_EQ(t.body(), before);
    t.open();
    EXPECT_FALSE(t.editor->hasUnwrittenChanges());
    EXPECT_EQ(t.editor->textList()->item(4)->text().toStdString(), "04: " + sampleTexts()[4]);
}
