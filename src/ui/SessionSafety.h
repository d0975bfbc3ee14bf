#pragma once

#include <QObject>

class QAction;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class DiskWatcher;
class MainWindow;
class PlayTest;
class PreferencesDialog;
class RecoveryKeeper;
class UndoHistory;

// What keeps a session from being lost: the recovery journal, the watch on
// the file for changes by others, play-testing and the preferences. The
// main window calls in at the few moments that concern them.
class SessionSafety : public QObject {
    Q_OBJECT

public:
    SessionSafety(MainWindow& window, session::Document& document, UndoHistory& history, Dialogs& dialogs);

    // An image was opened, saved or saved as: the file holds it as it is.
    void fileMatchesImage();
    // Before Open or a patch: the journal reaches the disk now.
    void beforeRiskyStep();
    // Before Save: false when the user chose not to write over changes
    // another program made.
    bool confirmOverwrite();
    // A clean exit: the journal and the play-test image go.
    void closing();
    void showPreferences();

    RecoveryKeeper* keeper() const { return keeper_; }
    DiskWatcher* watcher() const { return watcher_; }
    PlayTest* playTest() const { return playTest_; }
    PreferencesDialog* preferences() const { return preferences_; }
    QAction* preferencesAction() const { return preferencesAction_; }

private:
    MainWindow& window_;
    RecoveryKeeper* keeper_ = nullptr;
    DiskWatcher* watcher_ = nullptr;
    PlayTest* playTest_ = nullptr;
    PreferencesDialog* preferences_ = nullptr; // made on first use
    QAction* preferencesAction_ = nullptr;
};

} // namespace quarry::ui
