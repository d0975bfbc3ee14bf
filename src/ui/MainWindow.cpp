#include "ui/MainWindow.h"
#include "ui/HexText.h"

#include "core/rom/Hex.h"
#include "core/world/AreaCatalogue.h"
#include "ui/ActionGuard.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/CompareActions.h"
#include "ui/DeskSettings.h"
#include "ui/StartPage.h"
#include "ui/PatchActions.h"
#include "ui/ScriptActions.h"
#include "ui/RecentFiles.h"
#include "ui/RomDocument.h"
#include "ui/SessionSafety.h"
#include "ui/StatusLine.h"
#include "ui/Dialogs.h"
#include "ui/FileMessages.h"
#include "ui/GuardedDialogs.h"
#include "ui/Icons.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/Texts.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/editors/TextEditor.h"
#include "ui/tools/MapEditTools.h"
#include "ui/tools/MarkerTool.h"
#include "ui/MapBlockActions.h"
#include "ui/map/SharedConsent.h"
#include "ui/map/ViewLayers.h"
#include "ui/tools/ToolManager.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/StairPanel.h"
#include "ui/panels/SubmapInfoPanel.h"

#include <QAction>
#include <QMenu>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QTreeWidget>

#include <optional>

namespace quarry::ui {

MainWindow::MainWindow(Dialogs& dialogs, QString datDir, QWidget* parent)
    : QMainWindow(parent), guardedDialogs_(std::make_unique<GuardedDialogs>(dialogs)), dialogs_(*guardedDialogs_),
      datDir_(std::move(datDir)), live_(new RomDocument(document_, this))
{
    guardedDialogs_->setBeforeModal([this] { interruptGesture(); });
    // An open gesture's writes count as unsaved.
    connect(live_, &RomDocument::changed, this, &MainWindow::updateCaption);
    connect(live_, &RomDocument::pendingWrite, this, &MainWindow::updateCaption);
    fileCaption_ = texts::kNoFileCaption;
    updateCaption();
    connect(history(), &UndoHistory::modifiedChanged, this, &MainWindow::updateCaption);
    connect(history(), &UndoHistory::restored, this, &MainWindow::showRestored);
    buildCommands();
    buildViews();
    buildTools();
    buildStatusBar();
    buildViewActions();
    new ViewLayers(*commands_, *live_, *world_, *workspace_, blocks_->sharedScreensAction(), this);
    patches_ = new PatchActions(*this, document_, dialogs_);
    safety_ = new SessionSafety(*this, document_, *history(), dialogs_);
    scripts_ = new ScriptActions(*this, document_, dialogs_, datDir_);
    new CompareActions(*this, document_, dialogs_); // owned by the window
    desk_ = new DeskSettings(*this);
    new StartPage(*this, dialogs_); // owned by the window
    // Last, so the views have followed an opening or a load before the
    // window settles its mode and status bar.
    connect(live_, &RomDocument::changed, this, &MainWindow::followDocument);
}

MainWindow::~MainWindow()
{
    // The views listen to the document; they go before it does.
    delete live_;
}

UndoHistory* MainWindow::history() const
{
    return &live_->history();
}

QAction* MainWindow::addCommand(Command command, CommandRow row)
{
    QAction* action = commands_->add(row);
    commandActions_[command] = action;
    return action;
}

void MainWindow::buildViews()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);

    areaTree_ = new AreaTree(this);
    areaTree_->setMinimumWidth(170);
    areaTree_->fill(); // the catalogue's submaps, the same for every image
    // The tree with the loaded submap's information under it, as one panel.
    auto* treePanel = new QWidget(this);
    auto* treeColumn = new QVBoxLayout(treePanel);
    treeColumn->setContentsMargins(0, 0, 0, 0);
    treeColumn->addWidget(areaTree_, 1);
    addPanelDock(*this, treePanel, Qt::LeftDockWidgetArea, QStringLiteral("areaDock"), QStringLiteral("Areas"));
    views_.push_back(areaTree_);
    connect(areaTree_, &AreaTree::nodeClicked, this, &MainWindow::loadArea);

    workspace_ = new AreaWorkspace(*live_, dialogs_, central);
    layout->addWidget(workspace_, 1);
    views_.push_back(workspace_);
    auto* info = new SubmapInfoPanel(*live_, treePanel);
    treeColumn->addWidget(info);
    connect(workspace_, &AreaWorkspace::areaShown, info, &SubmapInfoPanel::refresh);
    // Choosing a metatile goes to Map Edit Mode, except while filling: the
    // fill takes the metatile chosen.
    connect(workspace_, &AreaWorkspace::mapModeRequested, this, [this] {
        if (editMode() != EditMode::Fill)
            setEditMode(EditMode::Map);
    });
    connect(workspace_, &AreaWorkspace::nightToggled, this, [this] { loadArea(currentNode_); });

    // The actor list with its properties, the stair list and the doors.
    auto* column = new QWidget(this);
    auto* panels = new QVBoxLayout(column);
    actorPanel_ = new ActorPanel(column);
    stairPanel_ = new StairPanel(column);
    doorsPanel_ = new DoorsPanel(column);
    panels->addWidget(actorPanel_, 3);
    panels->addWidget(stairPanel_, 2);
    workspace_->addBelowChooser(doorsPanel_);
    addPanelDock(*this, column, Qt::RightDockWidgetArea, QStringLiteral("panelDock"), QStringLiteral("Properties"));
    for (QWidget* view : std::initializer_list<QWidget*>{actorPanel_, stairPanel_})
        views_.push_back(view);
    for (QWidget* panel : std::initializer_list<QWidget*>{actorPanel_, stairPanel_})
        panel->setFixedWidth(240); // whatever the selection shows, the panels stay put
    world_ = new WorldController(*live_, dialogs_, datDir_,
                                 {workspace_->mapView(), actorPanel_, stairPanel_, doorsPanel_}, this);
    connect(world_, &WorldController::actorModeRequested, this, [this] { setEditMode(EditMode::Actor); });
    connect(world_, &WorldController::stairModeRequested, this, [this] { setEditMode(EditMode::Stair); });
    connect(doorsPanel_, &DoorsPanel::goTo, this, &MainWindow::loadArea);
    connect(world_, &WorldController::statusMessage, this, [this](const QString& text) { statusLine_->setNote(text); });

    setCentralWidget(central);
}

