#include "ui/MainWindow.h"

#include "core/rom/Hex.h"
#include "core/world/AreaCatalogue.h"
#include "ui/ActionGuard.h"
#include "ui/AreaTree.h"
#include "ui/PatchActions.h"
#include "ui/AreaWorkspace.h"
#include "ui/Dialogs.h"
#include "ui/Icons.h"
#include "ui/MainWindowExtras.h"
#include "ui/Texts.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/StairPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
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

namespace {

constexpr std::size_t index(Command command)
{
    return static_cast<std::size_t>(command);
}

constexpr std::size_t index(EditMode mode)
{
    return static_cast<std::size_t>(mode);
}

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, QString datDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), datDir_(std::move(datDir)),
      history_(std::make_unique<UndoHistory>(document_))
{
    fileCaption_ = texts::kNoFileCaption;
    updateCaption();
    connect(history_.get(), &UndoHistory::modifiedChanged, this, &MainWindow::updateCaption);
    connect(history_.get(), &UndoHistory::restored, this, &MainWindow::showRestoredImage);
    buildToolBar();
    buildViews();
    buildStatusBar();
    buildMenus();
    extras_ = new MainWindowExtras(*this, dialogs_);
    patches_ = new PatchActions(*this, document_, dialogs_);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addCommand(Command command, const QString& tip, int iconKind, const QKeySequence& shortcut)
{
    QAction* action = toolBar_->addAction(commandIcon(static_cast<IconKind>(iconKind)), tip);
    action->setToolTip(tip);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    commands_[index(command)] = action;
    return action;
}

void MainWindow::buildToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Commands"));
    toolBar_->setObjectName(QStringLiteral("frameMenubar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));

    connect(addCommand(Command::Open, texts::kTipOpen, int(IconKind::Open), QKeySequence::Open),
            &QAction::triggered, this, &MainWindow::openFile);
    connect(addCommand(Command::Save, texts::kTipSave, int(IconKind::Save), QKeySequence::Save),
            &QAction::triggered, this, &MainWindow::saveFile);
    toolBar_->addSeparator();
    connect(addCommand(Command::TextEditor, texts::kTipTextEditor, int(IconKind::Text)), &QAction::triggered, this,
            &MainWindow::openTextEditor);
    connect(addCommand(Command::MetatileEditor, texts::kTipMetatileEditor, int(IconKind::Background)),
            &QAction::triggered, this, &MainWindow::openMetatileEditor);
    connect(addCommand(Command::PaletteEditor, texts::kTipPaletteEditor, int(IconKind::Palette)),
            &QAction::triggered, this, &MainWindow::openPaletteEditor);
    connect(addCommand(Command::SpriteEditor, texts::kTipSpriteEditor, int(IconKind::Sprite)), &QAction::triggered,
            this, &MainWindow::openSpriteEditor);
    connect(addCommand(Command::GlobalProperties, texts::kTipGlobalProperties, int(IconKind::Global)),
            &QAction::triggered, this, &MainWindow::openGlobalProperties);
    connect(addCommand(Command::MapInfo, texts::kTipMapInfo, int(IconKind::MapInfo)), &QAction::triggered, this,
            &MainWindow::openMapInfo);
    toolBar_->addSeparator();
    connect(addCommand(Command::EraseMap, texts::kTipEraseMap, int(IconKind::Erase)), &QAction::triggered, this,
            &MainWindow::eraseMap);
    connect(addCommand(Command::Exit, texts::kTipExit, int(IconKind::Exit), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &MainWindow::exitProgram);
    toolBar_->addSeparator();

    modeGroup_ = new QActionGroup(this);
    modeGroup_->setExclusive(true);
    const struct {
        EditMode mode;
        const char* caption;
        const char* tip;
    } modes[] = {
        {EditMode::Map, texts::kModeMap, texts::kTipModeMap},
        {EditMode::Actor, texts::kModeActor, texts::kTipModeActor},
        {EditMode::Stair, texts::kModeStair, texts::kTipModeStair},
        {EditMode::Pointer, texts::kModePointer, texts::kTipModePointer},
        {EditMode::Solidity, texts::kModeSolidity, texts::kTipModeSolidity},
    };
    for (const auto& entry : modes) {
        QAction* action = toolBar_->addAction(QString::fromLatin1(entry.caption));
        action->setToolTip(QString::fromLatin1(entry.tip));
        action->setCheckable(true);
        modeGroup_->addAction(action);
        const EditMode mode = entry.mode;
        connect(action, &QAction::triggered, this, [this, mode] { setEditMode(mode); });
        modes_[index(mode)] = action;
    }
    modes_[index(EditMode::Map)]->setChecked(true);
}

void MainWindow::buildViews()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);

    areaTree_ = new AreaTree(central);
    areaTree_->setMinimumWidth(170);
    layout->addWidget(areaTree_);
    views_.push_back(areaTree_);
    connect(areaTree_, &AreaTree::nodeClicked, this, &MainWindow::loadArea);

    workspace_ = new AreaWorkspace(document_, dialogs_, central);
    layout->addWidget(workspace_, 1);
    views_.push_back(workspace_);
    connect(workspace_, &AreaWorkspace::mapModeRequested, this, [this] { setEditMode(EditMode::Map); });
    connect(workspace_, &AreaWorkspace::nightToggled, this, [this] { loadArea(currentNode_); });

    // The actor list with its properties, the stair list and the doors.
    auto* panels = new QVBoxLayout;
    actorPanel_ = new ActorPanel(central);
    stairPanel_ = new StairPanel(central);
    doorsPanel_ = new DoorsPanel(central);
    panels->addWidget(actorPanel_, 3);
    panels->addWidget(stairPanel_, 2);
    panels->addWidget(doorsPanel_);
    layout->addLayout(panels);
    for (QWidget* view : std::initializer_list<QWidget*>{actorPanel_, stairPanel_})
        views_.push_back(view);
    actorPanel_->setMinimumWidth(220);
    world_ = new WorldController(document_, dialogs_, datDir_,
                                 {workspace_->mapView(), actorPanel_, stairPanel_, doorsPanel_}, this);
    connect(world_, &WorldController::actorModeRequested, this, [this] { setEditMode(EditMode::Actor); });
    connect(world_, &WorldController::stairModeRequested, this, [this] { setEditMode(EditMode::Stair); });

    setCentralWidget(central);
}

void MainWindow::buildStatusBar()
{
    for (std::size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i] = new QLabel(this);
        statusPanels_[i]->setObjectName(QStringLiteral("status%1").arg(i + 1));
        statusBar()->addWidget(statusPanels_[i]);
    }
    statusBar()->setSizeGripEnabled(true);
}

