#include "ui/editors/TileKit.h"

#include "core/gfx/TileOps.h"
#include "core/session/Document.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace quarry::ui {

namespace {

QColor captionOn(gfx::Rgb colour)
{
    const int r = static_cast<int>(colour & 0xFF), g = static_cast<int>((colour >> 8) & 0xFF),
              b = static_cast<int>((colour >> 16) & 0xFF);
    return r * 299 + g * 587 + b * 114 < 128000 ? Qt::white : Qt::black;
}

} // namespace

TileKit::TileKit(int paletteBase, RomDocument& document, QWidget* parent)
    : QWidget(parent), paletteBase_(paletteBase & 4), document_(document), paletteNumber_(paletteBase & 4)
{
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        if (change.touches(session::kTilesChanged))
            reloadFromImage();
    });
    buildViews();
    colors_ = gfx::nesColorTable(mask_);
    refreshSwatches();
    drawPatternTable();
    applyGrid();
}

void TileKit::setUp(std::size_t bankStart, const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask)
{
    // A bank is always 256 tiles, so every tile number the views produce exists.
    tiles_ = gfx::decodeTiles(document_.document().rom(), bankStart, gfx::kPatternTableTiles);
    bankStart_ = bankStart;
    attached_ = true;
    palette_ = palette;
    mask_ = mask;
    colors_ = gfx::nesColorTable(mask);
    leftColor_ = 0;
    rightColor_ = 1;
    finishStroke();
    drawPatternTable();
    refreshSwatches();
    selectTile(0);
}

void TileKit::switchBank(std::size_t bankStart)
{
    finishStroke();
    tiles_ = gfx::decodeTiles(document_.document().rom(), bankStart, gfx::kPatternTableTiles);
    bankStart_ = bankStart;
    attached_ = true;
    drawPatternTable();
    drawTileView();
    emit tileChanged();
}

void TileKit::reloadFromImage()
{
    if (!attached_)
        return;
    try {
        tiles_ = gfx::decodeTiles(document_.document().rom(), bankStart_, gfx::kPatternTableTiles);
    } catch (const std::exception&) {
        return; // another image without this bank: the window is set up anew
    }
    drawPatternTable();
    drawTileView();
    emit tileChanged();
}

void TileKit::setColours(const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask)
{
    palette_ = palette;
    mask_ = mask;
    colors_ = gfx::nesColorTable(mask);
    drawPatternTable();
    refreshSwatches();
    emit tileChanged();
}

void TileKit::writeTile(int tile, const QString& step)
{
    if (!attached_)
        return;
    const auto first = static_cast<std::size_t>(tile) * gfx::kPixelsPerTile;
    const std::span<const std::uint8_t> pixels(tiles_.data() + first, gfx::kPixelsPerTile);
    const std::size_t at = bankStart_ + static_cast<std::size_t>(tile) * gfx::kChrBytesPerTile;
    try {
        session::Document::EditScope scope(document_.document(), step.toStdString(), 0);
        document_.document().writeTiles(at, pixels);
        // The window's other views show the pixel at once, also mid-stroke.
        emit tileChanged();
    } catch (const std::exception& error) {
        // The bank was read from this image, so this is rare: the image
        // changed under the window. The kit shows the image again.
        if (dialogs_)
            dialogs_->showMessage(this, QString::fromUtf8(error.what()));
        reloadFromImage();
    }
}

void TileKit::selectTile(int tile)
{
    selectedTile_ = tile & 0xFF;
    selectedTileLabel_->setText(hexByte(selectedTile_));
    drawTileView();
}

void TileKit::pressPatternTable(QPoint position)
{
    if (position.x() < 0 || position.y() < 0 || position.x() >= kPatternTableSize || position.y() >= kPatternTableSize)
        return;
    selectTile(((position.x() & 0xF0) / 16) | (position.y() & 0xF0));
}

void TileKit::releasePatternTable(QPoint position)
{
    // Releasing outside the table copies nothing.
    if (position.x() < 0 || position.y() < 0 || position.x() >= kPatternTableSize || position.y() >= kPatternTableSize)
        return;
    const int target = ((position.x() & 0xF0) / 16) | (position.y() & 0xF0);
    gfx::copyTile(tiles_, static_cast<std::uint8_t>(selectedTile_), tiles_, static_cast<std::uint8_t>(target));
    writeTile(target, QStringLiteral("Copy tile %1 to %2").arg(hexByte(selectedTile_), hexByte(target)));
}

void TileKit::paintPixel(int column, int row, int button)
{
    painting_ = true;
    lastPainted_ = QPoint(column, row);
    const std::size_t at = static_cast<std::size_t>(selectedTile_) * gfx::kPixelsPerTile
                           + static_cast<std::size_t>(row * gfx::kTileSize + column);
    tiles_[at] = static_cast<std::uint8_t>(button == 1 ? leftColor_ : rightColor_);
    writeTile(selectedTile_, strokeName());
    document_.notePendingWrite();
}

QString TileKit::strokeName() const
{
    return QStringLiteral("Paint tile %1").arg(hexByte(selectedTile_));
}

