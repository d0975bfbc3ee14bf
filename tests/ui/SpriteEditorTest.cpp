#include "OpenedEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticSprites.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

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

// The sprite editor opened from the main window.
struct SpriteWindow : OpenedEditor {
    SpriteEditor* editor = nullptr;

    SpriteWindow() { open(); }
    void open()
    {
        window.openSpriteEditor();
        editor = window.spriteEditor();
    }
    TileKit& kit() { return *editor->tileKit(); }
    int ticksUntilFrameChanges()
    {
        const int shown = editor->previewPosition();
        for (int ticks = 1; ticks < 1000; ++ticks) {
            editor->tickPlayback();
            if (editor->previewPosition() != shown)
                return ticks;
        }
        return -1;
    }
};

} // namespace

TEST(SpriteEditor, SetsUpOnTheFirstAnimationAndFrameInTheSpritePalettes)
{
    SpriteWindow s;
    SpriteEditor* e = s.editor;
    EXPECT_EQ(e->windowTitle(), "SPR Graphic Editor");
    ASSERT_EQ(e->objectSetList()->count(), 6);
    EXPECT_EQ(e->objectSetList()->itemText(0), "Town");
    EXPECT_EQ(e->objectSetList()->itemText(5), "Vesperhold!");
    EXPECT_EQ(e->objectSet(), 0);
    EXPECT_EQ(e->animationBar()->maximum(), 63);
    EXPECT_EQ(e->frameBar()->maximum(), 255);
    EXPECT_EQ(e->frameView()->logicalSize(), QSize(360, 432));
    // Animation 0: frames 2, start 1, timer 3.
    EXPECT_EQ(e->framesBox()->text(), "02");
    EXPECT_EQ(e->startBox()->text(), "01");
    EXPECT_EQ(e->timerBox()->text(), "03");
    EXPECT_EQ(e->animationLabel()->text(), "00");
    EXPECT_EQ(e->frameLabel()->text(), "00");
    EXPECT_FALSE(e->isPlaying());
    EXPECT_EQ(s.kit().bankStart(), rom::sprChrBase(s.document().rom(), 0));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(e->paletteSwatch(i)->color(),
                  gfx::nesColorToRgb(s.area().palette[static_cast<std::size_t>(16 + i)], s.area().mask));

    // The sprite kit steps through palettes 4-7, and starts at 4 each time.
    EXPECT_EQ(s.kit().paletteNumber(), 4);
    s.kit().previousPaletteButton()->click();
    EXPECT_EQ(s.kit().paletteNumber(), 7);
    s.kit().nextPaletteButton()->click();
    EXPECT_EQ(s.kit().paletteNumber(), 4);
    e->close();
    s.open();
    EXPECT_EQ(s.kit().paletteNumber(), 4);
}

TEST(SpriteEditor, PlaybackHoldsEachFrameTimerPlusOneTicksUntilStopEditAnotherAnimationOrClosing)
{
    SpriteWindow s;
    SpriteEditor* e = s.editor;
    QTimer* timer = e->playbackTimer();
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer->interval(), 17);
    // Animation 0: three frames of four ticks each, looping.
    e->playButton()->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(e->previewPosition(), 0);
    for (int expected : {1, 2, 0, 1}) {
        const QImage before = e->preview()->picture();
        EXPECT_EQ(s.ticksUntilFrameChanges(), 4);
        EXPECT_EQ(e->previewPosition(), expected);
        EXPECT_NE(e->preview()->picture(), before);
    }
    // Play while playing, or choosing a frame, does not disturb the count.
    e->tickPlayback();
    e->playButton()->click();
    e->frameBar()->setValue(7);
    EXPECT_EQ(s.ticksUntilFrameChanges(), 3);

    // Stop and Edit stop it; the preview keeps its frame.
    e->stopButton()->click();
    EXPECT_FALSE(timer->isActive());
    const int held = e->previewPosition();
    for (int i = 0; i < 10; ++i)
        e->tickPlayback();
    EXPECT_EQ(e->previewPosition(), held);
    e->playButton()->click();
    e->editButton()->click();
    EXPECT_FALSE(e->isPlaying());

    // Another animation stops it and shows its first frame; timer 0 is a
    // new frame every tick.
    e->playButton()->click();
    e->animationBar()->setValue(kSyntheticFastAnimation);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(e->previewPosition(), 0);
    EXPECT_EQ(e->animationLabel()->text(), "01");
    EXPECT_EQ(e->framesBox()->text(), "03");
    e->playButton()->click();
    for (int expected : {1, 2, 3, 0, 1}) {
        EXPECT_EQ(s.ticksUntilFrameChanges(), 1);
        EXPECT_EQ(e->previewPosition(), expected);
    }
    // Closing stops it and writes nothing; a late tick shows nothing new.
    e->close();
    EXPECT_FALSE(timer->isActive());
    e->tickPlayback();
    EXPECT_EQ(e->previewPosition(), 1);
    EXPECT_EQ(s.history().index(), 0);
}

