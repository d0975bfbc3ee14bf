#include "ui/editors/SpriteEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/SpriteGeometry.h"
#include "core/sprites/SpriteText.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace quarry::ui {

namespace {

constexpr int kLastAnimation = layout::kAnimationCount - 1;
constexpr int kLastFrame = layout::kFrameCount - 1;
constexpr std::size_t kSpriteEntries = 16; // area palette entries 16-31

} // namespace

SpriteEditor::SpriteEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : EditorWindow(document, dialogs, parent)
{
    setObjectName(QStringLiteral("frmAnimationEdit"));
    setWindowTitle(QString::fromLatin1(texts::sprite::kCaption));
    // The game's 60 ticks per second; a precise timer keeps the 17 ms close,
    // and the program sleeps between ticks.
    timer_ = new QTimer(this);
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(sprites::kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &SpriteEditor::tickPlayback);
    buildViews();
    buildNudgeKeys();
}

bool SpriteEditor::setUpFor(const session::LoadedArea* area)
{
    setupEditor(area->palette, area->mask, area->pointers.palettePointer);
    return true;
}

void SpriteEditor::setupEditor(const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask,
                               std::uint16_t palettePointer)
{
    setEditing(false);
    stopPlayback();
    // Everything is read first, so a failure leaves the window as it was.
    const rom::RomImage& rom = document_.document().rom();
    const std::size_t bank = rom::sprChrBase(rom, objectSet_);
    gfx::decodeTiles(rom, bank, gfx::kPatternTableTiles); // the bank must lie inside the image
    sprites::Animation animation = sprites::loadAnimation(rom, 0);
    sprites::FrameBuilder builder = builder_;
    const sprites::OamList preview = builder.buildFrameOam(rom, animation.framePointers.front());
    const sprites::OamList frame = builder.buildFrameOam(rom, sprites::getFramePointer(rom, 0));

    palette_ = palette;
    mask_ = mask;
    palettePointer_ = palettePointer;
    currentFrame_ = 0;
    currentAnimation_ = 0;
    previewPosition_ = 0;
    animation_ = std::move(animation);
    playback_.setAnimation(animation_);
    builder_ = builder;
    previewList_ = preview;
    frameList_ = frame;
    selectedSprite_ = -1;
    drag_.reset();
    sharedApproved_.clear();

    drawPaletteSwatches();
    tileKit_->setUp(bank, palette_, mask_);
    if (tileKit_->paletteNumber() != sprites::kFirstShownPalette)
        tileKit_->stepPalette(sprites::kFirstShownPalette - tileKit_->paletteNumber());
    {
        const QSignalBlocker animationBlocker(animationBar_);
        const QSignalBlocker frameBlocker(frameBar_);
        const QSignalBlocker listBlocker(objectSetList_);
        animationBar_->setValue(0);
        frameBar_->setValue(0);
        objectSetList_->setCurrentIndex(objectSet_);
    }
    animationLabel_->setText(hexByte(0));
    frameLabel_->setText(hexByte(0));
    framesBox_->setText(hexByte(animation_.frames));
    startBox_->setText(hexByte(animation_.start));
    timerBox_->setText(hexByte(animation_.timer));
    drawPreview();
    refreshSprites();
    drawFrameView();
    showPlayingFrame();
    setEditing(true);
}

void SpriteEditor::chooseObjectSet(int objectSet)
{
    if (objectSet < 0 || objectSet >= layout::kObjectSetCount)
        return;
    if (!isEditing()) {
        objectSet_ = objectSet;
        return;
    }
    // Every painted pixel is in the image already: another bank simply
    // takes the kit, which keeps the chosen tile and colours.
    if (objectSet != objectSet_
        && runGuarded(dialogs_, this, [&] { tileKit_->switchBank(rom::sprChrBase(document_.document().rom(), objectSet)); }))
        objectSet_ = objectSet;
    if (objectSetList_->currentIndex() != objectSet_) {
        const QSignalBlocker blocker(objectSetList_);
        objectSetList_->setCurrentIndex(objectSet_);
    }
}

void SpriteEditor::chooseAnimation(int animation)
{
    stopPlayback();
    animation = std::clamp(animation, 0, kLastAnimation);
    if (animationBar_->value() != animation) {
        const QSignalBlocker blocker(animationBar_);
        animationBar_->setValue(animation);
    }
    currentAnimation_ = animation;
    previewPosition_ = 0;
    animationLabel_->setText(hexByte(animation));
    showAnimation(animation, 0);
}

void SpriteEditor::showAnimation(int animation, int position)
{
    const rom::RomImage& rom = document_.document().rom();
    runGuarded(dialogs_, this, [&] {
        sprites::Animation loaded = sprites::loadAnimation(rom, animation);
        const auto index = static_cast<std::size_t>(std::clamp(position, 0, static_cast<int>(loaded.frames)));
        previewList_ = builder_.buildFrameOam(rom, loaded.framePointers[index]);
        animation_ = std::move(loaded);
        playback_.setAnimation(animation_);
    });
    drawPreview();
    showPlayingFrame();
    framesBox_->setText(hexByte(animation_.frames));
    startBox_->setText(hexByte(animation_.start));
    timerBox_->setText(hexByte(animation_.timer));
}