void MainWindow::buildStatusBar()
{
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i] = new QLabel(this);
        statusPanels_[i]->setObjectName(QStringLiteral("status%1").arg(i + 1));
        statusBar()->addWidget(statusPanels_[i]);
    }
    statusLine_ = new StatusLine(*statusBar(), *live_, *workspace_);
    statusBar()->setSizeGripEnabled(true);
}

void MainWindow::startUp()
{
    updateCaption();
    rom::ReadStatus table = rom::ReadStatus::Read;
    if (!rom::loadCharTable(datDir_.toStdString(), document_.sideData().charTable, &table))
        dialogs_.showMessage(this, charTableMessage(table, datDir_));
    if (!rom::loadNameLists(datDir_.toStdString(), document_.sideData().partNames, document_.sideData().weaponNames))
        dialogs_.showMessage(this, texts::kDatMissing);
    setCommandsEnabled(false);
    setViewsEnabled(false);
    refreshStatusBar();
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    commands_->setImageOpen(enabled);
}

void MainWindow::setViewsEnabled(bool enabled)
{
    for (QWidget* view : views_)
        view->setEnabled(enabled);
}

void MainWindow::refreshStatusBar()
{
    const char* labels[4] = {texts::kStatusMap, texts::kStatusActors, texts::kStatusStairs, texts::kStatusPalette};
    // The loaded area's map, actor, stair and palette addresses.
    std::array<std::uint32_t, 4> pointers{};
    if (const session::LoadedArea* area = document_.area())
        pointers = {area->pointers.mapPointer, area->pointers.actorPointer, area->pointers.stairPointer,
                    area->pointers.palettePointer};
    for (std::size_t i = 0; i < statusPanels_.size(); ++i)
        statusPanels_[i]->setText(QString::fromLatin1(labels[i]) + hexDigitsText(pointers[i], 4));
}

