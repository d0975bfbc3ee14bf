// Opening another image and leaving the program: nothing closes before
// the user agreed, and a gesture in progress ends first as a step.
#include "ui/MainWindow.h"

#include "core/rom/DataFiles.h"
#include "ui/ActionGuard.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/DeskSettings.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/GestureGuard.h"
#include "ui/MapBlockActions.h"
#include "ui/map/SharedConsent.h"
#include "ui/RecentFiles.h"
#include "ui/RomDocument.h"
#include "ui/SessionSafety.h"
#include "ui/Texts.h"
#include "ui/UndoHistory.h"
#include "ui/WorldController.h"
#include "ui/editors/EditorWindow.h"
#include "ui/editors/TextEditor.h"
#include "ui/tools/ToolManager.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTreeWidget>

namespace quarry::ui {

void MainWindow::interruptGesture()
{
    tools_->interrupt();
    live_->gestures().interrupt();
}

bool MainWindow::settleBeforeClosing()
{
    interruptGesture();
    // The text editor's question about texts not yet written comes first;
    // the editors' last writes are then part of what "Save changes?" covers.
    for (const EditorSlot& slot : editors_)
        if (slot.window && slot.window->isVisible() && !slot.window->settleEdits())
            return false;
    return settleUnsavedChanges();
}

void MainWindow::openFile()
{
    runGuarded(dialogs_, this, [this] {
        if (!settleBeforeClosing())
            return;
        const QString path = dialogs_.chooseOpenFile(this, lastFolder(FileKind::Images), texts::kOpenFilter);
        // A cancelled choice leaves the open image and its windows open.
        if (!path.isEmpty())
            openSettledPath(path);
    });
}

void MainWindow::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        recent_->remove(path);
        dialogs_.showMessage(this, QString::fromLatin1(texts::kRecentGone).arg(QDir::toNativeSeparators(path)));
        return;
    }
    openPath(path);
}

void MainWindow::openPath(const QString& path)
{
    runGuarded(dialogs_, this, [&] {
        if (settleBeforeClosing())
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
        safety_->beforeRiskyStep();
        // The views follow the opening; the actor types are ready for them.
        document_.sideData().actorTypes = rom::loadActorTypes(datDir_.toStdString());
        const rom::OpenResult result = document_.open(path.toStdString());
        QString message;
        switch (result) {
        case rom::OpenResult::Loaded:
            // The closing editors' last writes belonged to the old image.
            history()->clear();
            safety_->fileMatchesImage();
            recent_->add(path);
            // The next Open starts in this image's folder.
            rememberFolder(FileKind::Images, path);
            fileCaption_ = QStringLiteral("%1 [%2]").arg(texts::kTitle, QFileInfo(path).fileName());
            updateCaption();
            loadedNode_.clear();
            // The first submap of the tree, or the one this image showed last.
            if (const QList<QTreeWidgetItem*> nodes = areaTree_->nodesInOrder(); nodes.size() >= 3)
                loadArea(desk_->submapToOpen(path, AreaTree::keyOf(nodes[2])));
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

bool MainWindow::confirmUnwrittenTexts()
{
    const TextEditor* texts = textEditor();
    const QString question = texts && texts->isVisible() ? texts->unwrittenQuestion() : QString();
    return question.isEmpty() || dialogs_.askYesNo(this, question);
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Everything is asked before any window closes, so Cancel keeps them all.
    if (!settleBeforeClosing() || !closeEditors()) {
        event->ignore();
        return;
    }
    safety_->closing();
    desk_->closing();
    event->accept();
}

} // namespace quarry::ui
