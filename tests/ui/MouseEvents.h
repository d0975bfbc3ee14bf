#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace quarry::test {

// Mouse gestures delivered straight to a widget, at widget positions (which
// may lie outside it, as while a button is held).
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

inline void move(QWidget* widget, QPoint at, Qt::MouseButtons held)
{
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

inline void release(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

inline void click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    press(widget, at, button);
    release(widget, at, button);
}

} // namespace quarry::test
