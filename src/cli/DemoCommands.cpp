// Commands for trying the programs without a game image and for pictures of
// every map at once.
#include "cli/Cli.h"
#include "cli/PngOutput.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/rom/FileAccess.h"
#include "core/demo/DemoImage.h"
#include "core/session/LoadedArea.h"
#include "core/session/MapExport.h"

#include <QDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

namespace quarry::cli {

namespace {

int runMakeDemo(const Arguments& arguments)
{
    writeImage(arguments.output(), demo::buildDemoImage());
    return 0;
}

int runRenderAll(const Arguments& arguments)
{
    const QString folder = arguments.output();
    const QString& input = arguments.positional[0];
    const rom::RomImage image = openImage(input);
    if (!QDir().mkpath(folder))
        throw RomError("cannot create the folder " + folder.toStdString());
    const QDir dir(folder);
    const std::vector<session::MapExportJob> jobs = session::allMapExportJobs();

    // Nearly all the time goes into PNG encoding, so every core takes jobs
    // from one counter. Each job writes its own file; the reports are kept
    // by job and printed in order at the end.
    std::vector<std::string> problems(jobs.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stopped{false};
    std::mutex progress;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size() && !stopped; i = next++) {
            const session::MapExportJob& job = jobs[i];
            try {
                const session::LoadedArea area = session::readLoadedArea(image, job.id, job.night);
                const QString path = dir.filePath(QString::fromStdString(job.fileName));
                checkOutputIsNotInput(input, path);
                const QByteArray png = encodePng(session::exportedMapPicture(area));
                const rom::SaveResult result = rom::writeBatchFile(
                    path.toStdString(), std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                                  static_cast<std::size_t>(png.size())));
                // A failed write means the disk or the folder is at fault: the
                // next pictures would fail alike, so the first one is told and
                // the rest are not tried.
                const bool fatal = result == rom::SaveResult::WriteFailed || result == rom::SaveResult::InPlaceFailed;
                if (result != rom::SaveResult::Written && !(fatal && stopped.exchange(true)))
                    problems[i] = rom::saveFailureText(result, path.toStdString());
            } catch (const std::exception& error) {
                // One broken submap does not stop the others; it is named and counted.
                problems[i] = job.fileName + ": " + error.what();
            }
            const std::lock_guard<std::mutex> lock(progress);
            std::fprintf(stderr, "\rrendering %zu of %zu", ++done, jobs.size());
            std::fflush(stderr);
        }
    };
    const unsigned helpers = std::max(1u, std::min(8u, std::thread::hardware_concurrency())) - 1;
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < helpers; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    std::fprintf(stderr, "\n");

    int failed = 0;
    for (const std::string& problem : problems) {
        if (!problem.empty()) {
            std::fprintf(stderr, "quarry-cli: %s\n", problem.c_str());
            ++failed;
        }
    }
    if (stopped)
        throw RomError("stopped after a failed write: " + std::to_string(jobs.size() - done) + " of "
                       + std::to_string(jobs.size()) + " maps were not rendered");
    if (failed > 0)
        throw RomError(std::to_string(failed) + " of " + std::to_string(jobs.size()) + " maps could not be rendered");
    return 0;
}

} // namespace

void addDemoCommands(std::vector<Command>& table)
{
    table.push_back({QStringLiteral("make-demo"), QStringLiteral("make-demo -o FILE.nes"),
                     QStringLiteral("write a demo image of our own to try the editor with"),
                     QStringLiteral("The image has the game's layout with procedurally drawn tiles, a map for\n"
                                    "every submap of the area catalogue, stairs, actors, sprites and texts."),
                     {QStringLiteral("-o")}, {}, 0, runMakeDemo});
    table.push_back({QStringLiteral("render-all"), QStringLiteral("render-all ROM -o DIR"),
                     QStringLiteral("every submap's map picture, day and night, as PNG files in DIR"),
                     QStringLiteral("Creates DIR when needed and writes KEY-day.png and KEY-night.png for each\n"
                                    "submap of the area catalogue, showing progress on standard error. A\n"
                                    "submap that cannot be read is reported and the others are still written;\n"
                                    "so is a name in DIR that is a link, which is not followed. The first\n"
                                    "failed write stops the rest."),
                     {QStringLiteral("-o")}, {}, 1, runRenderAll});
}

} // namespace quarry::cli
