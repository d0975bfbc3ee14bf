#include "ui/editors/SpriteEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Hex.h"
#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "core/session/LoadedArea.h"
#include "core/sprites/SpriteText.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace quarry::ui {

namespace {

constexpr int kObjectSets = 6;
constexpr int kLastAnimation = 63;
constexpr int kLastFrame = 255;
constexpr int kSpritePaletteBase = 4;
constexpr std::size_t kSpriteEntries = 16; // area palette entries 16-31

QString twoHex(int value)
{
    return QString::fromStdString(hexDigits(static_cast<std::uint32_t>(value & 0xFF), 2));
}

// The pictures of the Play and Stop buttons, painted so the program ships
// no picture files for them.
QIcon playbackIcon(bool play)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (play) {
        p.setBrush(QColor(30, 120, 40));
        const QPointF triangle[] = {{5, 3}, {17, 10}, {5, 17}};
        p.drawPolygon(triangle, 3);
    } else {
        p.setBrush(QColor(150, 30, 30));
        p.drawRect(QRectF(4, 4, 12, 12));
    }
    return QIcon(pixmap);
}

QFont fixedFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

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

QWidget* SpriteEditor::buildAnimationColumn()
{
    auto* column = new QWidget(this);
    objectSetList_ = new QComboBox(column);
    objectSetList_->setObjectName(QStringLiteral("cmboObjSet"));
    for (const char* name : texts::sprite::kObjectSets)
        objectSetList_->addItem(QString::fromLatin1(name));
    connect(objectSetList_, &QComboBox::currentIndexChanged, this, &SpriteEditor::chooseObjectSet);

    animationBar_ = new QScrollBar(Qt::Horizontal, column);
    animationBar_->setObjectName(QStringLiteral("hscrAnimation"));
    animationBar_->setRange(0, kLastAnimation);
    connect(animationBar_, &QScrollBar::valueChanged, this, &SpriteEditor::chooseAnimation);
    animationLabel_ = new QLabel(twoHex(0), column);
    animationLabel_->setObjectName(QStringLiteral("lblAnimIndex"));
    animationLabel_->setFont(fixedFont());

    preview_ = new PixelView(QSize(sprites::kPreviewSize, sprites::kPreviewSize), 1, column);
    preview_->setObjectName(QStringLiteral("picRenderDest"));

    auto* values = new QFormLayout;
    const std::pair<QLineEdit**, const char*> boxes[] = {{&framesBox_, texts::sprite::kFrames},
                                                         {&startBox_, texts::sprite::kStart},
                                                         {&timerBox_, texts::sprite::kTimer}};
    const char* boxNames[] = {"txtFrames", "txtStart", "txtTimer"};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(column);
        box->setObjectName(QString::fromLatin1(boxNames[i]));
        box->setFixedWidth(40);
        box->setFont(fixedFont());
        values->addRow(QString::fromLatin1(boxes[i].second), box);
        *boxes[i].first = box;
    }

    playButton_ = new QPushButton(playbackIcon(true), QString(), column);
    playButton_->setObjectName(QStringLiteral("cmdPlay"));
    playButton_->setToolTip(QString::fromLatin1(texts::sprite::kTipPlay));
    stopButton_ = new QPushButton(playbackIcon(false), QString(), column);
    stopButton_->setObjectName(QStringLiteral("cmdStop"));
    stopButton_->setToolTip(QString::fromLatin1(texts::sprite::kTipStop));
    for (QPushButton* button : {playButton_, stopButton_}) {
        button->setFixedSize(32, 28);
        button->setIconSize(QSize(20, 20));
    }
    connect(playButton_, &QPushButton::clicked, this, &SpriteEditor::play);
    connect(stopButton_, &QPushButton::clicked, this, &SpriteEditor::stopPlayback);
    stepBack_ = new QPushButton(QStringLiteral("<"), column);
    stepBack_->setToolTip(QString::fromLatin1(texts::sprite::kTipStepBack));
    stepForward_ = new QPushButton(QStringLiteral(">"), column);
    stepForward_->setToolTip(QString::fromLatin1(texts::sprite::kTipStepForward));
    for (QPushButton* button : {stepBack_, stepForward_})
        button->setFixedSize(28, 28);
    connect(stepBack_, &QPushButton::clicked, this, [this] { stepPreview(-1); });
    connect(stepForward_, &QPushButton::clicked, this, [this] { stepPreview(1); });
    playingLabel_ = new QLabel(column);
    playingLabel_->setFont(fixedFont());
    exportFrameButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kExportFrame), column);
    connect(exportFrameButton_, &QPushButton::clicked, this, &SpriteEditor::exportFramePng);
    exportSheetButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kExportSheet), column);
    connect(exportSheetButton_, &QPushButton::clicked, this, &SpriteEditor::exportAnimationSheet);
    preview_->setOverlay([this](QPainter& painter) {
        // The selection is outlined when the preview shows the frame being edited.
        const bool same = animation_.frameNumber(previewPosition_) == currentFrame_ && !playback_.playing();
        drawMarks(painter, previewList_, {}, preview_->logicalSize(), same);
    });

    auto* paletteGrid = new QGridLayout;
    paletteGrid->setSpacing(2);
    for (std::size_t i = 0; i < swatches_.size(); ++i) {
        auto* swatch = new Swatch(column);
        swatch->setObjectName(QStringLiteral("lblnespal%1").arg(i));
        swatch->setFixedSize(20, 20);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        paletteGrid->addWidget(swatch, static_cast<int>(i / 8), static_cast<int>(i % 8));
        swatches_[i] = swatch;
    }

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(animationBar_, 1);
    barRow->addWidget(animationLabel_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(playButton_);
    buttonRow->addWidget(stopButton_);
    buttonRow->addWidget(stepBack_);
    buttonRow->addWidget(stepForward_);
    buttonRow->addStretch();
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addLayout(buttonRow);
    buttonColumn->addWidget(playingLabel_);
    auto* controls = new QHBoxLayout;
    controls->addLayout(values);
    controls->addLayout(buttonColumn);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(objectSetList_);
    layout->addLayout(barRow);
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    layout->addLayout(controls);
    layout->addLayout(paletteGrid);
    layout->addWidget(exportFrameButton_);
    layout->addWidget(exportSheetButton_);
    layout->addStretch();
    return column;
}

