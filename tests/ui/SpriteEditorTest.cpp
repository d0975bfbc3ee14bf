#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"
#include "core/session/Document.h"
#include "core/sprites/Animations.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticGraphics.h"
#include "support/OpenedWorld.h"
#include "ui/CanvasImage.h"
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

struct Editor : OpenedWorld {
    ScriptedDialogs dialogs;
    int refreshes = 0;
    std::unique_ptr<SpriteEditor> editor;

    Editor()
    {
        document.loadArea({0, 0, 0}, false);
        editor = std::make_unique<SpriteEditor>(document, dialogs, [this] {
            ++refreshes;
            document.refreshGraphicsEdits();
        });
        open();
    }

    void open()
    {
        editor->setupEditor(document.area()->palette, document.area()->mask);
        editor->show();
    }

    const rom::RomImage& rom() const { return document.rom(); }
    // The image as built, before any edit.
    rom::RomImage original = world.rom.image();

    // What the editor's views should show for a list, drawn by the core
    // with the sprite bank of `objectSet` as it is in the image now.
    sprites::SpriteArt art(const gfx::TilePixels& tiles) const
    {
        return {tiles, document.area()->palette, gfx::nesColorTable(document.area()->mask)};
    }

    QString oamText() const { return editor->oamTextBox()->toPlainText().replace(QLatin1Char('\n'), "\r\n"); }

    // Paints pixel (column, row) of `tile` in colour 3 through the kit's views.
    void paint(int tile, int column, int row)
    {
        TileKit* kit = editor->tileKit();
        kit->chooseColor(3, 1);
        click(kit->patternTableView(), QPoint((tile % 16) * 16 + 3, (tile / 16) * 16 + 3));
        // The tile view shows 8 x 8 pixels at 64 x 64, twice that on screen.
        click(kit->tileView(), QPoint(column * 16 + 4, row * 16 + 4));
    }

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

sprites::OamList freshList(const rom::RomImage& rom, std::uint16_t address)
{
    return sprites::FrameBuilder{}.buildFrameOam(rom, address);
}

} // namespace

TEST(SpriteEditor, SetsUpOnTheFirstAnimationAndFrameInTheSpritePalettes)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    EXPECT_EQ(editor->windowTitle(), "SPR Graphic Editor");
    ASSERT_EQ(editor->objectSetList()->count(), 6);
    EXPECT_EQ(editor->objectSetList()->itemText(0), "Town");
    EXPECT_EQ(editor->objectSetList()->itemText(5), "Vesperhold!");
    EXPECT_EQ(editor->objectSet(), 0);
    EXPECT_EQ(editor->animationBar()->maximum(), 63);
    EXPECT_EQ(editor->frameBar()->maximum(), 255);
    EXPECT_EQ(editor->gotoButton()->text(), "Goto");
    EXPECT_EQ(editor->editButton()->text(), "Edit");
    EXPECT_EQ(editor->preview()->logicalSize(), QSize(192, 192));
    EXPECT_EQ(editor->frameView()->logicalSize(), QSize(360, 432));

    // Animation 0: frames 2, start 1, timer 3.
    EXPECT_EQ(editor->framesBox()->text(), "02");
    EXPECT_EQ(editor->startBox()->text(), "01");
    EXPECT_EQ(editor->timerBox()->text(), "03");
    EXPECT_EQ(editor->animationLabel()->text(), "00");
    EXPECT_EQ(editor->frameLabel()->text(), "00");
    EXPECT_FALSE(editor->isPlaying());

    EXPECT_EQ(editor->tileKit()->paletteNumber(), 4);
    EXPECT_EQ(editor->tileKit()->tiles(), gfx::loadSpriteTiles(e.rom(), 0));
    const session::LoadedArea& area = *e.document.area();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(editor->paletteSwatch(i)->color(),
                  gfx::nesColorToRgb(area.palette[static_cast<std::size_t>(16 + i)], area.mask));

    // The preview shows the animation's first frame as the core draws it.
    const sprites::Animation animation = sprites::loadAnimation(e.rom(), 0);
    const sprites::OamList first = freshList(e.rom(), animation.framePointers[0]);
    EXPECT_EQ(editor->previewList(), first);
    gfx::Canvas preview(192, 192);
    const gfx::TilePixels tiles = gfx::loadSpriteTiles(e.rom(), 0);
    sprites::drawOamPreview(first, e.art(tiles), preview);
    EXPECT_EQ(editor->preview()->picture(), toImage(preview));

    // A palette stepped away from 4 starts at 4 again next time.
    editor->tileKit()->stepPalette(-1);
    EXPECT_EQ(editor->tileKit()->paletteNumber(), 7);
    editor->close();
    e.open();
    EXPECT_EQ(editor->tileKit()->paletteNumber(), 4);
}

