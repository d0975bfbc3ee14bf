#include "ui/AreaWorkspace.h"

#include "core/gfx/NesColor.h"
#include "core/session/Document.h"
#include "core/session/PointerAnswer.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/map/MapView.h"
#include "ui/map/MetatilePicker.h"
#include "ui/map/PaletteStrip.h"
#include "ui/panels/GridPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace quarry::ui {

namespace {
constexpr const char* kPointerPrompt = "New pointer: ($0000-$FFFF)";
}

AreaWorkspace::AreaWorkspace(session::Document& document, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), document_(document), dialogs_(dialogs)
{
    mapView_ = new MapView(this);
    picker_ = new MetatilePicker(this);
    paletteStrip_ = new PaletteStrip(this);
    gridPanel_ = new GridPanel(this);
    nightCheck_ = new QCheckBox(QStringLiteral("Night"), this);
    nightCheck_->setObjectName(QStringLiteral("chkUseNightPal"));
    nightCheck_->setToolTip(QStringLiteral("Toggle day and night"));

    auto* options = new QHBoxLayout;
    options->addWidget(gridPanel_);
    options->addWidget(nightCheck_);
    options->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(mapView_, 1); // the map view takes the room a larger window gives
    left->addWidget(paletteStrip_);
    left->addLayout(options);

    whereUsedCheck_ = new QCheckBox(QStringLiteral("Where Used"), this);
    whereUsedCheck_->setObjectName(QStringLiteral("chkWhereUsed"));
    whereUsedCheck_->setToolTip(QStringLiteral("Count each metatile's cells in the object set's maps and outline the "
                                               "chosen one's cells in this map"));
    whereUsedLabel_ = new QLabel(this);
    whereUsedLabel_->setObjectName(QStringLiteral("lblWhereUsed"));
    whereUsedLabel_->setWordWrap(true);
    whereUsedLabel_->setMaximumWidth(256);
    whereUsedLabel_->setVisible(false);
    connect(whereUsedCheck_, &QCheckBox::toggled, this, &AreaWorkspace::setWhereUsedShown);
    connect(this, &AreaWorkspace::imageEdited, this, [this] { refreshWhereUsed(true); });
    mapView_->setOverlay(MapView::OverlayLayer::Highlight, [this](QPainter& painter) { whereUsed_.paint(painter); });

    auto* right = new QVBoxLayout;
    right->addWidget(picker_);
    right->addWidget(whereUsedCheck_);
    right->addWidget(whereUsedLabel_);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(picker_, &MetatilePicker::pressed, this, &AreaWorkspace::selectMetatileAt);
    connect(mapView_, &MapView::mapPressed, this, [this](QPoint pixel, Qt::MouseButton) { pressMap(pixel); });
    connect(mapView_, &MapView::mapMoved, this, &AreaWorkspace::strokeTo);
    connect(mapView_, &MapView::mapReleased, this, [this](QPoint, Qt::MouseButton) { endStroke(); });
    connect(nightCheck_, &QCheckBox::clicked, this, &AreaWorkspace::nightToggled);

    GridLines& grid = mapView_->grid();
    connect(gridPanel_, &GridPanel::noneClicked, this, [this, &grid] {
        grid.showNone();
        mapView_->refreshGrid();
    });
    connect(gridPanel_, &GridPanel::metatileClicked, this, [this, &grid](bool shown) {
        grid.showMetatileGrid(shown);
        mapView_->refreshGrid();
    });
    connect(gridPanel_, &GridPanel::screenClicked, this, [this, &grid](bool shown) {
        grid.showScreenGrid(shown);
        mapView_->refreshGrid();
    });
    connect(gridPanel_, &GridPanel::blueLevelChanged, this, [this, &grid](int value) {
        grid.setBlueLevel(value);
        mapView_->refreshGrid();
    });
}

bool AreaWorkspace::nightChecked() const
{
    return nightCheck_->isChecked();
}

void AreaWorkspace::showPalette()
{
    const session::LoadedArea* area = document_.area();
    if (!area)
        return;
    std::array<std::uint32_t, 32> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = gfx::nesColorToRgb(area->palette[i], area->mask);
    paletteStrip_->showPalette(area->palette, colours);
}

void AreaWorkspace::showPictures()
{
    const session::LoadedArea* area = document_.area();
    picker_->setPicture(area ? toImage(area->chooser) : QImage());
    showMap();
}

void AreaWorkspace::showMap()
{
    const session::LoadedArea* area = document_.area();
    if (!area) {
        mapView_->setPicture(QImage());
        return;
    }
    // The view composes what it shows from the loaded area at each paint.
    mapView_->setPicture(QSize(area->mapWidth(), area->mapHeight()), [this](const QRect& rect) {
        const session::LoadedArea* shown = document_.area();
        if (!shown)
            return QImage();
        return toImage(shown->mapRegion(rect.x(), rect.y(), rect.width(), rect.height()));
    });
}

void AreaWorkspace::rebuildGrid()
{
    const session::LoadedArea* area = document_.area();
    if (!area)
        return;
    mapView_->grid().build(area->map.screensWide, area->map.screensHigh, gridPanel_->showMetatile(),
                           gridPanel_->showScreen());
    mapView_->refreshGrid();
}

void AreaWorkspace::showArea()
{
    showPalette();
    showPictures();
    const session::LoadedArea* area = document_.area();
    if (!area)
        return;
    mapView_->setupScrollBars(area->map.screensWide, area->map.screensHigh);
    rebuildGrid();
    refreshWhereUsed(true);
    selectMetatileAt(QPoint(0, 0));
}

