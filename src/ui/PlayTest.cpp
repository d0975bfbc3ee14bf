#include "ui/PlayTest.h"
#include "ui/shell/CommandPlaces.h"

#include "core/patch/Crc32.h"
#include "core/rom/RomImage.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/Settings.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>
#include <memory>

namespace quarry::ui {

namespace {

constexpr const char* kNoEmulator =
    "No emulator is set up. Install fceux, mednafen or nestopia, or name one in Edit > Preferences.";
constexpr const char* kCannotStart = "The emulator command \"%1\" could not start: %2";
constexpr const char* kEndedBadly = "The emulator command \"%1\" ended with a failure:\n%2";
constexpr const char* kNotWritten = "The play-test image could not be written to %1.";
// An emulator that ends within this time with a failure gets a message.
constexpr qint64 kEarlyEndMs = 2000;
constexpr qsizetype kErrorTail = 4000;

} // namespace

PlayTest::PlayTest(MainWindow& window, session::Document& document, Dialogs& dialogs)
    : QObject(&window), window_(window), document_(document), dialogs_(dialogs)
{
    action_ = window.commands().add({.caption = "Test in &Emulator",
                                     .tip = "Play the image as it is now, edits included, in the emulator",
                                     .keys = {QKeySequence(Qt::Key_F5)},
                                     .place = places::kOtherImages,
                                     .run = [this] { run(); }});
}

PlayTest::~PlayTest()
{
    for (const QString& path : std::as_const(written_))
        QFile::remove(path);
}

QString PlayTest::defaultCommand()
{
    for (const char* emulator : {"fceux", "mednafen", "nestopia"})
        if (!QStandardPaths::findExecutable(QString::fromLatin1(emulator)).isEmpty())
            return QString::fromLatin1(emulator) + QStringLiteral(" %f");
    return {};
}

QString PlayTest::command()
{
    const QString chosen = applicationSettings().value(QString::fromLatin1(kCommandKey)).toString().trimmed();
    return chosen.isEmpty() ? defaultCommand() : chosen;
}

QString PlayTest::imagePath() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/playtest");
    const std::string path = document_.romPath();
    const std::uint32_t id = patch::crc32({reinterpret_cast<const std::uint8_t*>(path.data()), path.size()});
    return QStringLiteral("%1/%2-%3.nes")
        .arg(folder, QFileInfo(QString::fromStdString(path)).completeBaseName())
        .arg(id, 8, 16, QLatin1Char('0'));
}

void PlayTest::run()
{
    runGuarded(dialogs_, &window_, [this] {
        if (!document_.romLoaded())
            return;
        const QString line = command();
        if (line.isEmpty()) {
            dialogs_.showMessage(&window_, QString::fromLatin1(kNoEmulator));
            return;
        }
        // A fresh file each time: whatever has the name (a link, an old
        // copy) goes first, so nothing is written through a link.
        const QString path = imagePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        std::error_code ec;
        std::filesystem::remove(path.toStdString(), ec);
        const rom::RomImage& image = document_.rom();
        std::vector<std::uint8_t> bytes(image.header().begin(), image.header().end());
        bytes.insert(bytes.end(), image.body().begin(), image.body().end());
        if (rom::saveFileBytes(path.toStdString(), bytes) != rom::SaveResult::Written) {
            dialogs_.showMessage(&window_, QString::fromLatin1(kNotWritten).arg(path));
            return;
        }
        if (!written_.contains(path))
            written_ << path;

        QStringList words = QProcess::splitCommand(line);
        bool named = false;
        for (QString& word : words)
            if (word.contains(QStringLiteral("%f"))) {
                word.replace(QStringLiteral("%f"), path);
                named = true;
            }
        if (!named)
            words << path;
        auto* process = new QProcess(this);
        process->setProgram(words.takeFirst());
        process->setArguments(words);
        process->setStandardOutputFile(QProcess::nullDevice());
        started(process, line);
    });
}

void PlayTest::started(QProcess* process, const QString& command)
{
    auto clock = std::make_shared<QElapsedTimer>();
    auto errors = std::make_shared<QByteArray>();
    connect(process, &QProcess::readyReadStandardError, process, [process, errors] {
        *errors += process->readAllStandardError();
        if (errors->size() > kErrorTail)
            *errors = errors->right(kErrorTail);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process, command](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed(QString::fromLatin1(kCannotStart).arg(command, process->errorString()));
            process->deleteLater();
        }
    });
    connect(process, &QProcess::finished, this,
            [this, process, command, clock, errors](int code, QProcess::ExitStatus status) {
                *errors += process->readAllStandardError();
                if (clock->elapsed() < kEarlyEndMs && (code != 0 || status != QProcess::NormalExit))
                    failed(QString::fromLatin1(kEndedBadly).arg(command, QString::fromLocal8Bit(*errors).trimmed()));
                process->deleteLater();
            });
    clock->start();
    process->start();
}

void PlayTest::failed(const QString& why)
{
    dialogs_.showMessage(&window_, why);
}

} // namespace quarry::ui