TEST(SpriteEditor, FrameViewAndListTextFollowTheCoreFrameByFrame)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    const gfx::TilePixels tiles = gfx::loadSpriteTiles(e.rom(), 0);
    // The editor builds with one builder: the preview's first frame, then
    // frame 0, then each frame chosen. Frame 5 takes its first attribute
    // from frame 4 built just before.
    sprites::FrameBuilder mirror;
    mirror.buildFrameOam(e.rom(), sprites::loadAnimation(e.rom(), 0).framePointers[0]);
    const sprites::OamList frame0 = mirror.buildFrameOam(e.rom(), sprites::getFramePointer(e.rom(), 0));
    EXPECT_EQ(editor->frameList(), frame0);
    EXPECT_EQ(e.oamText(), QString::fromStdString(sprites::oamText(frame0)));

    for (int frame : {kSyntheticExampleFrame, kSyntheticSharedFrame, kSyntheticLongFrame, 4, kSyntheticCarryInFrame,
                      kSyntheticAliasFrame}) {
        SCOPED_TRACE(frame);
        editor->frameBar()->setValue(frame);
        const sprites::OamList expected = mirror.buildFrameOam(e.rom(), sprites::getFramePointer(e.rom(), frame));
        EXPECT_EQ(editor->currentFrame(), frame);
        EXPECT_EQ(editor->frameLabel()->text(),
                  QString::fromStdString(hexDigits(static_cast<std::uint32_t>(frame), 2)));
        EXPECT_EQ(editor->frameList(), expected);
        EXPECT_EQ(e.oamText(), QString::fromStdString(sprites::oamText(expected)));
        gfx::Canvas view(360, 432);
        sprites::drawOamFrameView(expected, e.art(tiles), view);
        EXPECT_EQ(editor->frameView()->picture(), toImage(view));
        if (frame == kSyntheticCarryInFrame) { // the attribute frame 4 left behind
            EXPECT_EQ(editor->frameList()[2], e.world.sprites.frames[kSyntheticCarryInFrame].sprites[0].attribute);
        }
    }
    EXPECT_TRUE(e.dialogs.messages.isEmpty());
}

TEST(SpriteEditor, PlaybackHoldsEachFrameTimerPlusOneTicksAndLoops)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    QTimer* timer = editor->playbackTimer();
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(timer->interval(), 17);
    EXPECT_FALSE(timer->isActive());

    // Animation 0: three frames of four ticks each.
    const sprites::Animation animation = sprites::loadAnimation(e.rom(), 0);
    editor->playButton()->click();
    EXPECT_TRUE(editor->isPlaying());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(editor->previewPosition(), 0);
    for (int expected : {1, 2, 0, 1}) {
        EXPECT_EQ(e.ticksUntilFrameChanges(), 4);
        EXPECT_EQ(editor->previewPosition(), expected);
        EXPECT_EQ(editor->previewList(),
                  freshList(e.rom(), animation.framePointers[static_cast<std::size_t>(expected)]));
    }
    // The preview picture follows the list shown.
    gfx::Canvas preview(192, 192);
    sprites::drawOamPreview(editor->previewList(), e.art(gfx::loadSpriteTiles(e.rom(), 0)), preview);
    EXPECT_EQ(editor->preview()->picture(), toImage(preview));

    // Timer 0: a new frame every tick, four frames, then the first again.
    editor->animationBar()->setValue(kSyntheticFastAnimation);
    EXPECT_EQ(editor->framesBox()->text(), "03");
    editor->playButton()->click();
    for (int expected : {1, 2, 3, 0, 1}) {
        EXPECT_EQ(e.ticksUntilFrameChanges(), 1);
        EXPECT_EQ(editor->previewPosition(), expected);
    }
}

TEST(SpriteEditor, OnlyStopAnotherAnimationOrClosingEndPlayback)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    QTimer* timer = editor->playbackTimer();
    editor->playButton()->click();
    for (int i = 0; i < 5; ++i)
        editor->tickPlayback();
    ASSERT_EQ(editor->previewPosition(), 1);

    // Play while playing changes nothing: the count goes on.
    editor->playButton()->click();
    EXPECT_EQ(editor->previewPosition(), 1);
    EXPECT_EQ(e.ticksUntilFrameChanges(), 3);

    // Choosing a frame does not stop it.
    editor->frameBar()->setValue(7);
    EXPECT_TRUE(editor->isPlaying());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(editor->currentFrame(), 7);
    EXPECT_EQ(e.ticksUntilFrameChanges(), 4);

    // Stop and Edit stop it, and the preview keeps its frame.
    editor->stopButton()->click();
    EXPECT_FALSE(editor->isPlaying());
    EXPECT_FALSE(timer->isActive());
    const int held = editor->previewPosition();
    for (int i = 0; i < 10; ++i)
        editor->tickPlayback();
    EXPECT_EQ(editor->previewPosition(), held);
    editor->playButton()->click();
    editor->editButton()->click();
    EXPECT_FALSE(editor->isPlaying());

    // Another animation stops it and shows that animation's first frame.
    editor->playButton()->click();
    e.ticksUntilFrameChanges();
    editor->animationBar()->setValue(kSyntheticWrappingAnimation);
    EXPECT_FALSE(editor->isPlaying());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(editor->previewPosition(), 0);
    EXPECT_EQ(editor->animationLabel()->text(), "3E");
    EXPECT_EQ(editor->startBox()->text(), "FE");
    EXPECT_EQ(editor->animation(), sprites::loadAnimation(e.rom(), kSyntheticWrappingAnimation));
}

