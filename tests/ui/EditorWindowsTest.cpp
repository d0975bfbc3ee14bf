// The editor windows: the bytes two of them share, the map that follows
// their edits, the palette and text editors.
#include "OpenedEditor.h"

#include "core/gfx/Chr.h"
#include "core/rom/Addressing.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticGraphics.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

std::uint8_t pixelOf(const gfx::TilePixels& tiles, int tile, int column, int row)
{
    return tiles[static_cast<std::size_t>(tile * 64 + row * 8 + column)];
}

} // namespace

TEST(EditorWindows, BothEditorsOfOneSharedBankSeeEachOtherAndBothEditsAreSaved)
{
    // Object set 1 draws its sprites from object set 0's background bank.
    OpenedEditor e([](SyntheticWorld& world, const std::string&) {
        world.rom.body()[layout::kChrBankTable + 2 * 1 + 1] = kSyntheticBackgroundBanks[0];
    });
    e.load(e.submapWhere([](const rom::AreaId& id) { return id.objectSet == 0; }));
    e.window.openMetatileEditor();
    e.window.openSpriteEditor();
    TileKit& background = *e.window.metatileEditor()->tileKit();
    TileKit& sprites = *e.window.spriteEditor()->tileKit();
    e.window.spriteEditor()->objectSetList()->setCurrentIndex(1);
    ASSERT_EQ(sprites.bankStart(), background.bankStart());

    const int a = 0x21, b = 0x42;
    const std::uint8_t paintA = (pixelOf(background.tiles(), a, 2, 3) + 1) & 3;
    const std::uint8_t paintB = (pixelOf(background.tiles(), b, 5, 6) + 1) & 3;
    OpenedEditor::selectTile(background, a);
    OpenedEditor::strokeTile(background, {{2, 3}}, paintA);
    EXPECT_EQ(pixelOf(sprites.tiles(), a, 2, 3), paintA); // at once, in the other window
    OpenedEditor::selectTile(sprites, b);
    OpenedEditor::strokeTile(sprites, {{5, 6}}, paintB);
    EXPECT_EQ(pixelOf(background.tiles(), b, 5, 6), paintB);
    EXPECT_EQ(pixelOf(background.tiles(), a, 2, 3), paintA);

    e.window.metatileEditor()->close();
    e.window.spriteEditor()->close();
    ASSERT_TRUE(e.window.saveFile());
    session::Document saved;
    ASSERT_EQ(saved.open(e.path), rom::OpenResult::Loaded);
    const gfx::TilePixels tiles = gfx::decodeTiles(saved.rom(), rom::bgChrBase(saved.rom(), 0), 256);
    EXPECT_EQ(pixelOf(tiles, a, 2, 3), paintA);
    EXPECT_EQ(pixelOf(tiles, b, 5, 6), paintB);
}

TEST(EditorWindows, TheMapShowsAnEditorsColourAtOnceAndUndoBringsItBack)
{
    OpenedEditor e;
    e.load(e.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = e.world.game.submap(id).dayPaletteSets;
        return sets[0] != sets[1];
    }));
    e.window.setEditMode(EditMode::Pointer);
    const QImage before = e.window.workspace()->mapView()->picture();
    e.window.openPaletteEditor();
    PaletteEditor* palette = e.window.paletteEditor();
    for (int entry = 0; entry < 4; ++entry) {
        click(palette->masterCell((e.area().palette[static_cast<std::size_t>(entry)] + 0x11) & 0x3F), QPoint(2, 2));
        click(palette->paletteCell(entry), QPoint(2, 2));
    }
    EXPECT_NE(e.window.workspace()->mapView()->picture(), before);
    for (int entry = 0; entry < 4; ++entry)
        e.window.undoStep();
    EXPECT_EQ(e.window.workspace()->mapView()->picture(), before);
    EXPECT_EQ(e.window.editMode(), EditMode::Pointer);
}

