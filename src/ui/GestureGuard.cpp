#include "ui/GestureGuard.h"

#include "core/session/Document.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

namespace quarry::ui {

GestureGuard::GestureGuard(session::Document& document, QObject* parent) : QObject(parent), document_(document)
{
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            interrupt();
    });
}

GestureGuard::~GestureGuard()
{
    unwatch();
}

void GestureGuard::begin(QWidget* owner, const QString& name, std::function<void()> cut)
{
    interrupt();
    document_.beginGesture(name.toStdString());
    cut_ = std::move(cut);
    if (owner) {
        window_ = owner->window();
        window_->installEventFilter(this);
    }
}

void GestureGuard::end()
{
    unwatch();
    cut_ = {};
    document_.endGesture();
}

void GestureGuard::interrupt()
{
    const bool wasOpen = document_.gestureOpen() || cut_;
    // The step is taken first, so whatever the owner does on hearing of
    // the cut is a step of its own.
    std::function<void()> cut = std::move(cut_);
    cut_ = {};
    unwatch();
    document_.endGesture();
    if (wasOpen && cut)
        cut();
}

bool GestureGuard::open() const
{
    return document_.gestureOpen();
}

bool GestureGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Hide:
        case QEvent::Close:
        case QEvent::WindowBlocked:
        case QEvent::WindowDeactivate: interrupt(); break;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void GestureGuard::unwatch()
{
    if (window_)
        window_->removeEventFilter(this);
    window_ = nullptr;
}

} // namespace quarry::ui