QWidget* SpriteEditor::buildFrameColumn()
{
    auto* column = new QWidget(this);
    frameBar_ = new QScrollBar(Qt::Horizontal, column);
    frameBar_->setObjectName(QStringLiteral("hscrFrame"));
    frameBar_->setRange(0, kLastFrame);
    connect(frameBar_, &QScrollBar::valueChanged, this, &SpriteEditor::chooseFrame);
    frameLabel_ = new QLabel(twoHex(0), column);
    frameLabel_->setObjectName(QStringLiteral("lblFrameIndex"));
    frameLabel_->setFont(fixedFont());
    gotoButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kGoto), column);
    gotoButton_->setObjectName(QStringLiteral("cmdGotoFrame"));
    connect(gotoButton_, &QPushButton::clicked, this, &SpriteEditor::gotoFrame);

    frameView_ = new PixelView(QSize(sprites::kFrameViewWidth, sprites::kFrameViewHeight), 1, column);
    frameView_->setObjectName(QStringLiteral("picFrameEditor"));
    frameView_->setFocusPolicy(Qt::ClickFocus); // arrow keys then nudge the selection
    connect(frameView_, &PixelView::pressed, this, &SpriteEditor::pressFrameView);
    connect(frameView_, &PixelView::moved, this, &SpriteEditor::moveFrameView);
    connect(frameView_, &PixelView::released, this, [this] { releaseFrameView(); });
    frameView_->setOverlay([this](QPainter& painter) {
        drawMarks(painter, frameList_, framePlacement(), frameView_->logicalSize(), true);
    });
    inGameCheck_ = new QCheckBox(QString::fromLatin1(texts::sprite::kInGame), column);
    connect(inGameCheck_, &QCheckBox::toggled, this, &SpriteEditor::setInGame);
    wholeRangeCheck_ = new QCheckBox(QString::fromLatin1(texts::sprite::kWholeRange), column);
    connect(wholeRangeCheck_, &QCheckBox::toggled, this, &SpriteEditor::setWholeRange);
    editButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kEdit), column);
    editButton_->setObjectName(QStringLiteral("cmdEdit"));
    // Edit stops playback and hands the keyboard to the frame view, where the
    // arrow keys move the selected sprite.
    connect(editButton_, &QPushButton::clicked, this, [this] {
        stopPlayback();
        frameView_->setFocus();
    });

    oamText_ = new QPlainTextEdit(column);
    oamText_->setObjectName(QStringLiteral("txtOAM"));
    oamText_->setReadOnly(true);
    oamText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    oamText_->setFont(fixedFont());
    const QFontMetrics metrics(oamText_->font());
    oamText_->setMinimumWidth(metrics.horizontalAdvance(QString(32, QLatin1Char('0'))) + 24);
    oamText_->setMinimumHeight(metrics.lineSpacing() * 16 + 16);

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(frameBar_, 1);
    barRow->addWidget(frameLabel_);
    barRow->addWidget(gotoButton_);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(barRow);
    layout->addWidget(frameView_);
    auto* viewRow = new QHBoxLayout;
    viewRow->addWidget(editButton_);
    viewRow->addWidget(inGameCheck_);
    viewRow->addWidget(wholeRangeCheck_);
    viewRow->addStretch();
    layout->addLayout(viewRow);
    layout->addStretch();
    return column;
}

