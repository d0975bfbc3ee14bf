#include "ScriptedDialogs.h"

#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticText.h"
#include "ui/editors/TextEditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace quarry;
using namespace quarry::test;
using quarry::ui::TextEditor;

namespace {

constexpr std::size_t kSlack = 10;

std::uint16_t cpuOf(std::size_t index)
{
    return static_cast<std::uint16_t>(0x8000 + (index & 0x3FFF));
}

// The sample texts in string order with string 120 moved kSlack bytes
// further on, so the block measured at open has kSlack bytes to spare.
SyntheticRom roomyImage()
{
    SyntheticRom rom;
    const std::size_t end = putSampleTexts(rom);
    std::vector<std::uint8_t> last = textBytes(sampleTexts().back());
    last.push_back(layout::kTextTerminator);
    const std::size_t moved = end - last.size() + kSlack;
    putTextBytes(rom, moved, last);
    putTextPointer(rom, 120, cpuOf(moved));
    return rom;
}

std::uint16_t pointerOf(const SyntheticRom& rom, int n)
{
    const std::size_t at = layout::kTextPointerTable + 2 * static_cast<std::size_t>(n);
    return static_cast<std::uint16_t>(rom.body()[at] | (rom.body()[at + 1] << 8));
}

struct Fixture {
    TempDir dir;
    ScriptedDialogs dialogs;
    session::Document document;
    std::unique_ptr<TextEditor> editor;

    explicit Fixture(const SyntheticRom& rom = roomyImage())
    {
        document.sideData().charTable = defaultTextTable();
        open(rom, "game.nes");
        editor = std::make_unique<TextEditor>(document, dialogs);
    }

    void open(const SyntheticRom& rom, const std::string& name)
    {
        rom.writeFile(dir.file(name));
        EXPECT_EQ(document.open(dir.file(name)), rom::OpenResult::Loaded);
    }

    void select(int row) { editor->textList()->setCurrentRow(row); }
    void type(const QString& text) { editor->textBox()->setText(text); }
    std::vector<std::uint8_t> body() const { return {document.rom().body().begin(), document.rom().body().end()}; }
    std::string imageText(int n) const { return text::decodeText(document.rom(), n, document.sideData().charTable); }
    std::size_t freeBytes() const
    {
        return document.textBlock().usage(document.decodeTexts(), document.sideData().charTable).freeBytes();
    }
};

} // namespace

TEST(TextEditor, ListsEveryStringAndShowsTheSelectedOne)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());
    const std::vector<std::string> samples = sampleTexts();

    EXPECT_EQ(f.editor->windowTitle(), "Text Editor");
    EXPECT_TRUE(f.editor->isWindow());
    ASSERT_EQ(f.editor->textList()->count(), 121);
    EXPECT_EQ(f.editor->textList()->item(0)->text().toStdString(), "00: " + samples[0]);
    EXPECT_EQ(f.editor->textList()->item(10)->text().toStdString(), "0A: " + samples[10]);
    EXPECT_EQ(f.editor->textList()->item(120)->text().toStdString(), "78: " + samples[120]);
    EXPECT_EQ(f.editor->textList()->currentRow(), 0);
    EXPECT_EQ(f.editor->textBox()->text().toStdString(), samples[0]);

    f.select(3);
    EXPECT_EQ(f.editor->editIndex(), 3);
    EXPECT_EQ(f.editor->textBox()->text().toStdString(), samples[3]);
    f.select(5); // an empty string
    EXPECT_TRUE(f.editor->textBox()->text().isEmpty());

    // Used and free bytes are shown from the start.
    EXPECT_TRUE(f.editor->usageLabel()->text().contains(QStringLiteral("%1 free").arg(kSlack)))
        << f.editor->usageLabel()->text().toStdString();
    EXPECT_FALSE(f.editor->hasUnwrittenChanges());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

