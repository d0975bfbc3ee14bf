#include "ui/map/ViewLayers.h"

#include "ui/AreaWorkspace.h"
#include "ui/WorldController.h"
#include "ui/map/MapView.h"
#include "ui/map/SolidityLayer.h"
#include "ui/panels/GridPanel.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/shell/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>

namespace quarry::ui {

namespace {

QAction* layerAction(CommandTable& commands, const char* text, const char* name, const char* tip)
{
    auto* action = new QAction(QString::fromLatin1(text), &commands);
    // A row of the View menu like the others; a layer can be chosen before
    // an image is open.
    commands.adopt(action, places::kViewLayers, false);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromLatin1(tip));
    action->setStatusTip(QString::fromLatin1(tip));
    action->setCheckable(true);
    return action;
}

} // namespace

ViewLayers::ViewLayers(CommandTable& commands, RomDocument& document, WorldController& world, AreaWorkspace& workspace,
                       QAction* sharedScreens, QObject* parent)
    : QObject(parent)
{
    // Straight in the View menu, where the remembered desk finds them.
    CommandTable* layers = &commands;
    actors_ = layerAction(*layers, "&Actors in Every Mode", "layerActors",
                          "Show the actors over the map in every mode (they are dragged in Actor Edit Mode only)");
    stairs_ = layerAction(*layers, "S&tairs in Every Mode", "layerStairs",
                          "Show the stairs over the map in every mode (they are dragged in Stair Edit Mode only)");
    grid_ = layerAction(*layers, "&Grid", "layerGrid", "Show the grid chosen in the Grid frame");
    sharedScreens->setObjectName(QStringLiteral("layerSharedScreens")); // a row of its own already
    solidity_ = layerAction(*layers, "Soli&dity", "layerSolidity",
                            "Tint each cell by its metatile's solidity under the object set's thresholds");

    connect(actors_, &QAction::toggled, this,
            [&world](bool shown) { world.setShownEverywhere(WorldController::Markers::Actors, shown); });
    connect(stairs_, &QAction::toggled, this,
            [&world](bool shown) { world.setShownEverywhere(WorldController::Markers::Stairs, shown); });
    solidityLayer_ = new SolidityLayer(document, *workspace.mapView(), this);
    connect(solidity_, &QAction::toggled, solidityLayer_, &SolidityLayer::setShown);
    connectGrid(workspace);
}

void ViewLayers::connectGrid(AreaWorkspace& workspace)
{
    // The Grid layer and the Grid frame's choice say the same: off is
    // "None", on brings back the grid chosen last (the metatile grid at first).
    GridPanel* panel = workspace.gridPanel();
    grid_->setChecked(!panel->noneButton()->isChecked());
    connect(grid_, &QAction::toggled, panel, [this, panel](bool shown) {
        if (!shown && !panel->noneButton()->isChecked())
            panel->noneButton()->click();
        else if (shown && panel->noneButton()->isChecked())
            (screenGridLast_ ? panel->screenButton() : panel->metatileButton())->click();
    });
    const auto follow = [this](bool shown) {
        const QSignalBlocker blocker(grid_);
        grid_->setChecked(shown);
    };
    connect(panel, &GridPanel::noneClicked, this, [follow] { follow(false); });
    connect(panel, &GridPanel::metatileClicked, this, [this, follow](bool checked) {
        screenGridLast_ = false;
        follow(checked);
    });
    connect(panel, &GridPanel::screenClicked, this, [this, follow](bool checked) {
        screenGridLast_ = true;
        follow(checked);
    });
}

} // namespace quarry::ui