void AreaWorkspace::showGraphicsEdits()
{
    showPalette();
    showPictures();
    // The selection keeps its number; its picture shows the new graphics.
    picker_->showSelection(selectedMetatile_,
                           QPoint((selectedMetatile_ & 7) * 32, (selectedMetatile_ / 8) * 32));
    refreshWhereUsed(true);
}

void AreaWorkspace::showRestoredArea()
{
    showGraphicsEdits();
    rebuildGrid();
}

void AreaWorkspace::selectMetatileAt(QPoint pixel)
{
    emit mapModeRequested();
    const session::LoadedArea* area = document_.area();
    if (!area)
        return;
    int n = (pixel.y() / 32) * 8 + pixel.x() / 32;
    QPoint block((pixel.x() / 32) * 32, (pixel.y() / 32) * 32);
    const int limit = area->metatileLimit;
    if (n >= limit - 1) {
        // Past the object set's last metatile: the last one is chosen, and
        // with no metatile to choose at all, metatile 0.
        n = std::max(limit - 2, 0);
        block = QPoint((n & 7) * 32, (n / 8) * 32);
    }
    selectedMetatile_ = n;
    picker_->showSelection(n, block);
    refreshWhereUsed(false);
}

void AreaWorkspace::pressMap(QPoint mapPixel)
{
    if (!document_.area())
        return;
    runGuarded(dialogs_, this, [&] {
        switch (pressAction_) {
        case PressAction::Paint:
            if (brush_ && !stroking_) {
                stroking_ = true;
                strokeLast_ = mapPixel;
                emit strokeBegun();
            }
            if (document_.paintCell(mapPixel.x(), mapPixel.y(), static_cast<std::uint8_t>(selectedMetatile_)))
                showMap();
            emit imageEdited();
            break;
        case PressAction::Pointer: {
            const auto answer = dialogs_.askText(this, QString::fromLatin1(kPointerPrompt), QString());
            if (!answer)
                return;
            const auto pointer = session::parsePointerAnswer(answer->toStdString());
            if (!pointer)
                return;
            document_.setScreenPointerAt(mapPixel.x(), mapPixel.y(), *pointer);
            showMap();
            emit imageEdited();
            break;
        }
        case PressAction::Nothing:
            break;
        }
    });
}

} // namespace quarry::ui

namespace quarry::ui {

void AreaWorkspace::strokeTo(QPoint mapPixel)
{
    if (!stroking_ || pressAction_ != PressAction::Paint || !document_.area())
        return;
    // Every cell along the way, sampled finer than a cell so none is skipped.
    const QPoint delta = mapPixel - strokeLast_;
    const int steps = std::max(1, std::max(std::abs(delta.x()), std::abs(delta.y())) / 8);
    const QRect picture(0, 0, document_.area()->mapWidth(), document_.area()->mapHeight());
    bool painted = false;
    const bool ok = runGuarded(dialogs_, this, [&] {
        QPoint lastCell(-1, -1);
        for (int i = 1; i <= steps; ++i) {
            const QPoint at = strokeLast_ + delta * i / steps;
            const QPoint cell(at.x() / 32, at.y() / 32);
            if (!picture.contains(at) || cell == lastCell)
                continue;
            lastCell = cell;
            const auto& map = document_.area()->map;
            const std::size_t index = map.cellIndex(at.x() / 256, at.y() / 224, (at.y() % 224) / 32, (at.x() % 256) / 32);
            if (map.mapGrid[index] == selectedMetatile_)
                continue;
            painted |= document_.paintCell(at.x(), at.y(), static_cast<std::uint8_t>(selectedMetatile_));
        }
    });
    strokeLast_ = mapPixel;
    if (painted)
        showMap();
    if (painted || !ok)
        emit imageEdited();
    if (!ok)
        endStroke();
}

void AreaWorkspace::endStroke()
{
    if (!stroking_)
        return;
    stroking_ = false;
    emit strokeEnded();
}

} // namespace quarry::ui

namespace quarry::ui {

void AreaWorkspace::setWhereUsedShown(bool shown)
{
    if (whereUsedCheck_->isChecked() != shown) {
        whereUsedCheck_->setChecked(shown); // comes back here through the box's signal
        return;
    }
    if (whereUsed_.shown() == shown)
        return;
    whereUsed_.setShown(shown);
    whereUsedLabel_->setVisible(shown);
    refreshWhereUsed(true);
    emit whereUsedToggled(shown);
}

void AreaWorkspace::refreshWhereUsed(bool recount)
{
    const session::LoadedArea* area = document_.area();
    if (!whereUsed_.shown() || !area) {
        // Nothing is counted while hidden; showing counts afresh.
        whereUsed_.clear();
        picker_->setCounts({});
        whereUsedLabel_->clear();
        mapView_->viewport()->update();
        return;
    }
    runGuarded(dialogs_, this, [&] {
        if (recount) {
            whereUsed_.recount(document_.rom(), area->id.objectSet, std::max(area->metatileLimit - 1, 0));
            picker_->setCounts(whereUsed_.offeredCounts());
        }
        whereUsed_.highlight(area->map, selectedMetatile_);
        whereUsedLabel_->setText(whereUsed_.summary());
    });
    mapView_->viewport()->update();
}

} // namespace quarry::ui