void TileKit::pressTile(QPoint position, int button)
{
    if (button == 0)
        return;
    if (position.x() < 0 || position.y() < 0 || position.x() >= kTileViewSize || position.y() >= kTileViewSize)
        return;
    finishStroke();
    // Press to release is one step, however many pixels it paints.
    document_.beginGesture(strokeName(), this, [this] {
        painting_ = false;
        lastPainted_ = QPoint(-1, -1);
    });
    paintPixel(position.x() / 8, position.y() / 8, button);
}

void TileKit::moveTile(QPoint position, int buttons)
{
    if (position.x() < 0 || position.x() > kTileViewSize - 1 || position.y() < 0 || position.y() > kTileViewSize - 1)
        return;
    const QPoint pixel(position.x() / 8, position.y() / 8);
    // Only a move into another magnified pixel paints, and only the pixel
    // under the pointer: fast moves leave gaps, as the events arrive.
    if (painting_ && pixel != lastPainted_ && buttons != 0)
        paintPixel(pixel.x(), pixel.y(), buttons);
}

void TileKit::releaseTile()
{
    finishStroke();
}

void TileKit::finishStroke()
{
    if (painting_)
        document_.endGesture();
    painting_ = false;
    lastPainted_ = QPoint(-1, -1);
}

void TileKit::chooseColor(int index, int button)
{
    if (index < 0 || index > 3 || button == 0)
        return;
    if (button == 1)
        leftColor_ = index;
    else
        rightColor_ = index;
    const std::size_t which = button == 1 ? 0 : 1;
    currentColors_[which]->setColor(swatches_[static_cast<std::size_t>(index)]->color());
    currentColors_[which]->setCaptionColor(captionOn(swatches_[static_cast<std::size_t>(index)]->color()));
}

void TileKit::stepPalette(int step)
{
    paletteNumber_ = ((paletteNumber_ + step) & 3) | paletteBase_;
    refreshSwatches();
    drawPatternTable();
}

void TileKit::applyOperation(Operation operation)
{
    switch (operation) {
    case Operation::ShiftLeft: gfx::shiftTile(tiles_, selectedTile_, 1, 0); break;
    case Operation::ShiftRight: gfx::shiftTile(tiles_, selectedTile_, -1, 0); break;
    case Operation::ShiftUp: gfx::shiftTile(tiles_, selectedTile_, 0, 1); break;
    case Operation::ShiftDown: gfx::shiftTile(tiles_, selectedTile_, 0, -1); break;
    case Operation::FlipHAxis: gfx::flipTile(tiles_, selectedTile_, false, true); break;
    case Operation::FlipVAxis: gfx::flipTile(tiles_, selectedTile_, true, false); break;
    case Operation::Rotate: gfx::rotateTile(tiles_, selectedTile_); break;
    }
    writeTile(selectedTile_, QStringLiteral("Change tile %1").arg(hexByte(selectedTile_)));
}

void TileKit::refreshSwatches()
{
    for (std::size_t i = 0; i < swatches_.size(); ++i)
        swatches_[i]->setColor(gfx::nesColorToRgb(palette_[static_cast<std::size_t>(4 * paletteNumber_) + i], mask_));
    const int chosen[2] = {leftColor_, rightColor_};
    for (std::size_t i = 0; i < currentColors_.size(); ++i) {
        const gfx::Rgb colour = swatches_[static_cast<std::size_t>(chosen[i])]->color();
        currentColors_[i]->setColor(colour);
        currentColors_[i]->setCaptionColor(captionOn(colour));
    }
    drawTileView();
}

void TileKit::drawPatternTable()
{
    patternTable_->setPicture(toImage(gfx::drawPatternTable(tiles_, palette_, paletteNumber_, colors_)));
}

void TileKit::drawTileView()
{
    gfx::Canvas tile(gfx::kTileSize, gfx::kTileSize);
    gfx::drawTile(tiles_, static_cast<std::size_t>(selectedTile_) * gfx::kPixelsPerTile, tile, 0, 0, palette_,
                  paletteNumber_, colors_);
    tileView_->setPicture(toImage(tile));
}

void TileKit::setGridShown(bool shown)
{
    gridCheck_->setChecked(shown);
}

bool TileKit::gridShown() const
{
    return gridCheck_->isChecked();
}

QColor TileKit::gridColor() const
{
    return QColor(0, 0, gridColorBar_->value());
}

void TileKit::applyGrid()
{
    for (PixelView* view : {patternTable_, tileView_}) {
        view->setGridShown(gridShown());
        view->setGridColor(gridColor());
    }
    emit gridChanged(gridShown(), gridColor());
}

void TileKit::setDialogs(Dialogs* dialogs)
{
    dialogs_ = dialogs;
    exportButton_->setVisible(dialogs_ != nullptr);
    importButton_->setVisible(dialogs_ != nullptr);
}

void TileKit::zoomViews(int step)
{
    patternTable_->setZoom(patternTable_->zoom() + step);
    tileView_->setZoom(tileView_->zoom() + step);
}

void TileKit::setMarkedTiles(std::optional<std::array<bool, 256>> marked)
{
    marked_ = marked;
    patternTable_->update();
}

bool TileKit::tileMarked(int tile) const
{
    return marked_ && tile >= 0 && tile < 256 && (*marked_)[static_cast<std::size_t>(tile)];
}

} // namespace quarry::ui
