#include "ui/editors/TileKit.h"

#include "core/RomError.h"
#include "core/gfx/TileOps.h"
#include "core/session/Document.h"
#include "ui/RomDocument.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileSheetImage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

constexpr int kPatternTableSize = 256; // 16 x 16 tiles at twice size
constexpr int kTileViewSize = 64;      // one tile at eight times size
constexpr int kTileViewDisplayScale = 2;
constexpr int kInitialGridBlue = 160;
// Both kit views zoom up to 512 screen pixels.
constexpr int kPatternTableMaximumZoom = 2;
constexpr int kTileViewMaximumZoom = 4;
constexpr const char* kPngFilter = "PNG picture (*.png)";

// The pictures on the operation buttons, painted so the program ships no
// picture files for them.
QIcon operationIcon(TileKit::Operation operation)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(30, 30, 40);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    auto arrow = [&](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        const QPointF n(-d.y(), d.x());
        QPainterPath head;
        head.moveTo(to + d * 2);
        head.lineTo(to - d * 4 + n * 4);
        head.lineTo(to - d * 4 - n * 4);
        head.closeSubpath();
        p.drawPath(head);
    };
    switch (operation) {
    case TileKit::Operation::ShiftLeft: arrow({16, 10}, {5, 10}); break;
    case TileKit::Operation::ShiftRight: arrow({4, 10}, {15, 10}); break;
    case TileKit::Operation::ShiftUp: arrow({10, 16}, {10, 5}); break;
    case TileKit::Operation::ShiftDown: arrow({10, 4}, {10, 15}); break;
    case TileKit::Operation::FlipHAxis:
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.drawLine(2, 10, 18, 10);
        p.setPen(QPen(ink, 2));
        arrow({10, 8}, {10, 4});
        arrow({10, 12}, {10, 16});
        break;
    case TileKit::Operation::FlipVAxis:
        p.setPen(QPen(ink, 1, Qt::DashLine));
        p.drawLine(10, 2, 10, 18);
        p.setPen(QPen(ink, 2));
        arrow({8, 10}, {4, 10});
        arrow({12, 10}, {16, 10});
        break;
    case TileKit::Operation::Rotate:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 12, 12), 90 * 16, 270 * 16);
        p.setBrush(ink);
        arrow({13, 4}, {9, 4});
        break;
    }
    return QIcon(pixmap);
}

// A caption colour that reads on a swatch of the given colour.
// Zoomed views scroll inside a bounded area, so the window keeps its size
// on the screen whatever the zoom.
constexpr int kLargestViewArea = 384;

QScrollArea* scrolled(QWidget* view)
{
    auto* area = new QScrollArea(view->parentWidget());
    area->setFrameShape(QFrame::NoFrame);
    area->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    area->setMaximumSize(kLargestViewArea, kLargestViewArea);
    area->setWidget(view);
    return area;
}