void SpriteEditor::buildViews()
{
    tileKit_ = new TileKit(kSpritePaletteBase, document_, this);
    tileKit_->setDialogs(&dialogs_);
    // Frames are drawn with the tiles the image holds, whoever changed them.
    connect(tileKit_, &TileKit::tileChanged, this, [this] {
        if (!isEditing())
            return;
        if (!playback_.playing())
            drawPreview();
        drawFrameView();
    });
    QWidget* animationColumn = buildAnimationColumn();
    QWidget* frameColumn = buildFrameColumn();
    // The sprite list text and the frame's sprite table sit under the tile
    // kit, where there is room.
    auto* lists = new QHBoxLayout;
    lists->addWidget(oamText_, 0, Qt::AlignTop);
    lists->addWidget(buildSpritePanel(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(tileKit_, 0, Qt::AlignLeft);
    right->addLayout(lists);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(animationColumn, 0, Qt::AlignTop);
    layout->addWidget(frameColumn, 0, Qt::AlignTop);
    layout->addLayout(right);
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
    if (tileKit_->paletteNumber() != kSpritePaletteBase)
        tileKit_->stepPalette(kSpritePaletteBase - tileKit_->paletteNumber());
    {
        const QSignalBlocker animationBlocker(animationBar_);
        const QSignalBlocker frameBlocker(frameBar_);
        const QSignalBlocker listBlocker(objectSetList_);
        animationBar_->setValue(0);
        frameBar_->setValue(0);
        objectSetList_->setCurrentIndex(objectSet_);
    }
    animationLabel_->setText(twoHex(0));
    frameLabel_->setText(twoHex(0));
    framesBox_->setText(twoHex(animation_.frames));
    startBox_->setText(twoHex(animation_.start));
    timerBox_->setText(twoHex(animation_.timer));
    drawPreview();
    refreshSprites();
    drawFrameView();
    showPlayingFrame();
    setEditing(true);
}

void SpriteEditor::chooseObjectSet(int objectSet)
{
    if (objectSet < 0 || objectSet >= kObjectSets)
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
    animationLabel_->setText(twoHex(animation));
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
    framesBox_->setText(twoHex(animation_.frames));
    startBox_->setText(twoHex(animation_.start));
    timerBox_->setText(twoHex(animation_.timer));
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
    frameLabel_->setText(twoHex(frame));
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
            const gfx::Canvas range(256, 256);
            canvas.blit(range, 0, 0, 256, 256, -placement.left, -placement.top);
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
