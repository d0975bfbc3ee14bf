#include "ui/SessionSafety.h"
#include "ui/shell/CommandPlaces.h"

#include "ui/DiskWatcher.h"
#include "ui/MainWindow.h"
#include "ui/PlayTest.h"
#include "ui/PreferencesDialog.h"
#include "ui/RecoveryKeeper.h"

#include <QAction>
#include <QMenu>

namespace quarry::ui {

SessionSafety::SessionSafety(MainWindow& window, session::Document& document, UndoHistory& history,
                             Dialogs& dialogs)
    : QObject(&window), window_(window), keeper_(new RecoveryKeeper(document, history, this)),
      watcher_(new DiskWatcher(window, document, dialogs)), playTest_(new PlayTest(window, document, dialogs))
{
    preferencesAction_ = window.commands().add({.caption = "&Preferences...",
                                                .keys = QKeySequence::keyBindings(QKeySequence::Preferences),
                                                .place = places::kPreferences,
                                                .needsImage = false,
                                                .run = [this] { showPreferences(); }});
    preferencesAction_->setMenuRole(QAction::PreferencesRole);
}

void SessionSafety::fileMatchesImage()
{
    keeper_->fileMatchesImage();
    watcher_->fileMatchesImage();
}

void SessionSafety::beforeRiskyStep()
{
    keeper_->flushNow();
}

bool SessionSafety::confirmOverwrite()
{
    return watcher_->confirmOverwrite();
}

void SessionSafety::closing()
{
    keeper_->discard();
}

void SessionSafety::showPreferences()
{
    if (!preferences_)
        preferences_ = new PreferencesDialog(&window_);
    preferences_->load();
    preferences_->open();
}

} // namespace quarry::ui
