#include "ui/shell/TypingGuard.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace quarry::ui {

TypingGuard::TypingGuard(QWidget& window) : QObject(&window), window_(window)
{
    // The shortcut's question goes to the focused widget, which the item
    // views do not answer: it is answered here for them.
    qApp->installEventFilter(this);
}

bool TypingGuard::takesTyping(const QWidget* widget)
{
    return qobject_cast<const QAbstractItemView*>(widget) || qobject_cast<const QLineEdit*>(widget)
           || qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget)
           || qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

bool TypingGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers chords = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool letter = !key->text().isEmpty() && key->text().at(0).isPrint() && !(key->modifiers() & chords);
    if (letter && widget->window() == &window_ && takesTyping(widget)) {
        // Accepted: the key goes to the widget as typing, not to a shortcut.
        key->accept();
        return true;
    }
    return false;
}

} // namespace quarry::ui