void MainWindow::startUp()
{
    updateCaption();
    if (!rom::loadCharTable(datDir_.toStdString(), document_.sideData().charTable))
        dialogs_.showMessage(this, texts::kTblMissing);
    if (!rom::loadNameLists(datDir_.toStdString(), document_.sideData().partNames, document_.sideData().weaponNames))
        dialogs_.showMessage(this, texts::kDatMissing);
    startFolder_ = QCoreApplication::applicationDirPath();
    setCommandsEnabled(false);
    setViewsEnabled(false);
    statusPointers_ = {};
    refreshStatusBar();
}

bool MainWindow::isAvailable(Command command) const
{
    switch (command) {
    case Command::Open:
    case Command::Save:
    case Command::EraseMap:
    case Command::TextEditor:
    case Command::GlobalProperties:
    case Command::MapInfo:
    case Command::Exit:
    case Command::MetatileEditor:
    case Command::PaletteEditor:
    case Command::SpriteEditor:
        return true;
    default:
        // The editor windows and map commands arrive with their own features.
        return false;
    }
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    for (Command command : {Command::Save, Command::TextEditor, Command::MetatileEditor, Command::PaletteEditor,
                            Command::SpriteEditor, Command::GlobalProperties, Command::MapInfo, Command::EraseMap})
        commands_[index(command)]->setEnabled(enabled && isAvailable(command));
    for (QAction* mode : modes_)
        mode->setEnabled(enabled);
    saveAsAction_->setEnabled(enabled);
}

