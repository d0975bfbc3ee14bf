#pragma once

#include "ui/ScriptRunner.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QProgressDialog;
class QTimer;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class MainWindow;
class ScriptConsole;

// Tools > Run Script...: runs a Lua script in a child quarry-cli on a copy
// of the open image, shows what it prints in the script console, and
// applies its result to the image as one step of the history named by the
// script. A progress dialog with Cancel shows after half a second.
class ScriptActions : public QObject {
    Q_OBJECT

public:
    static constexpr int kRecentScripts = 8;

    ScriptActions(MainWindow& window, session::Document& document, Dialogs& dialogs, const QString& datDir);

    void runScript();
    QAction* runAction() const { return run_; }
    ScriptConsole* console() const { return console_; }
    ScriptRunner* runner() const { return runner_; }
    QProgressDialog* progress() const { return progress_; }
    QStringList recentScripts() const;
    // Asks what to run; the Run Script dialog unless a test says otherwise.
    void setRequestSource(std::function<std::optional<ScriptRequest>()> source) { askRequest_ = std::move(source); }

signals:
    // A run ended, applied or not.
    void runEnded();

private:
    std::optional<ScriptRequest> askWithDialog();
    void remember(const ScriptRequest& request);
    void finish(bool ok, const QByteArray& image, const QString& stepName, const QString& message);

    MainWindow& window_;
    session::Document& document_;
    Dialogs& dialogs_;
    QAction* run_ = nullptr;
    ScriptConsole* console_ = nullptr;
    ScriptRunner* runner_ = nullptr;
    QTimer* progressDelay_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    std::vector<std::uint8_t> sentBody_; // the body the script was given
    std::function<std::optional<ScriptRequest>()> askRequest_;
};

} // namespace quarry::ui