QString hexPair(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

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

void TileKit::buildViews()
{
    patternTable_ = new PixelView(QSize(kPatternTableSize, kPatternTableSize), 1, this);
    patternTable_->setObjectName(QStringLiteral("picPatternTable"));
    patternTable_->setGridPitch(16);
    patternTable_->setMaximumZoom(kPatternTableMaximumZoom);
    patternTable_->setOverlay([this](QPainter& painter) {
        if (!marked_)
            return;
        painter.setPen(QPen(QColor(255, 40, 40), 0));
        painter.setBrush(QColor(255, 0, 0, 110));
        for (int t = 0; t < 256; ++t)
            if ((*marked_)[static_cast<std::size_t>(t)])
                painter.drawRect(QRectF((t % 16) * 16 + 0.5, (t / 16) * 16 + 0.5, 15, 15));
    });
    connect(patternTable_, &PixelView::pressed, this, [this](QPoint at, int) { pressPatternTable(at); });
    connect(patternTable_, &PixelView::released, this, [this](QPoint at, int) { releasePatternTable(at); });

    selectedTileLabel_ = new QLabel(QStringLiteral("00"), this);
    selectedTileLabel_->setObjectName(QStringLiteral("lblSelTile"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(12);
    selectedTileLabel_->setFont(mono);

    auto* tileFrame = new QGroupBox(QString::fromLatin1(texts::tilekit::kTileEditor), this);
    tileFrame->setObjectName(QStringLiteral("fraTileEdit"));
    tileView_ = new PixelView(QSize(kTileViewSize, kTileViewSize), kTileViewDisplayScale, tileFrame);
    tileView_->setObjectName(QStringLiteral("picSelectedTile"));
    tileView_->setGridPitch(8);
    tileView_->setMaximumZoom(kTileViewMaximumZoom);
    connect(tileView_, &PixelView::pressed, this, &TileKit::pressTile);
    connect(tileView_, &PixelView::moved, this, &TileKit::moveTile);
    connect(tileView_, &PixelView::released, this, [this](QPoint, int) { releaseTile(); });

    auto* swatchRow = new QHBoxLayout;
    swatchRow->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto* swatch = new Swatch(tileFrame);
        swatch->setObjectName(QStringLiteral("lblnespal_tEdit%1").arg(i));
        swatch->setFixedSize(24, 24);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        connect(swatch, &Swatch::pressed, this, [this, i](int button) { chooseColor(i, button); });
        swatchRow->addWidget(swatch);
        swatches_[static_cast<std::size_t>(i)] = swatch;
    }
    swatchRow->addStretch();

    auto* currentRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* current = new Swatch(tileFrame);
        current->setObjectName(QStringLiteral("lblselectedcolor%1").arg(i));
        current->setText(QString::fromLatin1(texts::tilekit::kCurrentColor));
        current->setFrameStyle(QFrame::Box | QFrame::Plain);
        current->setFixedHeight(22);
        currentRow->addWidget(current);
        currentColors_[static_cast<std::size_t>(i)] = current;
    }

    previousPalette_ = new QPushButton(QString::fromLatin1(texts::tilekit::kPrevPalette), tileFrame);
    previousPalette_->setObjectName(QStringLiteral("cmdPrevPal"));
    nextPalette_ = new QPushButton(QString::fromLatin1(texts::tilekit::kNextPalette), tileFrame);
    nextPalette_->setObjectName(QStringLiteral("cmdNextPal"));
    for (QPushButton* button : {previousPalette_, nextPalette_})
        button->setFixedSize(28, 24);
    connect(previousPalette_, &QPushButton::clicked, this, [this] { stepPalette(-1); });
    connect(nextPalette_, &QPushButton::clicked, this, [this] { stepPalette(1); });
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(previousPalette_);
    stepRow->addWidget(nextPalette_);
    stepRow->addStretch();

    const char* names[] = {"cmdShiftLeft", "cmdShiftRight", "cmdShiftUp", "cmdShiftDown",
                           "cmdFlipHAxis", "cmdFlipVAxis", "cmdRotate"};
    auto* operationRow = new QHBoxLayout;
    operationRow->setSpacing(2);
    for (std::size_t i = 0; i < operationButtons_.size(); ++i) {
        const auto operation = static_cast<Operation>(i);
        auto* button = new QPushButton(operationIcon(operation), QString(), tileFrame);
        button->setObjectName(QString::fromLatin1(names[i]));
        button->setToolTip(QString::fromLatin1(texts::tilekit::kOperationTips[i]));
        button->setFixedSize(28, 28);
        button->setIconSize(QSize(20, 20));
        connect(button, &QPushButton::clicked, this, [this, operation] { applyOperation(operation); });
        operationRow->addWidget(button);
        operationButtons_[i] = button;
    }
    operationRow->addStretch();

    gridCheck_ = new QCheckBox(QString::fromLatin1(texts::tilekit::kShowGrid), tileFrame);
    gridCheck_->setObjectName(QStringLiteral("chkShowGrid"));
    gridCheck_->setChecked(true);
    connect(gridCheck_, &QCheckBox::toggled, this, [this] { applyGrid(); });
    gridColorBar_ = new QScrollBar(Qt::Horizontal, tileFrame);
    gridColorBar_->setObjectName(QStringLiteral("hscrGridColor"));
    gridColorBar_->setRange(0, 255);
    gridColorBar_->setValue(kInitialGridBlue);
    connect(gridColorBar_, &QScrollBar::valueChanged, this, [this] { applyGrid(); });

    auto* tileLayout = new QVBoxLayout(tileFrame);
    tileLayout->addWidget(scrolled(tileView_), 0, Qt::AlignHCenter);
    tileLayout->addLayout(swatchRow);
    tileLayout->addLayout(currentRow);
    tileLayout->addLayout(stepRow);
    tileLayout->addLayout(operationRow);
    tileLayout->addWidget(gridCheck_);
    tileLayout->addWidget(gridColorBar_);
    tileLayout->addStretch();

    // Under the table: the tile number, zoom, and the bank as a picture.
    exportButton_ = new QPushButton(QStringLiteral("Export PNG..."), this);
    exportButton_->setObjectName(QStringLiteral("cmdExportChr"));
    exportButton_->setToolTip(QStringLiteral("Save the pattern table as a 128 x 128 picture in the current palette"));
    importButton_ = new QPushButton(QStringLiteral("Import PNG..."), this);
    importButton_->setObjectName(QStringLiteral("cmdImportChr"));
    importButton_->setToolTip(QStringLiteral("Read the pattern table from a 128 x 128 picture in the current palette"));
    connect(exportButton_, &QPushButton::clicked, this, &TileKit::exportPng);
    connect(importButton_, &QPushButton::clicked, this, &TileKit::importPng);
    exportButton_->setVisible(false);
    importButton_->setVisible(false);
    zoomOut_ = new QPushButton(QStringLiteral("-"), this);
    zoomOut_->setObjectName(QStringLiteral("cmdKitZoomOut"));
    zoomOut_->setToolTip(QStringLiteral("Zoom out (Ctrl+wheel on a view)"));
    zoomIn_ = new QPushButton(QStringLiteral("+"), this);
    zoomIn_->setObjectName(QStringLiteral("cmdKitZoomIn"));
    zoomIn_->setToolTip(QStringLiteral("Zoom in (Ctrl+wheel on a view)"));
    for (QPushButton* button : {zoomOut_, zoomIn_})
        button->setFixedSize(24, 24);
    connect(zoomOut_, &QPushButton::clicked, this, [this] { zoomViews(-1); });
    connect(zoomIn_, &QPushButton::clicked, this, [this] { zoomViews(1); });
    auto updateZoomButtons = [this] {
        zoomOut_->setEnabled(patternTable_->zoom() > 1 || tileView_->zoom() > 1);
        zoomIn_->setEnabled(patternTable_->zoom() < patternTable_->maximumZoom()
                            || tileView_->zoom() < tileView_->maximumZoom());
    };
    connect(patternTable_, &PixelView::zoomChanged, this, updateZoomButtons);
    connect(tileView_, &PixelView::zoomChanged, this, updateZoomButtons);
    updateZoomButtons();

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(selectedTileLabel_);
    tableRow->addStretch();
    tableRow->addWidget(zoomOut_);
    tableRow->addWidget(zoomIn_);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(exportButton_);
    pictureRow->addWidget(importButton_);
    pictureRow->addStretch();

    auto* tableColumn = new QVBoxLayout;
    tableColumn->addWidget(scrolled(patternTable_));
    tableColumn->addLayout(tableRow);
    tableColumn->addLayout(pictureRow);
    tableColumn->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tableColumn);
    layout->addWidget(tileFrame, 0, Qt::AlignTop);
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
    selectedTileLabel_->setText(QStringLiteral("%1").arg(selectedTile_, 2, 16, QLatin1Char('0')).toUpper());
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
    writeTile(target, QStringLiteral("Copy tile %1 to %2").arg(hexPair(selectedTile_), hexPair(target)));
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
    return QStringLiteral("Paint tile %1").arg(hexPair(selectedTile_));
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
    writeTile(selectedTile_, QStringLiteral("Change tile %1").arg(hexPair(selectedTile_)));
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

QImage TileKit::bankPicture() const
{
    SheetColours colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = colors_[palette_[static_cast<std::size_t>(4 * paletteNumber_) + i] & 0x3F];
    return tileSheetImage(tiles_, colours);
}

QString TileKit::importBankPicture(const QImage& picture, QString* note)
{
    SheetColours colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = colors_[palette_[static_cast<std::size_t>(4 * paletteNumber_) + i] & 0x3F];
    TileSheetRead read = readTileSheet(picture, colours, paletteNumber_);
    if (!read.tiles)
        return read.problem;
    if (!attached_)
        return QStringLiteral("There is no bank to import into.");
    session::Document::EditScope scope(document_.document(), "Import tiles", 0);
    document_.document().writeTiles(bankStart_, *read.tiles);
    if (note)
        *note = read.note;
    return {};
}

void TileKit::exportPng()
{
    if (!dialogs_)
        return;
    // Named for the image and where the bank lies in it: "game-tiles-1A000.png".
    const QString name = QStringLiteral("%1-tiles-%2.png")
                             .arg(imageBaseName(document_.document()), QString::number(bankStart_, 16).toUpper());
    const QString path = dialogs_->chooseSaveFile(this, proposedPath(FileKind::Pictures, name),
                                                  QString::fromLatin1(kPngFilter), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(*dialogs_, this, [&] {
        try {
            writeOutputFile(path, pngBytes(bankPicture()));
        } catch (const RomError& error) {
            dialogs_->showMessage(this, QStringLiteral("Cannot write the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
        }
    });
}

void TileKit::importPng()
{
    if (!dialogs_)
        return;
    const QString path = dialogs_->chooseOpenFile(this, lastFolder(FileKind::Pictures), QString::fromLatin1(kPngFilter));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(*dialogs_, this, [&] {
        // Read through the file rules first, so a pipe or a device named
        // here is refused rather than waited on. A bank picture is small.
        std::vector<std::uint8_t> bytes;
        try {
            bytes = readInputFile(path, 16u << 20);
        } catch (const RomError& error) {
            dialogs_->showMessage(this, QStringLiteral("Cannot read the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
            return;
        }
        QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            dialogs_->showMessage(this, QStringLiteral("Cannot read the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), reader.errorString()));
            return;
        }
        QString note;
        const QString problem = importBankPicture(picture, &note);
        if (!problem.isEmpty() || !note.isEmpty())
            dialogs_->showMessage(this, problem.isEmpty() ? note : problem);
    });
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
