// quarry-cli run: a Lua script over the document, headless.
#include "cli/Cli.h"
#include "cli/PngOutput.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "script/ScriptRun.h"

#include <QDir>
#include <QImageReader>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace quarry::cli {

namespace {

constexpr std::size_t kLargestScript = 16u << 20;
constexpr const char* kNothingWritten = "the script changed the image, but nothing was written: give -o OUT to keep "
                                        "its changes";

// The preview pictures' sizes from the dat folder, as the editor's markers
// take them (16 x 32 where there is no picture).
class CliScriptHost : public script::ScriptHost {
public:
    explicit CliScriptHost(QString datDir) : datDir_(std::move(datDir)) {}

    std::vector<std::uint8_t> encodePng(const gfx::Canvas& picture) override
    {
        const QByteArray bytes = cli::encodePng(picture);
        return {bytes.begin(), bytes.end()};
    }
    script::PictureSize actorPictureSize(int type) override
    {
        const QString hex = QStringLiteral("%1").arg(type & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
        return sizeOf(QStringLiteral("obj/obj%1.JPG").arg(hex), QStringLiteral("obj/objxx.JPG"));
    }
    script::PictureSize stairPictureSize(int upDown, int leftRight) override
    {
        return sizeOf(QStringLiteral("stair/%1%2.JPG").arg(upDown & 1).arg(leftRight & 1), QStringLiteral("stair/xx.JPG"));
    }

private:
    script::PictureSize sizeOf(const QString& name, const QString& fallback) const
    {
        const QDir dat(datDir_);
        for (const QString& candidate : {name, fallback}) {
            const QSize size = QImageReader(dat.filePath(candidate)).size();
            if (size.isValid() && !size.isEmpty())
                return {size.width(), size.height()};
        }
        return {16, 32};
    }
    QString datDir_;
};

// Ends the process at the time limit, for a library call (a long pattern
// match) that the count hook cannot interrupt. Nothing was written then:
// the image and the files are written only after the script has ended.
class Watchdog {
public:
    Watchdog(double seconds, std::string script)
        : thread_([this, seconds, script = std::move(script)] {
              std::unique_lock lock(mutex_);
              const auto limit = std::chrono::duration<double>(seconds);
              if (!ended_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fprintf(stderr, "quarry-cli: %s: the script ran longer than %g s and was stopped; nothing "
                                       "was written\n", script.c_str(), seconds);
                  std::fflush(stderr);
                  ::_exit(1);
              }
          })
    {
    }
    ~Watchdog() { finish(); }
    void finish()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread thread_;
};

script::RunOptions runOptions(const Arguments& arguments)
{
    script::RunOptions options;
    options.chunkName = arguments.positional[0].toStdString();
    for (qsizetype i = 2; i < arguments.positional.size(); ++i)
        options.args.push_back(arguments.positional[i].toStdString());
    if (arguments.values.count(QStringLiteral("--timeout"))) {
        bool ok = false;
        options.timeoutSeconds = arguments.value(QStringLiteral("--timeout")).toDouble(&ok);
        if (!ok || !(options.timeoutSeconds > 0) || options.timeoutSeconds > 1e6)
            throw UsageError("--timeout must be a number of seconds above 0");
    }
    if (arguments.values.count(QStringLiteral("--memory")))
        options.memoryBytes = static_cast<std::size_t>(
                                  parseNumber(arguments.value(QStringLiteral("--memory")), QStringLiteral("--memory"), 1, 65536))
                              << 20;
    if (arguments.values.count(QStringLiteral("--allow-write")))
        options.writeFolder = arguments.value(QStringLiteral("--allow-write")).toStdString();
    options.print = [](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    };
    return options;
}

int runScriptCommand(const Arguments& arguments)
{
    const QString script = arguments.positional[0], image = arguments.positional[1];
    const QString output = arguments.value(QStringLiteral("-o"));
    if (!output.isEmpty())
        checkOutputIsNotInput(image, output);
    script::RunOptions options = runOptions(arguments);
    const std::vector<std::uint8_t> source = readInputFile(script, kLargestScript);
    session::Document document;
    openDocument(document, image, arguments.datDir);
    // The editor starts its scripts on the submap it shows.
    if (arguments.values.count(QStringLiteral("--load"))) {
        const QStringList parts = arguments.value(QStringLiteral("--load")).split(QLatin1Char(':'));
        if (parts.size() < 3 || parts.size() > 4)
            throw UsageError("--load takes SET:AREA:SUBMAP or SET:AREA:SUBMAP:night");
        const rom::AreaId id{static_cast<int>(parseNumber(parts[0], QStringLiteral("SET"), 0, 5)),
                             static_cast<int>(parseNumber(parts[1], QStringLiteral("AREA"), 0, 23)),
                             static_cast<int>(parseNumber(parts[2], QStringLiteral("SUBMAP"), 0, 4))};
        document.loadArea(id, parts.size() == 4);
    }
    const QString stepFile = arguments.value(QStringLiteral("--step-file"));
    options.commit = [&](const session::Document& done, bool changed) {
        if (changed && output.isEmpty())
            throw RomError(kNothingWritten);
        if (!output.isEmpty())
            writeImage(output, done.rom());
    };
    CliScriptHost host(arguments.datDir);
    Watchdog watchdog(options.timeoutSeconds, options.chunkName);
    script::RunResult result =
        script::runScript(document, host, std::string_view(reinterpret_cast<const char*>(source.data()), source.size()),
                          options);
    watchdog.finish();
    if (!result.ok) {
        std::fprintf(stderr, "quarry-cli: %s\n", result.error.c_str());
        return 1;
    }
    // Said, not asked, as paint, fill and stamp say it.
    for (const std::string& note : result.reachNotes)
        std::fprintf(stderr, "%s\n", note.c_str());
    if (!stepFile.isEmpty()) {
        writeOutputFile(stepFile, std::span(reinterpret_cast<const std::uint8_t*>(result.stepName.data()),
                                            result.stepName.size()));
    }
    return 0;
}

} // namespace

void addScriptCommands(std::vector<Command>& table)
{
    Command run{QStringLiteral("run"),
                QStringLiteral("run [--timeout SECONDS] [--memory MIB] [--allow-write DIR] [-o OUT] SCRIPT.lua ROM "
                               "[ARG...]"),
                QStringLiteral("run a Lua script over the image (see docs/scripting.md)"),
                QStringLiteral(
                    "The options come before SCRIPT; every word after ROM goes to the script as\n"
                    "arg[1], arg[2], ... print writes to standard output. The edited image is\n"
                    "written to OUT only with -o; a script that changes the image without -o\n"
                    "fails and writes nothing. On an error the tool exits with 1, naming the\n"
                    "script's file and line, and writes nothing: neither OUT nor any file.\n"
                    "--timeout SECONDS  stop the script after this long (default 60)\n"
                    "--memory MIB       the most memory the script may take (default 256)\n"
                    "--allow-write DIR  the folder write_file, render and render_frame may write\n"
                    "                   into; without it they refuse\n"
                    "--step-file FILE   write the name of the script's step to FILE\n"
                    "--load SET:AREA:SUBMAP[:night]  start with this submap loaded"),
                {QStringLiteral("--timeout"), QStringLiteral("--memory"), QStringLiteral("--allow-write"),
                 QStringLiteral("-o"), QStringLiteral("--step-file"), QStringLiteral("--load")},
                {},
                2,
                runScriptCommand};
    run.trailingWords = true;
    table.push_back(std::move(run));
}

} // namespace quarry::cli
