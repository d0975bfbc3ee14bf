#include "ui/editors/MetatileEditor.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/gfx/NesColor.h"
#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "core/session/LoadedArea.h"
#include "core/session/NumberInput.h"
#include "core/session/WhereUsed.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
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
    return QString::fromLatin1(texts::metatile::kMetatilePrefix) + hexNumber(metatile);
}

} // namespace

MetatileEditor::MetatileEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : EditorWindow(document, dialogs, parent)
{
    setObjectName(QStringLiteral("frmMetatileEdit"));
    setWindowTitle(QString::fromLatin1(texts::metatile::kCaption));
    buildViews();
}

void MetatileEditor::buildViews()
{
    tileKit_ = new TileKit(0, document_, this);
    tileKit_->setDialogs(&dialogs_);
    connect(tileKit_, &TileKit::tileChanged, this, [this] {
        drawMetatileViews();
        showUnusedTiles();
    });

    QWidget* metaFrame = buildMetatileFrame();
    QWidget* solidityFrame = buildSolidityFrame();

    auto* side = new QVBoxLayout;
    side->addWidget(metaFrame);
    side->addWidget(solidityFrame);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tileKit_, 0, Qt::AlignTop);
    layout->addLayout(side);
}

QWidget* MetatileEditor::buildMetatileFrame()
{
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

    QLayout* paletteGrid = buildPaletteGrid(metaFrame);

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
    return metaFrame;
}

QLayout* MetatileEditor::buildPaletteGrid(QWidget* metaFrame)
{
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
    return paletteGrid;
}

QWidget* MetatileEditor::buildSolidityFrame()
{
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
    return solidityFrame;
}

bool MetatileEditor::setUpFor(const session::LoadedArea* area)
{
    setupEditor(area->id.objectSet, area->palette, area->mask, area->pointers.palettePointer);
    return true;
}

void MetatileEditor::setupEditor(int objectSet, const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask,
                                 std::uint16_t palettePointer)
{
    setEditing(false);
    const rom::RomImage& rom = document_.document().rom();
    const std::size_t bank = rom::bgChrBase(rom, objectSet);
    const int limit = gfx::getMetatileLimit(rom, objectSet);
    const rom::SolidityThresholds thresholds = rom::readSolidityThresholds(rom, objectSet);

    objectSet_ = objectSet;
    palettePointer_ = palettePointer;
    palette_ = palette;
    mask_ = mask;
    currentMetatile_ = 0;
    lastMetatile_ = gfx::lastOfferedMetatile(static_cast<std::uint8_t>(limit));
    thresholds_ = thresholds;

    tileKit_->setUp(bank, palette_, mask_);
    drawPaletteSwatches();
    {
        const QSignalBlocker blocker(metatileBar_);
        metatileBar_->setRange(0, lastMetatile_);
        metatileBar_->setValue(0);
    }
    metatileBar_->setEnabled(lastMetatile_ > 0);
    selectMetatile(0);
    clickMarker(0);
    for (int i = 0; i < 3; ++i)
        showThreshold(i);
    setEditing(true);
    showUnusedTiles();
}

void MetatileEditor::imageChanged(const session::Change& change)
{
    const rom::RomImage& rom = document_.document().rom();
    if (change.touches(session::kPaletteChanged | session::kMaskChanged)) {
        // The window draws with the palette of the area it was opened for.
        if (palettePointer_ != 0)
            runGuarded(dialogs_, this, [&] { gfx::readAreaPalette(rom, palettePointer_, palette_); });
        mask_ = gfx::readPpuMask(rom);
        drawPaletteSwatches();
        tileKit_->setColours(palette_, mask_);
    }
    if (change.touches(session::kThresholdsChanged)) {
        runGuarded(dialogs_, this, [&] { thresholds_ = rom::readSolidityThresholds(rom, objectSet_); });
        for (int i = 0; i < 3; ++i)
            showThreshold(i);
    }
    if (change.touches(session::kMetatilesChanged)) {
        drawMetatileViews();
        showUnusedTiles();
    }
}

bool MetatileEditor::finishPending()
{
    // A box still being typed in counts as left.
    for (int i = 0; i < 3; ++i)
        commitThreshold(i);
    return true;
}

void MetatileEditor::showUnusedTiles()
{
    if (!unusedCheck_->isChecked() || !isEditing()) {
        tileKit_->setMarkedTiles(std::nullopt);
        return;
    }
    runGuarded(dialogs_, this, [&] {
        std::array<bool, 256> unused = session::tilesUsedByMetatiles(document_.document().rom(), objectSet_);
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
    const rom::RomImage& rom = document_.document().rom();
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
    if (!isEditing())
        return;
    const int column = position.x() / 32;
    const int row = position.y() / 32;
    if (position.x() < 0 || position.y() < 0 || column > 3 || row > 3)
        return;
    runGuarded(dialogs_, this, [&] {
        document_.document().setMetatileTile(objectSet_, currentMetatile_, 4 * row + column,
                                             static_cast<std::uint8_t>(tileKit_->selectedTile()));
    });
}

void MetatileEditor::pressAttribute(QPoint position)
{
    if (!isEditing())
        return;
    const int column = position.x() / 16;
    const int row = position.y() / 16;
    if (position.x() < 0 || position.y() < 0 || column > 3 || row > 3)
        return;
    runGuarded(dialogs_, this, [&] {
        const std::uint8_t attribute = gfx::getMetatileAttribute(document_.document().rom(), objectSet_, currentMetatile_);
        document_.document().setMetatileAttribute(objectSet_, currentMetatile_,
                                                  gfx::withQuadrantPalette(attribute, column, row, attributePalette_));
    });
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

void MetatileEditor::showThreshold(int index)
{
    thresholdBoxes_[static_cast<std::size_t>(index)]->setText(
        hexByte(thresholds_[static_cast<std::size_t>(index)]));
}

void MetatileEditor::commitThreshold(int index)
{
    if (!isEditing() || index < 0 || index > 2)
        return;
    const auto i = static_cast<std::size_t>(index);
    const std::uint8_t value = session::parseHexByteBox(thresholdBoxes_[i]->text().toStdString());
    if (value != thresholds_[i]) {
        rom::SolidityThresholds changed = thresholds_;
        changed[i] = value;
        if (runGuarded(dialogs_, this, [&] { document_.document().setSolidityThresholds(objectSet_, changed); }))
            thresholds_ = changed;
    }
    showThreshold(index);
}

} // namespace quarry::ui