void MainWindow::setViewsEnabled(bool enabled)
{
    for (QWidget* view : views_)
        view->setEnabled(enabled);
}

void MainWindow::refreshStatusBar()
{
    const char* labels[4] = {texts::kStatusMap, texts::kStatusActors, texts::kStatusStairs, texts::kStatusPalette};
    for (std::size_t i = 0; i < statusPanels_.size(); ++i)
        statusPanels_[i]->setText(QString::fromLatin1(labels[i])
                                  + QString::fromStdString(hexDigits(statusPointers_[i], 4)));
}

void MainWindow::setEditMode(EditMode mode)
{
    editMode_ = mode;
    modes_[index(mode)]->setChecked(true);
    switch (mode) {
    case EditMode::Map: workspace_->setPressAction(AreaWorkspace::PressAction::Paint); break;
    case EditMode::Pointer: workspace_->setPressAction(AreaWorkspace::PressAction::Pointer); break;
    default: workspace_->setPressAction(AreaWorkspace::PressAction::Nothing); break;
    }
    world_->enterMode(mode == EditMode::Actor   ? WorldController::Markers::Actors
                      : mode == EditMode::Stair ? WorldController::Markers::Stairs
                                                : WorldController::Markers::None);
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
    currentNode_ = key;
    const std::optional<rom::AreaId> id = world::parseSubmapKey(key.toStdString());
    if (!id)
        return;
    const bool loaded = runGuarded(dialogs_, this, [&] { document_.loadArea(*id, workspace_->nightChecked()); });
    if (!loaded) {
        // The previous submap stays loaded and stays the one the tree shows.
        currentNode_ = loadedNode_;
        selectNode(loadedNode_);
        return;
    }
    loadedNode_ = key;
    const rom::ResolvedArea& pointers = document_.area()->pointers;
    statusPointers_ = {pointers.mapPointer, pointers.actorPointer, pointers.stairPointer, pointers.palettePointer};
    workspace_->showArea();
    // Actors, type choices, stairs and doors; the selections go back to 0.
    world_->showArea();
    refreshStatusBar();
    setEditMode(EditMode::Map);
}

void MainWindow::refreshGraphicsEdits()
{
    refreshUndoEnabled();
    if (!document_.area())
        return;
    if (runGuarded(dialogs_, this, [this] { document_.refreshGraphicsEdits(); }))
        workspace_->showGraphicsEdits();
}

void MainWindow::eraseMap()
{
    if (currentNode_.contains(QStringLiteral("objset"))) {
        dialogs_.showMessage(this, texts::kSelectAnArea);
        return;
    }
    if (!document_.area() || !dialogs_.askYesNo(this, texts::kEraseConfirm))
        return;
    runGuarded(dialogs_, this, [this] { document_.eraseMap(); });
    // The document reloaded the erased submap: show it whatever node is selected.
    workspace_->showArea();
    world_->showArea();
    setEditMode(EditMode::Map);
}

void MainWindow::openFile()
{
    runGuarded(dialogs_, this, [this] {
        // Unsaved work is settled before the user picks another file.
        writeEditorCopies();
        if (!settleUnsavedChanges())
            return;
        const QString path = dialogs_.chooseOpenFile(this, startFolder_, texts::kOpenFilter);
        if (path.isEmpty()) {
            document_.setRomLoaded(false);
            return;
        }
        openSettledPath(path);
    });
}