TEST(TextEditor, EveryChangeWritesTheWholeBlock)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());
    const std::uint16_t pointer4Before = f.document.rom().readWord(layout::kTextPointerTable + 8);

    f.select(3);
    const QString grown = f.editor->textBox()->text() + "/AB";
    f.type(grown);
    EXPECT_EQ(f.editor->textList()->item(3)->text(), "03: " + grown);
    EXPECT_EQ(f.imageText(3), grown.toStdString());
    // Every later string moved up by the three added bytes.
    EXPECT_EQ(f.document.rom().readWord(layout::kTextPointerTable + 8), pointer4Before + 3);
    EXPECT_EQ(f.imageText(4), sampleTexts()[4]);
    EXPECT_EQ(f.freeBytes(), kSlack - 3);
    EXPECT_TRUE(f.editor->usageLabel()->text().contains(QStringLiteral("%1 free").arg(kSlack - 3)));

    // A character the table lacks is stored as a space and named below the box.
    f.type(QStringLiteral("A\u00E9B"));
    const std::size_t start = text::textStart(f.document.rom(), 3);
    EXPECT_EQ(f.document.rom().read(start), 0x01);
    EXPECT_EQ(f.document.rom().read(start + 1), 0x00);
    EXPECT_EQ(f.document.rom().read(start + 2), 0x02);
    EXPECT_EQ(f.document.rom().read(start + 3), 0xFF);
    EXPECT_FALSE(f.editor->missingLabel()->isHidden());
    EXPECT_TRUE(f.editor->missingLabel()->text().contains(QStringLiteral("\u00E9")));
    f.select(4);
    EXPECT_TRUE(f.editor->missingLabel()->isHidden());
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

TEST(TextEditor, ARefusedChangeStaysMarkedUntilItFits)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());
    const std::vector<std::uint8_t> before = f.body();

    f.select(7);
    const QString original = f.editor->textBox()->text();
    const QString tooLong = original + QString(static_cast<qsizetype>(kSlack + 5), QChar('Z'));
    f.type(tooLong);

    EXPECT_EQ(f.body(), before) << "a refused commit must write nothing";
    EXPECT_TRUE(f.editor->hasUnwrittenChanges());
    EXPECT_EQ(f.editor->textBox()->text(), tooLong);
    EXPECT_EQ(f.editor->textList()->item(7)->text(), "07: " + tooLong);
    EXPECT_FALSE(f.editor->textList()->item(7)->toolTip().isEmpty());
    EXPECT_TRUE(f.editor->textList()->item(6)->toolTip().isEmpty());
    EXPECT_FALSE(f.editor->notWrittenLabel()->isHidden());
    EXPECT_TRUE(f.editor->notWrittenLabel()->text().contains(QStringLiteral("5 bytes over")))
        << f.editor->notWrittenLabel()->text().toStdString();
    EXPECT_TRUE(f.editor->usageLabel()->text().contains(QStringLiteral("5 over")));
    EXPECT_TRUE(f.dialogs.messages.isEmpty()) << "the refusal is shown in the window, not in a box";

    // Moving to another line keeps the change and writes nothing.
    f.select(8);
    f.select(7);
    EXPECT_EQ(f.editor->textBox()->text(), tooLong);
    EXPECT_EQ(f.body(), before);

    // Shortening another string makes room: the whole block goes in,
    // string 7's change included.
    f.select(9);
    const QString nine = f.editor->textBox()->text();
    f.type(nine.left(nine.size() - 5));
    EXPECT_FALSE(f.editor->hasUnwrittenChanges());
    EXPECT_TRUE(f.editor->notWrittenLabel()->isHidden());
    EXPECT_TRUE(f.editor->textList()->item(7)->toolTip().isEmpty());
    EXPECT_EQ(f.imageText(7), tooLong.toStdString());
    EXPECT_EQ(f.imageText(9), nine.left(nine.size() - 5).toStdString());
    EXPECT_EQ(f.freeBytes(), 0u);
}