void MainWindow::setEditMode(EditMode mode)
{
    tools_->setCurrent(static_cast<int>(mode));
}

EditMode MainWindow::editMode() const
{
    return static_cast<EditMode>(tools_->current());
}

int MainWindow::currentActor() const
{
    return world_->currentActor();
}

int MainWindow::currentStair() const
{
    return world_->currentStair();
}

void MainWindow::selectNode(const QString& key)
{
    if (QTreeWidgetItem* item = areaTree_->findNode(key))
        areaTree_->setCurrentItem(item);
}

void MainWindow::loadArea(const QString& key)
{
    tools_->interrupt();
    currentNode_ = key;
    const std::optional<rom::AreaId> id = world::parseSubmapKey(key.toStdString());
    if (!id)
        return;
    const bool loaded = runGuarded(dialogs_, this, [&] { document_.loadArea(*id, workspace_->nightChecked()); });
    if (!loaded) {
        // The previous submap stays loaded and stays the one the tree shows,
        // and the Night box says what is shown.
        currentNode_ = loadedNode_;
        selectNode(loadedNode_);
        if (const session::LoadedArea* shown = document_.area())
            workspace_->nightCheck()->setChecked(shown->night);
        return;
    }
    loadedNode_ = key;
    // The tree's highlight names the submap on screen, however it was loaded.
    selectNode(key);
}

void MainWindow::eraseMap()
{
    if (world::namesObjectSet(currentNode_.toStdString())) {
        dialogs_.showMessage(this, texts::kSelectAnArea);
        return;
    }
    if (!document_.area() || !dialogs_.askYesNo(this, texts::kEraseConfirm)
        || !live_->mayWriteScreens(screensErased(document_.area()->map)))
        return;
    runGuarded(dialogs_, this, [this] { document_.eraseMap(); });
}

QString MainWindow::saveResultText(rom::SaveResult result) const
{
    return saveMessage(result, document_, document_.backupPath());
}

bool MainWindow::saveFile()
{
    interruptGesture();
    bool saved = false;
    runGuarded(dialogs_, this, [&] {
        if (!document_.romLoaded()) {
            dialogs_.showMessage(this, texts::kLoadAFile);
            return;
        }
        if (!confirmUnwrittenTexts())
            return;
        if (!safety_->confirmOverwrite())
            return;
        const std::string backupBefore = document_.backupPath();
        rom::SaveResult result = document_.save();
        if (result == rom::SaveResult::BackupFailed) {
            if (!dialogs_.askSaveOrCancel(this, backupQuestion(document_)))
                return;
            result = document_.save({}, true);
        }
        saved = result == rom::SaveResult::Written;
        if (saved) {
            history()->markSaved();
            safety_->fileMatchesImage();
        }
        dialogs_.showMessage(this, saveMessage(result, document_, backupBefore));
    });
    return saved;
}

QAction* MainWindow::commandAction(Command command) const
{
    const auto found = commandActions_.find(command);
    return found == commandActions_.end() ? nullptr : found->second;
}

QMenu* MainWindow::menu(Menu which) const
{
    return commands_->menu(which);
}

QAction* MainWindow::modeAction(EditMode mode) const
{
    return tools_->action(static_cast<int>(mode));
}

QString MainWindow::statusText(int panel) const
{
    return statusPanels_.at(static_cast<std::size_t>(panel))->text();
}

} // namespace quarry::ui
