// The main window's safety net: undo and redo with their history view, the
// modified mark in the caption, "Save changes?" and Save As.
#include "ui/MainWindow.h"

#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/Dialogs.h"
#include "ui/Texts.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QUndoStack>
#include <QUndoView>

namespace quarry::ui {

void MainWindow::buildHistoryActions()
{
    QUndoStack* stack = history_->stack();
    undoAction_ = new QAction(QString::fromLatin1(texts::kMenuUndo), this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(QString::fromLatin1(texts::kMenuRedo), this);
    redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undoAction_, redoAction_}) {
        // The editor windows are windows of their own; their edits are
        // taken back from there as well.
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setEnabled(false);
    }
    connect(undoAction_, &QAction::triggered, this, &MainWindow::undoStep);
    connect(redoAction_, &QAction::triggered, this, &MainWindow::redoStep);
    connect(stack, &QUndoStack::canUndoChanged, this, &MainWindow::refreshUndoEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undoAction_, [this](const QString& step) {
        undoAction_->setText(step.isEmpty() ? QString::fromLatin1(texts::kMenuUndo)
                                            : QString::fromLatin1(texts::kMenuUndo) + QLatin1Char(' ') + step);
    });
    connect(stack, &QUndoStack::redoTextChanged, redoAction_, [this](const QString& step) {
        redoAction_->setText(step.isEmpty() ? QString::fromLatin1(texts::kMenuRedo)
                                            : QString::fromLatin1(texts::kMenuRedo) + QLatin1Char(' ') + step);
    });

    historyAction_ = new QAction(QString::fromLatin1(texts::kMenuHistory), this);
    connect(historyAction_, &QAction::triggered, this, &MainWindow::showUndoHistory);

    saveAsAction_ = new QAction(QString::fromLatin1(texts::kMenuSaveAs), this);
    saveAsAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    saveAsAction_->setEnabled(false);
    connect(saveAsAction_, &QAction::triggered, this, &MainWindow::saveFileAs);
}

bool MainWindow::isModified() const
{
    return history_->isModified();
}

void MainWindow::refreshUndoEnabled()
{
    undoAction_->setEnabled(history_->stack()->canUndo() || (paletteEditor_ && paletteEditor_->isEditing())
                            || (metatileEditor_ && metatileEditor_->isEditing())
                            || (spriteEditor_ && spriteEditor_->isEditing()));
}

void MainWindow::updateCaption()
{
    setWindowTitle(history_->isModified() ? QLatin1Char('*') + fileCaption_ : fileCaption_);
}

void MainWindow::writeEditorCopies()
{
    if (paletteEditor_ && paletteEditor_->isEditing())
        paletteEditor_->writeEdits();
    if (metatileEditor_ && metatileEditor_->isEditing())
        metatileEditor_->writeEdits();
    if (spriteEditor_ && spriteEditor_->isEditing())
        spriteEditor_->writeEdits();
}

void MainWindow::undoStep()
{
    writeEditorCopies();
    history_->stack()->undo();
}

void MainWindow::redoStep()
{
    writeEditorCopies();
    history_->stack()->redo();
}

void MainWindow::showUndoHistory()
{
    if (!historyView_) {
        historyView_ = new QUndoView(history_->stack(), this);
        historyView_->setWindowFlag(Qt::Window);
        historyView_->setWindowTitle(QString::fromLatin1(texts::kHistoryTitle));
        historyView_->setEmptyLabel(QString::fromLatin1(texts::kHistoryStart));
        historyView_->resize(260, 320);
        // A click or key in the list moves through the history: the
        // editors' working copies become steps of it first.
        historyView_->installEventFilter(this);
        historyView_->viewport()->installEventFilter(this);
    }
    historyView_->show();
    historyView_->raise();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (historyView_ && (watched == historyView_ || watched == historyView_->viewport())
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        writeEditorCopies();
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::settleUnsavedChanges()
{
    if (!history_->isModified())
        return true;
    switch (dialogs_.askSaveChanges(this, QString::fromLatin1(texts::kSaveChanges))) {
    case SaveChoice::Save: return saveFile();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
    }
    return false;
}

bool MainWindow::saveFileAs()
{
    bool saved = false;
    runGuarded(dialogs_, this, [&] {
        if (document_.romPath().empty()) {
            dialogs_.showMessage(this, texts::kLoadAFile);
            return;
        }
        const QString folder = QFileInfo(QString::fromStdString(document_.romPath())).absolutePath();
        const QString path = dialogs_.chooseSaveFile(this, folder, texts::kOpenFilter);
        if (path.isEmpty())
            return;
        writeEditorCopies();
        const rom::SaveResult result = document_.saveAs(path.toStdString());
        saved = result == rom::SaveResult::Written;
        if (saved) {
            history_->markSaved();
            fileCaption_ = QStringLiteral("%1 [%2]").arg(texts::kTitle, QFileInfo(path).fileName());
            updateCaption();
        }
        dialogs_.showMessage(this, saveResultText(result));
    });
    return saved;
}

void MainWindow::showRestoredImage(const session::Document::Restored& result)
{
    if (!result.areaReloaded) {
        // The bytes are back, but the loaded submap can no longer be read:
        // the views show no area rather than one the image does not hold.
        loadedNode_.clear();
        statusPointers_ = {};
        refreshStatusBar();
        workspace_->showArea();
        world_->showArea();
    } else if (document_.area()) {
        workspace_->showRestoredArea();
        world_->showRestoredArea();
    }
    if (!result.problem.empty())
        dialogs_.showMessage(this, QString::fromLatin1(texts::kAreaNotShown) + QString::fromStdString(result.problem));

    // Every open editor shows the image again, so none keeps a copy that
    // would write old bytes over the restored ones when it closes.
    if (paletteEditor_)
        paletteEditor_->reloadFromImage();
    if (metatileEditor_)
        metatileEditor_->reloadFromImage();
    if (spriteEditor_)
        spriteEditor_->reloadFromImage();
    if (textEditor_ && textEditor_->isVisible())
        textEditor_->reloadFromImage();
    if (globalProperties_ && globalProperties_->isVisible())
        runGuarded(dialogs_, this, [this] { globalProperties_->setupEditor(); });
    if (mapInfo_ && mapInfo_->isVisible() && document_.area())
        runGuarded(dialogs_, this, [this] { mapInfo_->initInfo(); });
}

} // namespace quarry::ui
