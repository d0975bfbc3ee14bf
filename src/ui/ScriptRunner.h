#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <vector>

namespace quarry::ui {

// What the Run Script dialog asks for.
struct ScriptRequest {
    QString script;
    QStringList arguments;
    QString writeFolder; // empty: the script may write no files
    QString submap;      // "SET:AREA:SUBMAP[:night]" to start on, or empty
};

// Runs a script in a child `quarry-cli run` on a copy of the image's bytes,
// so that Cancel can always end it, whatever the script is doing. Output and
// errors arrive as they are printed.
class ScriptRunner : public QObject {
    Q_OBJECT

public:
    // `tool` is the quarry-cli to run, `datDir` the side-data folder.
    ScriptRunner(QString tool, QString datDir, QObject* parent = nullptr);
    ~ScriptRunner() override;

    // `file` is the whole image file (header and body) as it is now.
    void start(const ScriptRequest& request, const std::vector<std::uint8_t>& file);
    // Ends the child; finished() then reports a cancelled run.
    void cancel();
    bool running() const;

signals:
    void output(const QString& text, bool error);
    // `ok`: the script ended well and `image` is the whole image file it
    // left; `stepName` names its step. Otherwise `message` says why.
    void finished(bool ok, const QByteArray& image, const QString& stepName, const QString& message);

private:
    void childEnded(int exitCode, QProcess::ExitStatus status);
    void fail(const QString& message);

    QString tool_;
    QString datDir_;
    QProcess* process_ = nullptr;
    std::unique_ptr<QTemporaryDir> folder_;
    bool cancelled_ = false;
};

} // namespace quarry::ui