TEST(SpriteEditor, ClosingWhilePlayingStopsAndWritesTheTiles)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    e.paint(0x21, 6, 2);
    const gfx::TilePixels painted = editor->tileKit()->tiles();
    ASSERT_NE(painted, gfx::loadSpriteTiles(e.rom(), 0));
    editor->playButton()->click();
    e.ticksUntilFrameChanges();

    editor->close();
    EXPECT_FALSE(editor->isPlaying());
    EXPECT_FALSE(editor->playbackTimer()->isActive());
    EXPECT_EQ(gfx::loadSpriteTiles(e.rom(), 0), painted);
    EXPECT_EQ(e.refreshes, 1);
    // The background bank of the same object set is untouched.
    EXPECT_EQ(gfx::loadBackgroundTiles(e.rom(), 0), gfx::loadBackgroundTiles(e.original, 0));
    // A tick arriving after the close shows nothing new.
    const int held = editor->previewPosition();
    editor->tickPlayback();
    EXPECT_EQ(editor->previewPosition(), held);
}

TEST(SpriteEditor, SwitchingTheObjectSetKeepsTheEditsOfThePreviousOne)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    e.paint(0x21, 6, 2);
    const gfx::TilePixels town = editor->tileKit()->tiles();
    editor->tileKit()->chooseColor(2, 2);

    editor->objectSetList()->setCurrentIndex(2);
    EXPECT_EQ(editor->objectSet(), 2);
    // The edits are in the first object set's bank, byte for byte.
    EXPECT_EQ(gfx::loadSpriteTiles(e.rom(), 0), town);
    EXPECT_NE(town, gfx::loadSpriteTiles(e.original, 0));
    const std::size_t townBank = rom::sprChrBase(e.rom(), 0);
    // The kit works on the new bank and keeps its tile and colours.
    EXPECT_EQ(editor->tileKit()->tiles(), gfx::loadSpriteTiles(e.original, 2));
    EXPECT_EQ(editor->tileKit()->selectedTile(), 0x21);
    EXPECT_EQ(editor->tileKit()->leftColor(), 3);
    EXPECT_EQ(editor->tileKit()->rightColor(), 2);
    // The views show the new tiles at once.
    gfx::Canvas view(360, 432);
    sprites::drawOamFrameView(editor->frameList(), e.art(gfx::loadSpriteTiles(e.original, 2)), view);
    EXPECT_EQ(editor->frameView()->picture(), toImage(view));

    e.paint(0x40, 0, 0);
    const gfx::TilePixels graveyard = editor->tileKit()->tiles();
    editor->close();
    EXPECT_EQ(gfx::loadSpriteTiles(e.rom(), 2), graveyard);
    EXPECT_EQ(gfx::loadSpriteTiles(e.rom(), 0), town);
    // Nothing but those two banks changed.
    const std::size_t bank2 = rom::sprChrBase(e.rom(), 2);
    for (std::size_t i = 0; i < e.rom().body().size(); ++i)
        if (e.rom().body()[i] != e.world.rom.body()[i]) {
            const bool inTown = i >= townBank && i < townBank + 0x1000;
            const bool inGraveyard = i >= bank2 && i < bank2 + 0x1000;
            EXPECT_TRUE(inTown || inGraveyard) << std::hex << i;
        }

    // The window comes back on the object set chosen last.
    e.open();
    EXPECT_EQ(editor->objectSet(), 2);
    EXPECT_EQ(editor->objectSetList()->currentIndex(), 2);
    EXPECT_EQ(editor->tileKit()->tiles(), graveyard);
    EXPECT_TRUE(e.dialogs.messages.isEmpty());
}

TEST(SpriteEditor, GotoReadsStartAsHexAndRefusesWhatNoFrameHas)
{
    Editor e;
    SpriteEditor* editor = e.editor.get();
    editor->startBox()->setText(QStringLiteral("1A"));
    editor->gotoButton()->click();
    EXPECT_EQ(editor->currentFrame(), 26);
    EXPECT_EQ(editor->frameBar()->value(), 26);
    EXPECT_EQ(editor->frameLabel()->text(), "1A");

    editor->startBox()->setText(QStringLiteral("100"));
    editor->gotoButton()->click();
    EXPECT_EQ(e.dialogs.messages, QStringList{texts::sprite::kNoSuchFrame});
    EXPECT_EQ(editor->currentFrame(), 26);

    // Normally the box holds the animation's first frame.
    editor->animationBar()->setValue(kSyntheticWrappingAnimation);
    editor->gotoButton()->click();
    EXPECT_EQ(editor->currentFrame(), 0xFE);
    EXPECT_EQ(editor->frameList(),
              freshList(e.rom(), sprites::getFramePointer(e.rom(), 0xFE)));
    EXPECT_EQ(e.dialogs.messages.size(), 1);
}
