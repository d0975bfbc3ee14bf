#include "ui/ScriptRunner.h"

#include <QFile>
#include <QFileInfo>

namespace quarry::ui {

namespace {

constexpr const char* kCancelled = "The script was cancelled; nothing was changed.";

} // namespace

ScriptRunner::ScriptRunner(QString tool, QString datDir, QObject* parent)
    : QObject(parent), tool_(std::move(tool)), datDir_(std::move(datDir))
{
}

ScriptRunner::~ScriptRunner()
{
    if (process_) {
        process_->disconnect(this);
        process_->kill();
        process_->waitForFinished(1000);
    }
}

bool ScriptRunner::running() const
{
    return process_ != nullptr;
}

void ScriptRunner::fail(const QString& message)
{
    emit finished(false, {}, {}, message);
}

void ScriptRunner::start(const ScriptRequest& request, const std::vector<std::uint8_t>& file)
{
    if (process_)
        return;
    cancelled_ = false;
    folder_ = std::make_unique<QTemporaryDir>();
    QFile image(folder_->filePath(QStringLiteral("image.nes")));
    if (!folder_->isValid() || !image.open(QIODevice::WriteOnly)
        || image.write(reinterpret_cast<const char*>(file.data()), static_cast<qint64>(file.size()))
               != static_cast<qint64>(file.size())) {
        fail(QStringLiteral("The image could not be copied for the script: %1").arg(image.errorString()));
        return;
    }
    image.close();

    QStringList words{QStringLiteral("--dat"), datDir_, QStringLiteral("run"), QStringLiteral("-o"),
                      folder_->filePath(QStringLiteral("result.nes")), QStringLiteral("--step-file"),
                      folder_->filePath(QStringLiteral("step.txt"))};
    if (!request.submap.isEmpty())
        words << QStringLiteral("--load") << request.submap;
    if (!request.writeFolder.isEmpty())
        words << QStringLiteral("--allow-write") << request.writeFolder;
    words << request.script << image.fileName() << request.arguments;

    process_ = new QProcess(this);
    // Relative paths in the script start from its own folder.
    process_->setWorkingDirectory(QFileInfo(request.script).absolutePath());
    connect(process_, &QProcess::readyReadStandardOutput, this,
            [this] { emit output(QString::fromUtf8(process_->readAllStandardOutput()), false); });
    connect(process_, &QProcess::readyReadStandardError, this,
            [this] { emit output(QString::fromUtf8(process_->readAllStandardError()), true); });
    connect(process_, &QProcess::finished, this, &ScriptRunner::childEnded);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            const QString message = QStringLiteral("%1 could not be started: %2").arg(tool_, process_->errorString());
            process_->deleteLater();
            process_ = nullptr;
            fail(message);
        }
    });
    process_->start(tool_, words);
}

void ScriptRunner::cancel()
{
    if (!process_)
        return;
    cancelled_ = true;
    process_->kill();
}

void ScriptRunner::childEnded(int exitCode, QProcess::ExitStatus status)
{
    emit output(QString::fromUtf8(process_->readAllStandardOutput()), false);
    emit output(QString::fromUtf8(process_->readAllStandardError()), true);
    process_->deleteLater();
    process_ = nullptr;
    if (cancelled_) {
        fail(QString::fromLatin1(kCancelled));
        return;
    }
    if (status != QProcess::NormalExit || exitCode != 0) {
        fail(QStringLiteral("The script failed; nothing was changed. Its messages are in the script console."));
        return;
    }
    QFile result(folder_->filePath(QStringLiteral("result.nes")));
    QFile step(folder_->filePath(QStringLiteral("step.txt")));
    if (!result.open(QIODevice::ReadOnly) || !step.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("The script's result could not be read; nothing was changed."));
        return;
    }
    const QByteArray image = result.readAll();
    const QString name = QString::fromUtf8(step.readAll());
    folder_.reset();
    emit finished(true, image, name, {});
}

} // namespace quarry::ui
