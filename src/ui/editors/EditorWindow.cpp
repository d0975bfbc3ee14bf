#include "ui/editors/EditorWindow.h"

#include "ui/RomDocument.h"

#include <QCloseEvent>

namespace quarry::ui {

EditorWindow::EditorWindow(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), dialogs_(dialogs)
{
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        if (editing_)
            imageChanged(change);
    });
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (editing_ && !finishEditing()) {
        event->ignore();
        return;
    }
    editing_ = false;
    event->accept();
}

} // namespace quarry::ui
