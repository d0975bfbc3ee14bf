// Commands for trying the programs without a game image and for pictures of
// every map at once.
#include "cli/Cli.h"
#include "cli/PngOutput.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/session/DemoImage.h"
#include "core/session/LoadedArea.h"
#include "core/session/MapExport.h"

#include <QDir>

#include <cstdio>

namespace quarry::cli {

namespace {

int runMakeDemo(const Arguments& arguments)
{
    writeImage(arguments.output(), session::buildDemoImage());
    return 0;
}

int runRenderAll(const Arguments& arguments)
{
    const QString folder = arguments.output();
    const rom::RomImage image = openImage(arguments.positional[0]);
    if (!QDir().mkpath(folder))
        throw RomError("cannot create the folder " + folder.toStdString());
    const QDir dir(folder);
    const std::vector<session::MapExportJob> jobs = session::allMapExportJobs();
    int failed = 0;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        const session::MapExportJob& job = jobs[i];
        std::fprintf(stderr, "\rrendering %zu of %zu: %-24s", i + 1, jobs.size(), job.fileName.c_str());
        std::fflush(stderr);
        try {
            const session::LoadedArea area = session::readLoadedArea(image, job.id, job.night);
            writePng(dir.filePath(QString::fromStdString(job.fileName)), area.mapPicture());
        } catch (const RomError& error) {
            // One broken submap does not stop the others; it is named and counted.
            std::fprintf(stderr, "\n%s: %s\n", job.fileName.c_str(), error.what());
            ++failed;
        }
    }
    std::fprintf(stderr, "\n");
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
                                    "submap that cannot be read is reported and the others are still written."),
                     {QStringLiteral("-o")}, {}, 1, runRenderAll});
}

} // namespace quarry::cli