void SpriteEditor::chooseFrame(int frame)
{
    frame = std::clamp(frame, 0, kLastFrame);
    if (frameBar_->value() != frame) {
        const QSignalBlocker blocker(frameBar_);
        frameBar_->setValue(frame);
    }
    if (frame != currentFrame_)
        selectedSprite_ = -1;
    currentFrame_ = frame;
    frameLabel_->setText(hexByte(frame));
    // Playback goes on: the frame view is independent of the preview.
    showFrame(frame);
}

void SpriteEditor::showFrame(int frame)
{
    const rom::RomImage& rom = document_.document().rom();
    runGuarded(dialogs_, this,
               [&] { frameList_ = builder_.buildFrameOam(rom, sprites::getFramePointer(rom, frame)); });
    refreshSprites();
    drawFrameView();
}

void SpriteEditor::gotoFrame()
{
    // "Start:" normally holds the animation's first frame, but it can be typed in.
    const std::optional<int> frame = sprites::parseFrameNumber(startBox_->text().toStdString());
    if (!frame) {
        dialogs_.showMessage(this, QString::fromLatin1(texts::sprite::kNoSuchFrame));
        return;
    }
    // Through the bar, as a click on it would: the same frame is not rebuilt.
    frameBar_->setValue(*frame);
}

void SpriteEditor::play()
{
    if (!isEditing() || playback_.playing())
        return;
    playback_.start();
    // The first frame shows at once; the timer brings the ticks after it.
    tickPlayback();
    if (playback_.playing())
        timer_->start();
}

void SpriteEditor::stopPlayback()
{
    playback_.stop();
    timer_->stop();
}

void SpriteEditor::tickPlayback()
{
    if (!playback_.playing()) {
        timer_->stop();
        return;
    }
    if (!playback_.tick())
        return;
    const int index = playback_.frame();
    const bool built = runGuarded(dialogs_, this, [&] {
        previewList_ = builder_.buildFrameOam(document_.document().rom(),
                                              animation_.framePointers.at(static_cast<std::size_t>(index)));
    });
    if (!built) {
        // One message, not one every tick.
        stopPlayback();
        return;
    }
    previewPosition_ = index;
    drawPreview();
    showPlayingFrame();
}

sprites::SpriteArt SpriteEditor::art() const
{
    return {tileKit_->tiles(), palette_, tileKit_->colors()};
}

void SpriteEditor::drawPreview()
{
    gfx::Canvas canvas(sprites::kPreviewSize, sprites::kPreviewSize);
    if (inGame_)
        sprites::drawOamPlaced(previewList_, art(), canvas, {}, true);
    else
        sprites::drawOamPreview(previewList_, art(), canvas);
    preview_->setPicture(toImage(std::move(canvas)));
}

void SpriteEditor::drawFrameView()
{
    gfx::Canvas canvas(sprites::kFrameViewWidth, sprites::kFrameViewHeight);
    if (!inGame_ && !wholeRange_) {
        sprites::drawOamFrameView(frameList_, art(), canvas);
    } else {
        const sprites::ViewPlacement placement = framePlacement();
        if (wholeRange_) {
            // Grey outside the range sprites can take.
            canvas.fill(0x404040);
            const gfx::Canvas range(sprites::kGameRange, sprites::kGameRange);
            canvas.blit(range, 0, 0, sprites::kGameRange, sprites::kGameRange, -placement.left, -placement.top);
        }
        sprites::drawOamPlaced(frameList_, art(), canvas, placement, inGame_);
    }
    frameView_->setPicture(toImage(std::move(canvas)));
    // Shown with plain line ends; the lines are those of oamText.
    QString text = QString::fromStdString(sprites::oamText(frameList_));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    oamText_->setPlainText(text);
}

void SpriteEditor::drawPaletteSwatches()
{
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->setColor(gfx::nesColorToRgb(palette_[kSpriteEntries + i], mask_));
}

void SpriteEditor::imageChanged(const session::Change& change)
{
    if (change.touches(session::kSpritesChanged)) {
        showFrame(currentFrame_);
        if (!playback_.playing())
            showAnimation(currentAnimation_, previewPosition_);
    }
    if (change.touches(session::kPaletteChanged | session::kMaskChanged)) {
        const rom::RomImage& rom = document_.document().rom();
        if (palettePointer_ != 0)
            runGuarded(dialogs_, this, [&] { gfx::readAreaPalette(rom, palettePointer_, palette_); });
        mask_ = gfx::readPpuMask(rom);
        drawPaletteSwatches();
        tileKit_->setColours(palette_, mask_); // redraws the frames through tileChanged
    }
}

bool SpriteEditor::finishEditing()
{
    stopPlayback();
    releaseFrameView(); // a drag still held ends as one step
    return true;
}

} // namespace quarry::ui
