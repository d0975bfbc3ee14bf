// The tile kit's views and controls, and how they are laid out.
#include "ui/editors/TileKit.h"

#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace quarry::ui {

namespace {

constexpr int kTileViewDisplayScale = 2;
constexpr int kInitialGridBlue = 160;
// Both kit views zoom up to 512 screen pixels.
constexpr int kPatternTableMaximumZoom = 2;
constexpr int kTileViewMaximumZoom = 4;

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

// Zoomed views scroll inside a bounded area, so the window keeps its size
// on the screen whatever the zoom.
constexpr int kLargestViewArea = 384;

QScrollArea* scrolled(QWidget* view)
{
    auto* area = new QScrollArea(view->parentWidget());
    area->setFrameShape(QFrame::NoFrame);
    area->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    area->setMaximumSize(kLargestViewArea, kLargestViewArea);
    // At the smallest zoom the whole view shows, on any screen the window
    // fits: the layout may not squeeze the area below the view.
    area->setMinimumSize(view->size());
    area->setWidget(view);
    return area;
}

} // namespace

void TileKit::buildViews()
{
    buildPatternTable();
    QWidget* tileFrame = buildTileFrame();
    QLayout* tableColumn = buildTableColumn();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tableColumn);
    layout->addWidget(tileFrame, 0, Qt::AlignTop);
}

void TileKit::buildPatternTable()
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
}

QWidget* TileKit::buildTileFrame()
{
    auto* tileFrame = new QGroupBox(QString::fromLatin1(texts::tilekit::kTileEditor), this);
    tileFrame->setObjectName(QStringLiteral("fraTileEdit"));
    tileView_ = new PixelView(QSize(kTileViewSize, kTileViewSize), kTileViewDisplayScale, tileFrame);
    tileView_->setObjectName(QStringLiteral("picSelectedTile"));
    tileView_->setGridPitch(8);
    tileView_->setMaximumZoom(kTileViewMaximumZoom);
    connect(tileView_, &PixelView::pressed, this, &TileKit::pressTile);
    connect(tileView_, &PixelView::moved, this, &TileKit::moveTile);
    connect(tileView_, &PixelView::released, this, [this](QPoint, int) { releaseTile(); });

    QLayout* colourRows = buildColourRows(tileFrame);
    QLayout* operationRow = buildOperationRow(tileFrame);
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
    tileLayout->addLayout(colourRows);
    tileLayout->addLayout(operationRow);
    tileLayout->addWidget(gridCheck_);
    tileLayout->addWidget(gridColorBar_);
    tileLayout->addStretch();
    return tileFrame;
}

QLayout* TileKit::buildColourRows(QWidget* frame)
{
    auto* swatchRow = new QHBoxLayout;
    swatchRow->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto* swatch = new Swatch(frame);
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
        auto* current = new Swatch(frame);
        current->setObjectName(QStringLiteral("lblselectedcolor%1").arg(i));
        current->setText(QString::fromLatin1(texts::tilekit::kCurrentColor));
        current->setFrameStyle(QFrame::Box | QFrame::Plain);
        current->setFixedHeight(22);
        currentRow->addWidget(current);
        currentColors_[static_cast<std::size_t>(i)] = current;
    }

    previousPalette_ = new QPushButton(QString::fromLatin1(texts::tilekit::kPrevPalette), frame);
    previousPalette_->setObjectName(QStringLiteral("cmdPrevPal"));
    nextPalette_ = new QPushButton(QString::fromLatin1(texts::tilekit::kNextPalette), frame);
    nextPalette_->setObjectName(QStringLiteral("cmdNextPal"));
    for (QPushButton* button : {previousPalette_, nextPalette_})
        button->setFixedSize(28, 24);
    connect(previousPalette_, &QPushButton::clicked, this, [this] { stepPalette(-1); });
    connect(nextPalette_, &QPushButton::clicked, this, [this] { stepPalette(1); });
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(previousPalette_);
    stepRow->addWidget(nextPalette_);
    stepRow->addStretch();

    auto* rows = new QVBoxLayout;
    rows->addLayout(swatchRow);
    rows->addLayout(currentRow);
    rows->addLayout(stepRow);
    return rows;
}

QLayout* TileKit::buildOperationRow(QWidget* frame)
{
    const char* names[] = {"cmdShiftLeft", "cmdShiftRight", "cmdShiftUp", "cmdShiftDown",
                           "cmdFlipHAxis", "cmdFlipVAxis", "cmdRotate"};
    auto* operationRow = new QHBoxLayout;
    operationRow->setSpacing(2);
    for (std::size_t i = 0; i < operationButtons_.size(); ++i) {
        const auto operation = static_cast<Operation>(i);
        auto* button = new QPushButton(operationIcon(operation), QString(), frame);
        button->setObjectName(QString::fromLatin1(names[i]));
        button->setToolTip(QString::fromLatin1(texts::tilekit::kOperationTips[i]));
        button->setFixedSize(28, 28);
        button->setIconSize(QSize(20, 20));
        connect(button, &QPushButton::clicked, this, [this, operation] { applyOperation(operation); });
        operationRow->addWidget(button);
        operationButtons_[i] = button;
    }
    operationRow->addStretch();
    return operationRow;
}

QLayout* TileKit::buildTableColumn()
{
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
    return tableColumn;
}

} // namespace quarry::ui