void MainWindow::openPath(const QString& path)
{
    runGuarded(dialogs_, this, [&] {
        writeEditorCopies();
        if (settleUnsavedChanges())
            openSettledPath(path);
    });
}

void MainWindow::openSettledPath(const QString& path)
{
    runGuarded(dialogs_, this, [&] {
        // The editors hold the open image's data: they finish with it before
        // another image can take its place (the text editor may be kept open
        // by the user, which cancels the open).
        if (!closeEditors())
            return;
        const rom::OpenResult result = document_.open(path.toStdString());
        QString message;
        switch (result) {
        case rom::OpenResult::Loaded:
            // The closing editors' last writes belonged to the old image.
            history_->clear();
            fileCaption_ = QStringLiteral("%1 [%2]").arg(texts::kTitle, QFileInfo(path).fileName());
            updateCaption();
            document_.sideData().actorTypes = rom::loadActorTypes(datDir_.toStdString());
            setCommandsEnabled(true);
            setViewsEnabled(true);
            areaTree_->fill();
            // An open text editor shows the new image's texts.
            if (textEditor_ && textEditor_->isVisible())
                textEditor_->setupEditor();
            loadedNode_.clear();
            statusPointers_ = {};
            refreshStatusBar();
            workspace_->showArea();
            world_->showArea();
            if (const QList<QTreeWidgetItem*> nodes = areaTree_->nodesInOrder(); nodes.size() >= 3) {
                areaTree_->setCurrentItem(nodes[2]);
                setEditMode(EditMode::Map);
                loadArea(AreaTree::keyOf(nodes[2]));
            }
            message = texts::kLoaded;
            break;
        case rom::OpenResult::ReadFailed:
        case rom::OpenResult::NotRegularFile:
        case rom::OpenResult::TooLarge: message = texts::kErrorLoading; break;
        case rom::OpenResult::NotInes: message = texts::kInvalidRom; break;
        case rom::OpenResult::TooShort: message = texts::kTooShort; break;
        default: message = texts::kUnknownError; break;
        }
        dialogs_.showMessage(this, message);
    });
}

QString MainWindow::saveResultText(rom::SaveResult result) const
{
    switch (result) {
    case rom::SaveResult::Written: return texts::kSaved;
    case rom::SaveResult::NotRegularFile: return texts::kNotRegularFile;
    case rom::SaveResult::InPlaceFailed: {
        QString text = texts::kSaveFailedInPlace;
        if (!document_.backupPath().empty())
            text += ' ' + QString::fromLatin1(texts::kBackupHolds).arg(QString::fromStdString(document_.backupPath()));
        return text;
    }
    case rom::SaveResult::WriteFailed:
    case rom::SaveResult::BackupFailed: break;
    }
    return texts::kSaveFailed;
}

bool MainWindow::saveFile()
{
    bool saved = false;
    runGuarded(dialogs_, this, [&] {
        if (!document_.romLoaded()) {
            dialogs_.showMessage(this, texts::kLoadAFile);
            return;
        }
        // The editors' working copies are part of what the user saves.
        writeEditorCopies();
        rom::SaveResult result = document_.save();
        if (result == rom::SaveResult::BackupFailed) {
            if (!dialogs_.askSaveOrCancel(this, texts::kBackupQuestion))
                return;
            result = document_.save({}, true);
        }
        saved = result == rom::SaveResult::Written;
        if (saved)
            history_->markSaved();
        dialogs_.showMessage(this, saveResultText(result));
    });
    return saved;
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    writeEditorCopies();
    if (!settleUnsavedChanges() || !closeEditors()) {
        event->ignore();
        return;
    }
    event->accept();
}

QAction* MainWindow::commandAction(Command command) const
{
    return commands_[index(command)];
}

QAction* MainWindow::modeAction(EditMode mode) const
{
    return modes_[index(mode)];
}

QString MainWindow::statusText(int panel) const
{
    return statusPanels_.at(static_cast<std::size_t>(panel))->text();
}

} // namespace quarry::ui
