#include "ui/AreaWorkspace.h"

#include "core/gfx/NesColor.h"
#include "core/session/Document.h"
#include "core/gfx/ChooserGeometry.h"
#include "core/gfx/Metatiles.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/RomDocument.h"
#include "ui/map/MapView.h"
#include "ui/map/MetatilePicker.h"
#include "ui/map/PaletteStrip.h"
#include "ui/panels/GridPanel.h"
#include "ui/panels/Heading.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace quarry::ui {

AreaWorkspace::AreaWorkspace(RomDocument& document, Dialogs& dialogs, QWidget* parent)
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
    left->addWidget(headingLabel(QStringLiteral("Area Palette"), QStringLiteral("lblPaletteHeading"), this));
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
    connect(&document_, &RomDocument::changed, this, &AreaWorkspace::showChanges);
    mapView_->setOverlay(MapView::OverlayLayer::Highlight, [this](QPainter& painter) { whereUsed_.paint(painter); });

    auto* right = new QVBoxLayout;
    right->addWidget(headingLabel(QStringLiteral("Metatiles"), QStringLiteral("lblMetatilesHeading"), this));
    right->addWidget(picker_);
    right->addWidget(whereUsedCheck_);
    right->addWidget(whereUsedLabel_);
    right->addStretch();
    chooserColumn_ = right;

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(picker_, &MetatilePicker::pressed, this, &AreaWorkspace::selectMetatileAt);
    connect(picker_, &MetatilePicker::doubleClicked, this, [this](QPoint pixel) {
        selectMetatileAt(pixel);
        if (document_.document().area())
            emit metatileEditRequested(selectedMetatile_);
    });
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

void AreaWorkspace::addBelowChooser(QWidget* panel)
{
    chooserColumn_->addWidget(panel);
}

bool AreaWorkspace::nightChecked() const
{
    return nightCheck_->isChecked();
}

void AreaWorkspace::showPalette()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    std::array<std::uint32_t, 32> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = gfx::nesColorToRgb(area->palette[i], area->mask);
    paletteStrip_->showPalette(area->palette, colours);
}

void AreaWorkspace::showPictures()
{
    const session::LoadedArea* area = document_.document().area();
    picker_->setPicture(area ? toImage(area->chooser) : QImage());
    showMap();
}

void AreaWorkspace::showMap()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area) {
        mapView_->setPicture(QImage());
        return;
    }
    // The view composes what it shows from the loaded area at each paint.
    mapView_->setPicture(QSize(area->mapWidth(), area->mapHeight()), [this](const QRect& rect) {
        const session::LoadedArea* shown = document_.document().area();
        if (!shown)
            return QImage();
        return toImage(shown->mapRegion(rect.x(), rect.y(), rect.width(), rect.height()));
    });
}

void AreaWorkspace::rebuildGrid()
{
    const session::LoadedArea* area = document_.document().area();
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
    const session::LoadedArea* area = document_.document().area();
    if (!area) {
        emit areaShown();
        return;
    }
    mapView_->setupScrollBars(area->map.screensWide, area->map.screensHigh);
    rebuildGrid();
    refreshWhereUsed(true);
    selectMetatileAt(QPoint(0, 0));
    emit areaShown();
}

void AreaWorkspace::showGraphics()
{
    showPalette();
    showPictures();
    // The selection keeps its number; its picture shows the new graphics.
    picker_->showSelection(selectedMetatile_);
}

void AreaWorkspace::showChanges(const session::Change& change)
{
    const session::LoadedArea* area = document_.document().area();
    // Another submap or image, or the area could not be read again.
    if (!area || change.showsAnew()) {
        showArea();
        return;
    }
    if (change.kinds == session::kEverythingChanged) {
        // The map's size may have changed too.
        const bool resized = mapView_->pictureSize() != QSize(area->mapWidth(), area->mapHeight());
        showGraphics();
        if (resized)
            mapView_->setupScrollBars(area->map.screensWide, area->map.screensHigh);
        rebuildGrid();
    } else if (change.touches(session::kGraphicsKinds)) {
        showGraphics();
    } else if (change.touches(session::kMapChanged)) {
        mapView_->viewport()->update();
    } else {
        return;
    }
    refreshWhereUsed(true);
}

void AreaWorkspace::selectMetatileAt(QPoint pixel)
{
    emit mapModeRequested();
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    selectedMetatile_ = gfx::chosenMetatileAt(pixel.x(), pixel.y(), area->metatileLimit);
    picker_->showSelection(selectedMetatile_);
    refreshWhereUsed(false);
}

bool AreaWorkspace::chooseMetatile(int n)
{
    const session::LoadedArea* area = document_.document().area();
    if (!area || n < 0 || n > gfx::lastOfferedMetatile(area->metatileLimit))
        return false;
    selectedMetatile_ = n;
    picker_->showSelection(n);
    refreshWhereUsed(false);
    return true;
}

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
    const session::LoadedArea* area = document_.document().area();
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
            whereUsed_.recount(document_.document().rom(), area->id.objectSet,
                               gfx::offeredMetatileCount(area->metatileLimit));
            picker_->setCounts(whereUsed_.offeredCounts());
        }
        whereUsed_.highlight(area->map, selectedMetatile_);
        whereUsedLabel_->setText(whereUsed_.summary());
    });
    mapView_->viewport()->update();
}

} // namespace quarry::ui
