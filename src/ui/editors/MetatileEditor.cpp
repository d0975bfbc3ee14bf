#include "ui/editors/MetatileEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/gfx/NesColor.h"
#include "core/session/Document.h"
#include "core/session/WhereUsed.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace quarry::ui {

namespace {

constexpr int kMetatileViewSize = 128; // 32 x 32 pixels at four times size
constexpr int kAttributeViewSize = 64; // 4 x 4 cells of 16 pixels
constexpr int kAttributeDisplayScale = 2;

// The marker colours of background palettes 0-3: navy, maroon, green, yellow.
constexpr gfx::Rgb kMarkerColors[4] = {0x800000, 0x000080, 0x008000, 0x00FFFF};

QString metatileCaption(int metatile)
{
    return QString::fromLatin1(texts::metatile::kMetatilePrefix) + QString::number(metatile, 16).toUpper();
}

} // namespace

MetatileEditor::MetatileEditor(session::Document& document, Dialogs& dialogs, std::function<void()> refreshMain,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), dialogs_(dialogs), refreshMain_(std::move(refreshMain))
{
    setObjectName(QStringLiteral("frmMetatileEdit"));
    setWindowTitle(QString::fromLatin1(texts::metatile::kCaption));
    buildViews();
}

void MetatileEditor::buildViews()
{
    tileKit_ = new TileKit(0, this);
    tileKit_->setDialogs(&dialogs_);
    connect(tileKit_, &TileKit::tileChanged, this, &MetatileEditor::drawMetatileViews);
    connect(tileKit_, &TileKit::tilesCopied, this, &MetatileEditor::drawMetatileViews);

    auto* metaFrame = new QGroupBox(QString::fromLatin1(texts::metatile::kMetatileEditor), this);
    metaFrame->setObjectName(QStringLiteral("fraMetaEdit"));
    metatileView_ = new PixelView(QSize(kMetatileViewSize, kMetatileViewSize), 1, metaFrame);
    metatileView_->setObjectName(QStringLiteral("picMetatile"));
    metatileView_->setGridPitch(32);
    connect(metatileView_, &PixelView::pressed, this, [this](QPoint at, int) { pressMetatile(at); });
    attributeView_ = new PixelView(QSize(kAttributeViewSize, kAttributeViewSize), kAttributeDisplayScale, metaFrame);
    attributeView_->setObjectName(QStringLiteral("picAttTableEdit"));
    attributeView_->setGridPitch(16);
    connect(attributeView_, &PixelView::pressed, this, [this](QPoint at, int) { pressAttribute(at); });
    // Both views zoom with Ctrl+wheel up to 512 screen pixels.
    metatileView_->setMaximumZoom(4);
    attributeView_->setMaximumZoom(4);
    connect(tileKit_, &TileKit::gridChanged, this, [this](bool shown, const QColor& colour) {
        for (PixelView* view : {metatileView_, attributeView_}) {
            view->setGridShown(shown);
            view->setGridColor(colour);
        }
    });
    for (PixelView* view : {metatileView_, attributeView_}) {
        view->setGridShown(tileKit_->gridShown());
        view->setGridColor(tileKit_->gridColor());
    }

    metatileBar_ = new QScrollBar(Qt::Horizontal, metaFrame);
    metatileBar_->setObjectName(QStringLiteral("hscrollTileID"));
    metatileBar_->setRange(0, 0);
    connect(metatileBar_, &QScrollBar::valueChanged, this, &MetatileEditor::selectMetatile);
    metatileLabel_ = new QLabel(metatileCaption(0), metaFrame);
    metatileLabel_->setObjectName(QStringLiteral("lblSelMetatile"));
    metatileLabel_->setMinimumWidth(40);

    // The four background palettes, one row each, with the palette's marker.
    auto* paletteGrid = new QGridLayout;
    paletteGrid->setSpacing(2);
    for (int i = 0; i < 16; ++i) {
        auto* swatch = new Swatch(metaFrame);
        swatch->setObjectName(QStringLiteral("lblnespal%1").arg(i));
        swatch->setFixedSize(16, 16);
        connect(swatch, &Swatch::pressed, this, [this, i] { clickPaletteSwatch(i); });
        paletteGrid->addWidget(swatch, i / 4, i % 4);
        swatches_[static_cast<std::size_t>(i)] = swatch;
    }
    for (int i = 0; i < 4; ++i) {
        auto* marker = new Swatch(metaFrame);
        marker->setObjectName(QStringLiteral("picPalMarker%1").arg(i));
        marker->setFixedSize(16, 16);
        marker->setColor(kMarkerColors[i]);
        marker->setLineWidth(2);
        connect(marker, &Swatch::pressed, this, [this, i] { clickMarker(i); });
        paletteGrid->addWidget(marker, i, 5);
        markers_[static_cast<std::size_t>(i)] = marker;
    }
    paletteGrid->setColumnMinimumWidth(4, 6);

    auto* views = new QHBoxLayout;
    views->addWidget(metatileView_, 0, Qt::AlignTop);
    views->addWidget(attributeView_, 0, Qt::AlignTop);
    views->addLayout(paletteGrid);
    views->addStretch();
    auto* barRow = new QHBoxLayout;
    barRow->addWidget(metatileBar_, 1);
    barRow->addWidget(metatileLabel_);
    unusedCheck_ = new QCheckBox(QStringLiteral("Show Unused Tiles"), metaFrame);
    unusedCheck_->setObjectName(QStringLiteral("chkShowUnusedTiles"));
    unusedCheck_->setToolTip(QStringLiteral("Mark the tiles of the pattern table that no metatile places"));
    connect(unusedCheck_, &QCheckBox::toggled, this, &MetatileEditor::showUnusedTiles);
    auto* metaLayout = new QVBoxLayout(metaFrame);
    metaLayout->addLayout(views);
    metaLayout->addLayout(barRow);
    metaLayout->addWidget(unusedCheck_);

    auto* solidityFrame = new QGroupBox(QString::fromLatin1(texts::metatile::kTileProperties), this);
    solidityFrame->setObjectName(QStringLiteral("fraSolidityEdit"));
    auto* solidity = new QGridLayout(solidityFrame);
    for (int i = 0; i < 8; ++i) {
        const char* caption = i < 4 ? texts::metatile::kBounds[i] : texts::metatile::kRanges[i - 4];
        auto* label = new QLabel(QString::fromLatin1(caption), solidityFrame);
        label->setObjectName(QStringLiteral("lblSolid%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        // Bounds on the first row between the boxes, ranges under the bounds.
        solidity->addWidget(label, i < 4 ? 0 : 1, (i % 4) * 2);
        solidityLabels_[static_cast<std::size_t>(i)] = label;
    }
    for (int i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(solidityFrame);
        box->setObjectName(QStringLiteral("txtSolidityData%1").arg(i));
        box->setMaxLength(2);
        box->setFixedWidth(32);
        box->setAlignment(Qt::AlignCenter);
        connect(box, &QLineEdit::editingFinished, this, [this, i] { commitThreshold(i); });
        solidity->addWidget(box, 0, i * 2 + 1);
        thresholdBoxes_[static_cast<std::size_t>(i)] = box;
    }

    auto* side = new QVBoxLayout;
    side->addWidget(metaFrame);
    side->addWidget(solidityFrame);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tileKit_, 0, Qt::AlignTop);
    layout->addLayout(side);
}

void MetatileEditor::setupEditor(int objectSet, const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask)
{
    editing_ = false;
    const rom::RomImage& rom = document_.rom();
    gfx::TilePixels tiles = gfx::loadBackgroundTiles(rom, objectSet);
    const int limit = gfx::getMetatileLimit(rom, objectSet);
    const rom::SolidityThresholds thresholds = rom::readSolidityThresholds(rom, objectSet);

    objectSet_ = objectSet;
    palette_ = palette;
    mask_ = mask;
    currentMetatile_ = 0;
    // The limit byte offers metatiles 0 to L - 2, but never one the table
    // has no room for: such a metatile would be written over other data.
    lastMetatile_ = std::min(limit - 2, gfx::metatileCapacity(objectSet) - 1);
    thresholds_ = thresholds;

    tileKit_->setUp(std::move(tiles), palette_, mask_);
    drawPaletteSwatches();
    {
        const QSignalBlocker blocker(metatileBar_);
        metatileBar_->setRange(0, std::max(lastMetatile_, 0));
        metatileBar_->setValue(0);
    }
    metatileBar_->setEnabled(lastMetatile_ >= 0);
    selectMetatile(0);
    clickMarker(0);
    for (int i = 0; i < 3; ++i)
        showThreshold(i);
    editing_ = true;
    showUnusedTiles();
}

void MetatileEditor::showUnusedTiles()
{
    if (!unusedCheck_->isChecked() || !editing_) {
        tileKit_->setMarkedTiles(std::nullopt);
        return;
    }
    runGuarded(dialogs_, this, [&] {
        std::array<bool, 256> unused = session::tilesUsedByMetatiles(document_.rom(), objectSet_);
        for (bool& tile : unused)
            tile = !tile;
        tileKit_->setMarkedTiles(unused);
    });
}

void MetatileEditor::selectMetatile(int metatile)
{
    currentMetatile_ = std::clamp(metatile, 0, std::max(lastMetatile_, 0));
    if (metatileBar_->value() != currentMetatile_) {
        const QSignalBlocker blocker(metatileBar_);
        metatileBar_->setValue(currentMetatile_);
    }
    metatileLabel_->setText(metatileCaption(currentMetatile_));
    drawMetatileViews();
}

void MetatileEditor::drawMetatileViews()
{
    const rom::RomImage& rom = document_.rom();
    gfx::MetatileTiles block{};
    std::uint8_t attribute = 0;
    if (!runGuarded(dialogs_, this, [&] {
            block = gfx::getMetatileTiles(rom, objectSet_, currentMetatile_);
            attribute = gfx::getMetatileAttribute(rom, objectSet_, currentMetatile_);
        }))
        return;

    gfx::Canvas metatile(gfx::kMetatilePixels, gfx::kMetatilePixels);
    gfx::Canvas quarters(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int p = gfx::quadrantPalette(x, y, attribute);
            quarters.setPixel(x, y, kMarkerColors[p]);
            gfx::drawTile(tileKit_->tiles(), block[static_cast<std::size_t>(4 * y + x)] * gfx::kPixelsPerTile, metatile,
                          x * gfx::kTileSize, y * gfx::kTileSize, palette_, p, tileKit_->colors());
        }
    metatileView_->setPicture(toImage(metatile));
    attributeView_->setPicture(toImage(quarters));
}

void MetatileEditor::drawPaletteSwatches()
{
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->setColor(gfx::nesColorToRgb(palette_[i], mask_));
}

void MetatileEditor::pressMetatile(QPoint position)
{
    if (lastMetatile_ < 0 || !editing_)
        return;
    const int column = position.x() / 32;
    const int row = position.y() / 32;
    if (position.x() < 0 || position.y() < 0 || column > 3 || row > 3)
        return;
    runGuarded(dialogs_, this, [&] {
        document_.setMetatileTile(objectSet_, currentMetatile_, 4 * row + column,
                                  static_cast<std::uint8_t>(tileKit_->selectedTile()));
    });
    drawMetatileViews();
    showUnusedTiles();
}

void MetatileEditor::pressAttribute(QPoint position)
{
    if (lastMetatile_ < 0 || !editing_)
        return;
    const int column = position.x() / 16;
    const int row = position.y() / 16;
    if (position.x() < 0 || position.y() < 0 || column > 3 || row > 3)
        return;
    runGuarded(dialogs_, this, [&] {
        const std::uint8_t attribute = gfx::getMetatileAttribute(document_.rom(), objectSet_, currentMetatile_);
        document_.setMetatileAttribute(objectSet_, currentMetatile_,
                                       gfx::withQuadrantPalette(attribute, column, row, attributePalette_));
    });
    drawMetatileViews();
}

void MetatileEditor::clickPaletteSwatch(int index)
{
    clickMarker(index < 4 ? 0 : index < 8 ? 1 : index < 12 ? 2 : 3);
}

void MetatileEditor::clickMarker(int index)
{
    attributePalette_ = index & 3;
    for (std::size_t i = 0; i < markers_.size(); ++i)
        markers_[i]->setFrameStyle(static_cast<int>(i) == attributePalette_ ? QFrame::Box | QFrame::Plain
                                                                             : QFrame::NoFrame);
}

std::uint8_t MetatileEditor::thresholdFromText(const QString& text)
{
    unsigned value = 0;
    for (const QChar c : text) {
        // Blanks are skipped anywhere, as the number reader does.
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0 || c.unicode() > 0x7F)
            break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

void MetatileEditor::showThreshold(int index)
{
    thresholdBoxes_[static_cast<std::size_t>(index)]->setText(
        QStringLiteral("%1").arg(thresholds_[static_cast<std::size_t>(index)], 2, 16, QLatin1Char('0')).toUpper());
}

void MetatileEditor::commitThreshold(int index)
{
    if (!editing_ || index < 0 || index > 2)
        return;
    const auto i = static_cast<std::size_t>(index);
    const std::uint8_t value = thresholdFromText(thresholdBoxes_[i]->text());
    if (value != thresholds_[i]) {
        rom::SolidityThresholds changed = thresholds_;
        changed[i] = value;
        if (runGuarded(dialogs_, this, [&] { document_.setSolidityThresholds(objectSet_, changed); }))
            thresholds_ = changed;
    }
    showThreshold(index);
}

void MetatileEditor::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!editing_)
        return;
    writeCopy();
    editing_ = false;
    if (refreshMain_)
        refreshMain_();
}

void MetatileEditor::writeEdits()
{
    if (!editing_)
        return;
    writeCopy();
    if (refreshMain_)
        refreshMain_();
}

void MetatileEditor::writeCopy()
{
    session::Document::EditScope scope(document_, "Write tiles");
    // A box still being typed in counts as left.
    for (int i = 0; i < 3; ++i)
        commitThreshold(i);
    runGuarded(dialogs_, this, [this] { document_.writeBackgroundTiles(objectSet_, tileKit_->tiles()); });
}

void MetatileEditor::reloadFromImage()
{
    if (!editing_)
        return;
    const int metatile = currentMetatile_;
    const int palette = attributePalette_;
    const bool set = runGuarded(dialogs_, this,
                                [this] { setupEditor(objectSet_, palette_, gfx::readPpuMask(document_.rom())); });
    if (!set) {
        // The object set cannot be read any more: nothing is left to edit.
        close();
        return;
    }
    selectMetatile(metatile);
    clickMarker(palette);
}

} // namespace quarry::ui
