#include "OpenedEditor.h"

#include "core/gfx/Chr.h"
#include "core/rom/Addressing.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticSprites.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/SpriteEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

SpriteEditor& openSprites(OpenedEditor& e)
{
    e.window.openSpriteEditor();
    return *e.window.spriteEditor();
}

int ticksUntilFrameChanges(SpriteEditor& editor)
{
    const int shown = editor.previewPosition();
    for (int ticks = 1; ticks < 1000; ++ticks) {
        editor.tickPlayback();
        if (editor.previewPosition() != shown)
            return ticks;
    }
    return -1;
}

} // namespace

TEST(SpriteEditor, TheSpriteKitStepsThroughPalettesFourToSevenStartingAtFourEachTime)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    TileKit& kit = *e.tileKit();
    EXPECT_EQ(e.objectSetList()->count(), 6);
    EXPECT_EQ(kit.bankStart(), rom::sprChrBase(s.document().rom(), 0));
    EXPECT_EQ(kit.paletteNumber(), 4);
    kit.previousPaletteButton()->click();
    EXPECT_EQ(kit.paletteNumber(), 7);
    e.close();
    openSprites(s);
    EXPECT_EQ(kit.paletteNumber(), 4);
}

TEST(SpriteEditor, PlaybackHoldsEachFrameTimerPlusOneTicksUntilStoppedOrClosed)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    QTimer* timer = e.playbackTimer();
    e.playButton()->click(); // animation 0: three frames of four ticks each, looping
    EXPECT_TRUE(timer->isActive());
    for (int expected : {1, 2, 0}) {
        const QImage before = e.preview()->picture();
        EXPECT_EQ(ticksUntilFrameChanges(e), 4);
        EXPECT_EQ(e.previewPosition(), expected);
        EXPECT_NE(e.preview()->picture(), before);
    }
    // Play while playing, or choosing a frame, does not disturb the count.
    e.tickPlayback();
    e.playButton()->click();
    e.frameBar()->setValue(7);
    EXPECT_EQ(ticksUntilFrameChanges(e), 3);
    e.stopButton()->click();
    EXPECT_FALSE(timer->isActive());
    e.playButton()->click();
    e.editButton()->click();
    EXPECT_FALSE(e.isPlaying());

    // Another animation stops it; timer 0 is a new frame every tick.
    e.playButton()->click();
    e.animationBar()->setValue(kSyntheticFastAnimation);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(e.previewPosition(), 0);
    e.playButton()->click();
    EXPECT_EQ(ticksUntilFrameChanges(e), 1);
    e.close(); // closing stops it and writes nothing
    EXPECT_FALSE(timer->isActive());
    e.tickPlayback();
    EXPECT_EQ(e.previewPosition(), 1);
    EXPECT_EQ(s.history().index(), 0);
}

TEST(SpriteEditor, GotoReadsHexAndRefusesAFrameThatIsNotThere)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    const QImage empty = e.frameView()->picture(); // frame 0 has no sprites
    e.startBox()->setText("1");
    e.gotoButton()->click();
    EXPECT_EQ(e.frameBar()->value(), kSyntheticExampleFrame);
    EXPECT_NE(e.frameView()->picture(), empty);
    EXPECT_EQ(e.oamTextBox()->toPlainText(),
              QString::fromStdString(sprites::oamText(e.frameList())).replace("\r\n", "\n"));
    e.startBox()->setText("1A");
    e.gotoButton()->click();
    EXPECT_EQ(e.frameLabel()->text(), "1A");
    e.startBox()->setText("100");
    e.gotoButton()->click();
    EXPECT_EQ(s.dialogs.messages, QStringList{texts::sprite::kNoSuchFrame});
    EXPECT_EQ(e.currentFrame(), 0x1A);
}

TEST(SpriteEditor, FramesShowTilesAsPaintedAndUndoneInOneStep)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    TileKit& kit = *e.tileKit();
    e.frameBar()->setValue(kSyntheticExampleFrame);
    const QImage shown = e.frameView()->picture();
    const QImage preview = e.preview()->picture();
    const int tile = sprites::oamEntry(e.frameList(), 0).tile;
    OpenedEditor::selectTile(kit, tile);
    const int colour = (kit.tiles()[static_cast<std::size_t>(tile) * 64] + 1) & 3;
    OpenedEditor::strokeTile(kit, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}}, colour);
    EXPECT_EQ(s.history().index(), 1);
    EXPECT_NE(e.frameView()->picture(), shown);
    s.window.undoStep();
    EXPECT_EQ(e.frameView()->picture(), shown);
    EXPECT_EQ(e.preview()->picture(), preview);
    EXPECT_EQ(kit.selectedTile(), tile);
}

TEST(SpriteEditor, AnotherObjectSetTakesTheKitWritingNothingAndStaysChosen)
{
    OpenedEditor s;
    SpriteEditor& e = openSprites(s);
    TileKit& kit = *e.tileKit();
    OpenedEditor::selectTile(kit, 0x21);
    press(kit.colorSwatch(3), QPoint(2, 2));
    const auto before = s.body();
    e.objectSetList()->setCurrentIndex(3);
    EXPECT_EQ(s.body(), before);
    EXPECT_EQ(kit.bankStart(), rom::sprChrBase(s.document().rom(), 3));
    EXPECT_EQ(kit.tiles(), gfx::decodeTiles(s.document().rom(), kit.bankStart(), 256));
    EXPECT_EQ(kit.selectedTile(), 0x21);
    EXPECT_EQ(kit.leftColor(), 3);

    OpenedEditor::strokeTile(kit, {{0, 0}}); // into the chosen bank
    for (std::size_t i : s.changedSince(before))
        EXPECT_TRUE(i >= kit.bankStart() && i < kit.bankStart() + 0x1000) << std::hex << i;
    e.close();
    openSprites(s);
    EXPECT_EQ(e.objectSet(), 3);
    EXPECT_EQ(e.objectSetList()->currentIndex(), 3);
}
