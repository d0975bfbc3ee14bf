// The sprite editor's window: its columns, controls and views.
#include "ui/editors/SpriteEditor.h"

#include "core/rom/GameLayout.h"
#include "core/sprites/SpriteGeometry.h"
#include "ui/HexText.h"
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
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

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

QLayout* SpriteEditor::buildPlaybackButtons(QWidget* column)
{
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
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(playButton_);
    buttonRow->addWidget(stopButton_);
    buttonRow->addWidget(stepBack_);
    buttonRow->addWidget(stepForward_);
    buttonRow->addStretch();
    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addLayout(buttonRow);
    buttonColumn->addWidget(playingLabel_);
    return buttonColumn;
}

QLayout* SpriteEditor::buildSpriteSwatches(QWidget* column)
{
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
    return paletteGrid;
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
    animationBar_->setRange(0, layout::kAnimationCount - 1);
    connect(animationBar_, &QScrollBar::valueChanged, this, &SpriteEditor::chooseAnimation);
    animationLabel_ = new QLabel(hexByte(0), column);
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

    QLayout* playback = buildPlaybackButtons(column);
    exportFrameButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kExportFrame), column);
    connect(exportFrameButton_, &QPushButton::clicked, this, &SpriteEditor::exportFramePng);
    exportSheetButton_ = new QPushButton(QString::fromLatin1(texts::sprite::kExportSheet), column);
    connect(exportSheetButton_, &QPushButton::clicked, this, &SpriteEditor::exportAnimationSheet);
    preview_->setOverlay([this](QPainter& painter) {
        // The selection is outlined when the preview shows the frame being edited.
        const bool same = animation_.frameNumber(previewPosition_) == currentFrame_ && !playback_.playing();
        drawMarks(painter, previewList_, {}, preview_->logicalSize(), same);
    });
    QLayout* swatches = buildSpriteSwatches(column);

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(animationBar_, 1);
    barRow->addWidget(animationLabel_);
    auto* controls = new QHBoxLayout;
    controls->addLayout(values);
    controls->addLayout(playback);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(objectSetList_);
    layout->addLayout(barRow);
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    layout->addLayout(controls);
    layout->addLayout(swatches);
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
    frameBar_->setRange(0, layout::kFrameCount - 1);
    connect(frameBar_, &QScrollBar::valueChanged, this, &SpriteEditor::chooseFrame);
    frameLabel_ = new QLabel(hexByte(0), column);
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
    tileKit_ = new TileKit(sprites::kFirstShownPalette, document_, this);
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

} // namespace quarry::ui
