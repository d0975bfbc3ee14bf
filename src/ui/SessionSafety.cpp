#include "ui/SessionSafety.h"

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
    preferencesAction_ = new QAction(QStringLiteral("&Preferences..."), this);
    preferencesAction_->setShortcut(QKeySequence::Preferences);
    preferencesAction_->setMenuRole(QAction::PreferencesRole);
    connect(preferencesAction_, &QAction::triggered, this, &SessionSafety::showPreferences);
    QMenu* edit = window.menu(Menu::Edit);
    edit->addSeparator();
    edit->addAction(preferencesAction_);
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