TEST(SpriteEditor, GotoAndTheFrameBarShowAFrameWithItsListAsText)
{
    SpriteWindow s;
    SpriteEditor* e = s.editor;
    const QImage empty = e->frameView()->picture(); // frame 0 has no sprites
    e->startBox()->setText(QStringLiteral("1"));
    e->gotoButton()->click();
    EXPECT_EQ(e->currentFrame(), kSyntheticExampleFrame);
    EXPECT_EQ(e->frameBar()->value(), kSyntheticExampleFrame);
    EXPECT_NE(e->frameView()->picture(), empty);
    for (int frame : {kSyntheticLongFrame, kSyntheticAliasFrame}) {
        e->frameBar()->setValue(frame);
        EXPECT_EQ(e->frameLabel()->text(), QStringLiteral("%1").arg(frame, 2, 16, QLatin1Char('0')).toUpper());
        EXPECT_EQ(e->oamTextBox()->toPlainText(),
                  QString::fromStdString(sprites::oamText(e->frameList())).replace("\r\n", "\n"));
    }
    // "Start:" is read as hex; a number no frame has is refused.
    e->startBox()->setText(QStringLiteral("1A"));
    e->gotoButton()->click();
    EXPECT_EQ(e->frameLabel()->text(), "1A");
    e->startBox()->setText(QStringLiteral("100"));
    e->gotoButton()->click();
    EXPECT_EQ(s.dialogs.messages, QStringList{texts::sprite::kNoSuchFrame});
    EXPECT_EQ(e->currentFrame(), 0x1A);
}

TEST(SpriteEditor, FramesShowTilesAsPaintedAndUndone)
{
    SpriteWindow s;
    s.editor->frameBar()->setValue(kSyntheticExampleFrame);
    const QImage shown = s.editor->frameView()->picture();
    const QImage preview = s.editor->preview()->picture();
    const int tile = sprites::oamEntry(s.editor->frameList(), 0).tile;
    OpenedEditor::selectTile(s.kit(), tile);
    // The top row of the tile in one colour, in one stroke.
    const int colour = (s.kit().tiles()[static_cast<std::size_t>(tile) * 64] + 1) & 3;
    press(s.kit().colorSwatch(colour), QPoint(2, 2));
    OpenedEditor::strokeTile(s.kit(), {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}});
    EXPECT_EQ(s.history().index(), 1);
    EXPECT_NE(s.editor->frameView()->picture(), shown);
    s.window.undoStep();
    EXPECT_EQ(s.editor->frameView()->picture(), shown);
    EXPECT_EQ(s.editor->preview()->picture(), preview);
    EXPECT_EQ(s.kit().selectedTile(), tile);
}

TEST(SpriteEditor, AnotherObjectSetTakesTheKitWritingNothingAndStaysChosen)
{
    SpriteWindow s;
    s.editor->frameBar()->setValue(kSyntheticExampleFrame);
    OpenedEditor::selectTile(s.kit(), 0x21);
    press(s.kit().colorSwatch(3), QPoint(2, 2));
    press(s.kit().colorSwatch(2), QPoint(2, 2), Qt::RightButton);
    const QImage shown = s.editor->frameView()->picture();
    const auto before = s.body();

    s.editor->objectSetList()->setCurrentIndex(3);
    EXPECT_EQ(s.editor->objectSet(), 3);
    EXPECT_EQ(s.body(), before);
    EXPECT_EQ(s.history().index(), 0);
    EXPECT_EQ(s.kit().bankStart(), rom::sprChrBase(s.document().rom(), 3));
    EXPECT_EQ(s.kit().tiles(), gfx::decodeTiles(s.document().rom(), s.kit().bankStart(), 256));
    EXPECT_EQ(s.kit().selectedTile(), 0x21);
    EXPECT_EQ(s.kit().leftColor(), 3);
    EXPECT_EQ(s.kit().rightColor(), 2);
    EXPECT_NE(s.editor->frameView()->picture(), shown); // drawn with the new bank's tiles

    // Painting goes into the chosen bank; the window comes back on it.
    OpenedEditor::strokeTile(s.kit(), {{0, 0}});
    for (std::size_t i : s.changedSince(before))
        EXPECT_TRUE(i >= s.kit().bankStart() && i < s.kit().bankStart() + 0x1000) << std::hex << i;
    s.editor->close();
    s.open();
    EXPECT_EQ(s.editor->objectSet(), 3);
    EXPECT_EQ(s.editor->objectSetList()->currentIndex(), 3);
    EXPECT_TRUE(s.dialogs.messages.isEmpty());
}
