#pragma once

#include "ui/Dialogs.h"

#include <exception>
#include <utility>

class QWidget;

namespace quarry::ui {

// Runs one user action and turns any failure into a message box: an
// exception must never leave a Qt slot. Returns false when the action failed.
template <typename Action>
bool runGuarded(Dialogs& dialogs, QWidget* parent, Action&& action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::exception& error) {
        dialogs.showMessage(parent, QString::fromUtf8(error.what()));
    } catch (...) {
        dialogs.showMessage(parent, QStringLiteral("Unknown Error!"));
    }
    return false;
}

} // namespace quarry::ui
