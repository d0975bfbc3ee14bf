#include "ui/editors/EditorWindow.h"

#include "ui/ActionGuard.h"
#include "ui/RomDocument.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace quarry::ui {

EditorWindow::EditorWindow(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), dialogs_(dialogs)
{
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        if (!editing_)
            return;
        const bool follows = change.origin == session::Change::Origin::Open
                             || (change.origin == session::Change::Origin::Load && needsArea());
        if (follows)
            followDocument();
        else if (!change.showsAnew())
            imageChanged(change);
    });
}

void EditorWindow::followDocument()
{
    const session::LoadedArea* area = document_.document().area();
    finishPending();
    bool shown = false;
    if (!needsArea() || area)
        runGuarded(dialogs_, this, [&] { shown = setUpFor(area); });
    if (!shown) {
        // Nothing of the new state to show: the window closes, its last
        // writes made already.
        setEditing(false);
        hide();
    }
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

void EditorWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QPushButton* EditorWindow::makeCloseButton()
{
    auto* button = new QPushButton(QStringLiteral("Close"), this);
    button->setObjectName(QStringLiteral("cmdClose"));
    connect(button, &QPushButton::clicked, this, &QWidget::close);
    return button;
}

} // namespace quarry::ui
