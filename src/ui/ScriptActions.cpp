#include "ui/ScriptActions.h"
#include "ui/shell/CommandPlaces.h"

#include "core/patch/PatchFile.h"
#include "core/session/BodyReplace.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/SessionSafety.h"
#include "ui/RunScriptDialog.h"
#include "ui/ScriptConsole.h"
#include "ui/Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QTimer>

namespace quarry::ui {

namespace {

constexpr const char* kRecentKey = "scripts/recent";
constexpr const char* kFolderKey = "scripts/writeFolder";
constexpr int kProgressDelayMs = 500;
constexpr const char* kImageMoved = "The image changed while the script ran; its result was not applied.";

} // namespace

ScriptActions::ScriptActions(MainWindow& window, session::Document& document, Dialogs& dialogs, const QString& datDir)
    : QObject(&window), window_(window), document_(document), dialogs_(dialogs)
{
    CommandTable& commands = window.commands();
    run_ = commands.add({.caption = "Run &Script...",
                         .tip = "Run a Lua script on the open image as one step of the history",
                         .place = places::kScripts,
                         .run = [this] { runScript(); }});
    auto follow = [this, table = &commands] { run_->setEnabled(table->imageOpen() && !runner_->running()); };
    connect(&commands, &CommandTable::imageOpenChanged, this, follow);

    console_ = new ScriptConsole(&window);
    window.addDockWidget(Qt::BottomDockWidgetArea, console_);
    console_->hide();
    const QString tool = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quarry-cli"));
    runner_ = new ScriptRunner(tool, datDir, this);
    connect(runner_, &ScriptRunner::output, console_, &ScriptConsole::append);
    connect(runner_, &ScriptRunner::finished, this, &ScriptActions::finish);
    progressDelay_ = new QTimer(this);
    progressDelay_->setSingleShot(true);
    progressDelay_->setInterval(kProgressDelayMs);
    connect(progressDelay_, &QTimer::timeout, this, [this] {
        progress_ = new QProgressDialog(QStringLiteral("Running the script..."), QStringLiteral("Cancel"), 0, 0, &window_);
        progress_->setWindowTitle(QStringLiteral("Run Script"));
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(0);
        connect(progress_, &QProgressDialog::canceled, runner_, &ScriptRunner::cancel);
        progress_->show();
    });
    askRequest_ = [this] { return askWithDialog(); };
    follow();
}

QStringList ScriptActions::recentScripts() const
{
    return applicationSettings().value(QString::fromLatin1(kRecentKey)).toStringList();
}

std::optional<ScriptRequest> ScriptActions::askWithDialog()
{
    RunScriptDialog dialog(dialogs_, recentScripts(), applicationSettings().value(QString::fromLatin1(kFolderKey)).toString(),
                           &window_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

void ScriptActions::remember(const ScriptRequest& request)
{
    QStringList recent = recentScripts();
    const QString path = QFileInfo(request.script).absoluteFilePath();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentScripts)
        recent.removeLast();
    QSettings settings = applicationSettings();
    settings.setValue(QString::fromLatin1(kRecentKey), recent);
    settings.setValue(QString::fromLatin1(kFolderKey), request.writeFolder);
}

void ScriptActions::runScript()
{
    if (runner_->running() || !document_.romLoaded())
        return;
    std::optional<ScriptRequest> request = askRequest_();
    if (!request || request->script.isEmpty())
        return;
    // The script starts on the submap the editor shows.
    if (const session::LoadedArea* area = document_.area())
        request->submap = QStringLiteral("%1:%2:%3%4")
                              .arg(area->id.objectSet)
                              .arg(area->id.area)
                              .arg(area->id.submap)
                              .arg(area->night ? QStringLiteral(":night") : QString());
    remember(*request);
    // A gesture still open ends first, so the script sees every edit.
    document_.endGesture();
    sentBody_ = document_.rom().body();
    console_->show();
    console_->begin(request->script);
    run_->setEnabled(false);
    progressDelay_->start();
    // The journal reaches the disk before a run whose result will land.
    window_.safety()->beforeRiskyStep();
    runner_->start(*request, patch::imageFileBytes(document_.rom()));
}

void ScriptActions::finish(bool ok, const QByteArray& image, const QString& stepName, const QString& message)
{
    progressDelay_->stop();
    if (progress_) {
        progress_->deleteLater();
        progress_ = nullptr;
    }
    run_->setEnabled(window_.commands().imageOpen());
    runGuarded(dialogs_, &window_, [&] {
        if (!ok) {
            dialogs_.showMessage(&window_, message);
            return;
        }
        if (document_.rom().body() != sentBody_) {
            dialogs_.showMessage(&window_, QString::fromLatin1(kImageMoved));
            return;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.constData());
        const std::size_t header = document_.rom().header().size();
        if (static_cast<std::size_t>(image.size()) < header)
            throw std::runtime_error("the script's result is no image; nothing was changed");
        const std::vector<std::uint8_t> body(bytes + header, bytes + image.size());
        if (body != document_.rom().body())
            session::replaceBody(document_, body, stepName.toStdString());
    });
    emit runEnded();
}

} // namespace quarry::ui
