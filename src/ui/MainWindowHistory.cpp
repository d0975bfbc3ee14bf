// The main window's safety net: undo and redo with their history view, the
// modified mark in the caption, "Save changes?" and Save As.
#include "ui/MainWindow.h"

#include "core/world/AreaCatalogue.h"
#include "ui/ActionGuard.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/RomDocument.h"
#include "ui/StatusLine.h"
#include "ui/SessionSafety.h"
#include "ui/Texts.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/tools/ToolManager.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>
#include <QPushButton>
#include <QKeyEvent>
#include <QUndoView>
#include <QVBoxLayout>

namespace quarry::ui {

void MainWindow::buildHistoryActions()
{
    saveAsAction_ = commands_->add({.caption = texts::kMenuSaveAs,
                                    .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                                    .place = places::kFileMenuOnly,
                                    .run = [this] { saveFileAs(); }});
    undoAction_ = commands_->add({.caption = texts::kMenuUndo, .keys = {QKeySequence(Qt::CTRL | Qt::Key_Z)},
                                  .place = places::kHistory, .needsImage = false, .run = [this] { undoStep(); }});
    redoAction_ = commands_->add(
        {.caption = texts::kMenuRedo,
         .keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         .place = places::kHistory,
         .needsImage = false,
         .run = [this] { redoStep(); }});
    historyAction_ = commands_->add(
        {.caption = texts::kMenuHistory, .place = places::kHistory, .run = [this] { showUndoHistory(); }});

    QUndoStack* stack = history()->stack();
    for (QAction* action : {undoAction_, redoAction_}) {
        // The editor windows are windows of their own; their edits are
        // taken back from there as well.
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setEnabled(false);
    }
    connect(stack, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undoAction_, [this](const QString& step) {
        undoAction_->setText(step.isEmpty() ? QString::fromLatin1(texts::kMenuUndo)
                                            : QString::fromLatin1(texts::kMenuUndo) + QLatin1Char(' ') + step);
    });
    connect(stack, &QUndoStack::redoTextChanged, redoAction_, [this](const QString& step) {
        redoAction_->setText(step.isEmpty() ? QString::fromLatin1(texts::kMenuRedo)
                                            : QString::fromLatin1(texts::kMenuRedo) + QLatin1Char(' ') + step);
    });
}

bool MainWindow::isModified() const
{
    return history()->isModified() || live_->gestureChanged();
}

void MainWindow::updateCaption()
{
    // Everything the user changed is in the image: the history's clean
    // state, and a gesture in progress that already wrote.
    setWindowTitle(isModified() ? QLatin1Char('*') + fileCaption_ : fileCaption_);
}

void MainWindow::undoStep()
{
    tools_->interrupt();
    live_->undo();
}

void MainWindow::redoStep()
{
    tools_->interrupt();
    live_->redo();
}

QString MainWindow::statusNote() const
{
    return statusLine_->note();
}

void MainWindow::showUndoHistory()
{
    if (!historyView_) {
        // A small tool window: the list, a Close button, and Escape.
        historyWindow_ = new QWidget(this, Qt::Window);
        historyWindow_->setObjectName(QStringLiteral("undoHistory"));
        historyWindow_->setWindowTitle(QString::fromLatin1(texts::kHistoryTitle));
        historyView_ = new QUndoView(history()->stack(), historyWindow_);
        historyView_->setEmptyLabel(QString::fromLatin1(texts::kHistoryStart));
        auto* close = new QPushButton(QStringLiteral("Close"), historyWindow_);
        close->setObjectName(QStringLiteral("cmdClose"));
        connect(close, &QPushButton::clicked, historyWindow_, &QWidget::close);
        historyWindow_->installEventFilter(this);
        auto* layout = new QVBoxLayout(historyWindow_);
        layout->addWidget(historyView_);
        layout->addWidget(close, 0, Qt::AlignRight);
        historyWindow_->resize(260, 340);
    }
    historyWindow_->show();
    historyWindow_->raise();
    // The keyboard goes with it: arrows walk the steps, Escape closes it.
    historyWindow_->activateWindow();
    historyView_->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Escape closes the history window, as it does the other tool windows.
    if (watched == historyWindow_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        historyWindow_->close();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::settleUnsavedChanges()
{
    interruptGesture();
    if (!history()->isModified())
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
    interruptGesture();
    bool saved = false;
    runGuarded(dialogs_, this, [&] {
        if (document_.romPath().empty()) {
            dialogs_.showMessage(this, texts::kLoadAFile);
            return;
        }
        // The box proposes the image's own name, beside it.
        const QString proposed = QFileInfo(QString::fromStdString(document_.romPath())).absoluteFilePath();
        if (!confirmUnwrittenTexts())
            return;
        const QString path = dialogs_.chooseSaveFile(this, proposed, texts::kOpenFilter);
        if (path.isEmpty())
            return;
        rememberFolder(FileKind::Images, path);
        const rom::SaveResult result = document_.saveAs(path.toStdString());
        saved = result == rom::SaveResult::Written;
        if (saved) {
            history()->markSaved();
            safety_->fileMatchesImage();
            fileCaption_ = QStringLiteral("%1 [%2]").arg(texts::kTitle, QFileInfo(path).fileName());
            updateCaption();
        }
        dialogs_.showMessage(this, saveResultText(result));
    });
    return saved;
}

void MainWindow::reloadFile(const QString& path)
{
    openSettledPath(path);
}

void MainWindow::showRestored(const session::Document::Restored& result)
{
    // The bytes are back, but the loaded submap can no longer be read: the
    // views, following the document, show no area rather than one the
    // image does not hold.
    if (!result.areaReloaded)
        loadedNode_.clear();
    if (!result.problem.empty())
        dialogs_.showMessage(this, QString::fromLatin1(texts::kAreaNotShown) + QString::fromStdString(result.problem));

    if (result.name.empty())
        return; // not a step of the history (a patch applied)
    QString note = QString::fromLatin1(result.undone ? texts::kUndone : texts::kRedone)
                       .arg(QString::fromStdString(result.name));
    const session::LoadedArea* area = document_.area();
    if (result.area && (!area || !(area->id == *result.area))) {
        // The step belongs to another submap: show it there.
        const world::SubmapNode* node = world::findSubmap(*result.area);
        const QString key = node ? QString::fromStdString(node->key) : QString();
        if (!key.isEmpty()) {
            selectNode(key);
            loadArea(key);
        }
        area = document_.area();
        if (!area || !(area->id == *result.area))
            note += QString::fromLatin1(texts::kUndoneWhere)
                        .arg(result.area->objectSet)
                        .arg(result.area->area)
                        .arg(result.area->submap);
    }
    statusLine_->setNote(note);
}

} // namespace quarry::ui
