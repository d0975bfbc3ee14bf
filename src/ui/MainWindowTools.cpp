// The main window's map tools, registered in one place, and the view
// commands that go with the map.
#include "ui/MainWindow.h"

#include "ui/AreaWorkspace.h"
#include "ui/MapBlockActions.h"
#include "ui/RomDocument.h"
#include "ui/StatusLine.h"
#include "ui/WorldController.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/shell/FileDrops.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/shell/MapZoomActions.h"
#include "ui/shell/TypingGuard.h"
#include "ui/tools/MapEditTools.h"
#include "ui/tools/MarkerTool.h"
#include "ui/tools/ToolManager.h"

#include <QAction>

namespace quarry::ui {

void MainWindow::buildTools()
{
    tools_ = new ToolManager(*workspace_->mapView(), this);
    blocks_ = new MapBlockActions(*live_, dialogs_, *workspace_, *tools_,
                                  {static_cast<int>(EditMode::Select), static_cast<int>(EditMode::Fill),
                                   static_cast<int>(EditMode::Pick), static_cast<int>(EditMode::Paste)},
                                  this);
    connect(blocks_, &MapBlockActions::statusMessage, this, [this](const QString& text) { statusLine_->setNote(text); });
    const auto painted = [this](const session::Document::CellEdit& edit) { blocks_->cellsWritten(edit); };
    // Every tool, with where its button sits; each carries its own
    // caption, name and key. Paste is chosen by Edit > Paste only.
    struct Registration {
        EditMode mode;
        std::unique_ptr<MapTool> tool;
        std::optional<Placement> button;
    };
    Registration tools[] = {
        {EditMode::Map, std::make_unique<PaintTool>(*live_, dialogs_, *workspace_, painted), places::kModes},
        {EditMode::Actor, std::make_unique<MarkerTool>(*world_, WorldController::Markers::Actors), places::kModes},
        {EditMode::Stair, std::make_unique<MarkerTool>(*world_, WorldController::Markers::Stairs), places::kModes},
        {EditMode::Pointer, std::make_unique<PointerTool>(*live_, dialogs_, *workspace_), places::kModes},
        {EditMode::Solidity, std::make_unique<ViewOnlyTool>(), places::kModes},
        {EditMode::Select, blocks_->makeSelectTool(), places::kBlockTools},
        {EditMode::Fill, blocks_->makeFillTool(), places::kBlockTools},
        {EditMode::Pick, blocks_->makePickTool(), places::kBlockTools},
        {EditMode::Paste, blocks_->makeStampTool(), std::nullopt},
    };
    for (Registration& entry : tools) {
        QAction* button = tools_->addTool(static_cast<int>(entry.mode), std::move(entry.tool));
        if (entry.button)
            commands_->adopt(button, *entry.button);
    }
    for (QAction* action : blocks_->editActions())
        commands_->adopt(action, places::kBlocks);
    // The tool keys are plain letters: typing in a box or a list keeps them.
    new TypingGuard(*this);
}

void MainWindow::buildViewActions()
{
    zoom_ = new MapZoomActions(*commands_, *workspace_->mapView());
    QAction* whereUsed = commands_->add({.caption = "&Where Used",
                                         .tip = "Show how many map cells use each metatile",
                                         .place = places::kViewLayers,
                                         .checkable = true});
    connect(whereUsed, &QAction::toggled, workspace_, &AreaWorkspace::setWhereUsedShown);
    connect(workspace_, &AreaWorkspace::whereUsedToggled, whereUsed, &QAction::setChecked);
    commands_->adopt(blocks_->sharedScreensAction(), places::kViewLayers);
    brushAction_ = commands_->add({.caption = "&Brush Painting",
                                   .tip = "Paint every cell a drag crosses in map mode",
                                   .place = places::kBrush,
                                   .icon = IconKind::Brush,
                                   .checkable = true});
    connect(brushAction_, &QAction::toggled, workspace_, &AreaWorkspace::setBrush);
    hover_ = new MapHover(*this, *statusLine_);
    exports_ = new MapExports(*this, dialogs_);
    new FileDrops(*this);
    // A double-click on the chooser edits that metatile.
    connect(workspace_, &AreaWorkspace::metatileEditRequested, this, [this](int metatile) {
        openEditor(Command::MetatileEditor);
        if (MetatileEditor* editor = metatileEditor(); editor && editor->isEditing())
            editor->selectMetatile(metatile);
    });
}

void MainWindow::followDocument(const session::Change& change)
{
    refreshStatusBar();
    if (change.origin == session::Change::Origin::Open) {
        setCommandsEnabled(true);
        setViewsEnabled(true);
    }
    if (change.showsAnew())
        setEditMode(EditMode::Map);
}

} // namespace quarry::ui