TEST(TextEditor, ClosingAndReopening)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());
    f.editor->show();
    f.select(2);
    f.type(QStringLiteral("CLOSED"));
    EXPECT_TRUE(f.editor->close());
    EXPECT_EQ(f.imageText(2), "CLOSED");

    // Reopening reads the image again, including changes made meanwhile.
    f.document.rom().write(text::textStart(f.document.rom(), 2), 0x02);
    ASSERT_TRUE(f.editor->setupEditor());
    f.editor->show();
    EXPECT_EQ(f.editor->textList()->item(2)->text(), "02: BLOSED");
    EXPECT_EQ(f.editor->textList()->currentRow(), 0);

    // A change that does not fit is tried once more on closing; the user
    // decides whether to drop it.
    const std::vector<std::uint8_t> before = f.body();
    f.select(4);
    f.type(QString(200, QChar('Q')));
    ASSERT_TRUE(f.editor->hasUnwrittenChanges());
    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(f.editor->close());
    EXPECT_TRUE(f.editor->isVisible());
    EXPECT_EQ(f.editor->textBox()->text(), QString(200, QChar('Q')));
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_TRUE(f.dialogs.lastMessage().contains(QStringLiteral("bytes over")));

    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(f.editor->close());
    EXPECT_EQ(f.body(), before);
    ASSERT_TRUE(f.editor->setupEditor());
    EXPECT_FALSE(f.editor->hasUnwrittenChanges());
    EXPECT_EQ(f.editor->editTexts()[4], sampleTexts()[4]);
}

TEST(TextEditor, RereadingWithUnwrittenChangesAsksFirst)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());
    f.select(1);
    f.type(QString(100, QChar('Q')));
    ASSERT_TRUE(f.editor->hasUnwrittenChanges());

    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(f.editor->setupEditor());
    EXPECT_EQ(f.editor->editTexts()[1], std::string(100, 'Q'));
    f.dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(f.editor->setupEditor());
    EXPECT_EQ(f.editor->editTexts()[1], sampleTexts()[1]);
}

TEST(TextEditor, AnUntouchedImageKeepsEveryByte)
{
    // Strings the editor would lay out differently: two entries share one
    // string, and one holds a code the table has no character for.
    SyntheticRom rom = roomyImage();
    putTextPointer(rom, 11, pointerOf(rom, 10));
    rom.body()[0xC000 + (pointerOf(rom, 12) & 0x3FFF)] = 0x7A;
    Fixture f(rom);
    const std::vector<std::uint8_t> before = f.body();

    ASSERT_TRUE(f.editor->setupEditor());
    f.editor->show();
    EXPECT_EQ(f.editor->editTexts()[12].substr(0, 4), "{7A}");
    for (int row : {11, 12, 0, 120})
        f.select(row);
    f.type(f.editor->textBox()->text()); // the same text is no change
    EXPECT_TRUE(f.editor->close());
    EXPECT_EQ(f.body(), before);

    // After a real edit the undefined code survives the rewrite.
    ASSERT_TRUE(f.editor->setupEditor());
    f.select(0);
    f.type(QStringLiteral("NEW"));
    EXPECT_EQ(f.imageText(12), f.editor->editTexts()[12]);
    EXPECT_EQ(f.document.rom().read(text::textStart(f.document.rom(), 12)), 0x7A);
    EXPECT_EQ(f.imageText(11), f.imageText(10));
}

TEST(TextEditor, AnotherImageOpenedUnderneathIsNotOverwritten)
{
    Fixture f;
    ASSERT_TRUE(f.editor->setupEditor());

    SyntheticRom other;
    putTextBlock(other, {textBytes("OTHER GAME")});
    f.open(other, "other.nes");
    const std::vector<std::uint8_t> before = f.body();

    f.select(1);
    f.type(QStringLiteral("STALE EDIT"));
    EXPECT_EQ(f.body(), before);
    ASSERT_EQ(f.dialogs.messages.size(), 1);
    EXPECT_TRUE(f.dialogs.lastMessage().contains(QStringLiteral("changed")));
    // The editor now shows the image that is open.
    EXPECT_EQ(f.editor->textList()->item(0)->text(), "00: OTHER GAME");
    EXPECT_EQ(f.editor->textBox()->text(), "OTHER GAME");
}