namespace {

// Loads a submap whose background and sprite sets differ, so every entry
// written stays written, and opens the palette editor there.
PaletteEditor& openPalettes(OpenedEditor& e)
{
    e.load(e.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = e.world.game.submap(id).dayPaletteSets;
        return sets[0] != sets[1];
    }));
    e.window.openPaletteEditor();
    return *e.window.paletteEditor();
}

void pick(PaletteEditor& editor, int colour) { click(editor.masterCell(colour), QPoint(2, 2)); }
void clickEntry(PaletteEditor& editor, int entry) { click(editor.paletteCell(entry), QPoint(2, 2)); }

} // namespace

TEST(PaletteEditor, SwatchCaptionsAreNeverInTheSwatchsOwnBrightness)
{
    OpenedEditor colour(OpenedEditor::withMask(0x1E));
    OpenedEditor grey; // greyscale: $3F shows white
    PaletteEditor& e = openPalettes(colour);
    const QColor light = e.palette().color(QPalette::Window), dark = e.palette().color(QPalette::WindowText);
    for (int i : {0x01, 0x0F, 0x2E, 0x3F})
        EXPECT_EQ(e.masterCell(i)->captionColor(), light) << i;
    for (int i : {0x00, 0x10, 0x30, 0x3D})
        EXPECT_EQ(e.masterCell(i)->captionColor(), dark) << i;
    EXPECT_EQ(openPalettes(grey).masterCell(0x3F)->captionColor(), dark);
}

TEST(PaletteEditor, AnEntryClickMarksTheCaptionAtOnceAndUndoKeepsThePickedColour)
{
    OpenedEditor p;
    PaletteEditor& e = openPalettes(p);
    const auto original = p.body();
    const std::uint8_t last = p.area().palette[31];
    EXPECT_FALSE(p.captionMarked());
    int picked = 0;
    for (int entry : {0, 31}) {
        SCOPED_TRACE(entry);
        const auto before = p.body();
        picked = (p.area().palette[static_cast<std::size_t>(entry)] + 1) & 0x3F;
        pick(e, picked);
        clickEntry(e, entry);
        EXPECT_EQ(p.changedSince(before).size(), 1u);
        EXPECT_TRUE(p.captionMarked());
        EXPECT_EQ(p.area().palette[static_cast<std::size_t>(entry)], picked);
    }
    p.window.undoStep();
    EXPECT_EQ(e.paletteCell(31)->text(), QString::number(last, 16).toUpper());
    EXPECT_EQ(e.selectedColor(), picked);
    p.window.undoStep();
    EXPECT_EQ(p.body(), original);
    EXPECT_FALSE(p.captionMarked());
}

TEST(PaletteEditor, ClosingSetsTheMasksShowBitsAndNeverWritesTheFixedSpriteEntries)
{
    const struct {
        std::uint8_t opened, closed;
    } cases[] = {{0x41, 0x5F}, {0x5F, 0x5F}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        OpenedEditor p(OpenedEditor::withMask(c.opened));
        PaletteEditor& e = openPalettes(p);
        const auto before = p.body();
        pick(e, 0x30);
        for (int entry : {16, 17, 23}) { // shown in the window only
            clickEntry(e, entry);
            EXPECT_EQ(e.paletteCell(entry)->text(), "30");
        }
        EXPECT_EQ(p.body(), before);
        e.close();
        EXPECT_EQ(p.body()[layout::kPpuMaskByte], c.closed);
        EXPECT_EQ(p.history().index(), c.opened == c.closed ? 0 : 1); // a step only when the byte changed
        EXPECT_EQ(p.captionMarked(), c.opened != c.closed);
    }
}

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
    EXPECT_TRUE(editor.notWrittenLabel()->isHidden());
    EXPECT_EQ(imageText(t, 7), tooLong.toStdString());
    EXPECT_EQ(t.history().index(), 1);
    t.window.undoStep();
    EXPECT_EQ(t.body(), before);
}

