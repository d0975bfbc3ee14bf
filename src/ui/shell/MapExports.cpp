#include "ui/shell/MapExports.h"

#include "core/session/LoadedArea.h"
#include "core/session/MapExport.h"
#include "ui/ActionGuard.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/MainWindow.h"
#include "ui/Texts.h"
#include "ui/shell/CommandPlaces.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace quarry::ui {

namespace {

constexpr const char* kPngFilter = "PNG picture (*.png)";

QByteArray pictureBytes(const gfx::Canvas& canvas)
{
    return pngBytes(toImage(canvas).convertToFormat(QImage::Format_RGB888));
}

} // namespace

MapExports::MapExports(MainWindow& window, Dialogs& dialogs) : QObject(&window), window_(window), dialogs_(dialogs)
{
    exportMap_ = window.commands().add(
        {.caption = "Export Map as PNG...", .place = places::kMapExports, .run = [this] { exportMap(); }});
    exportAll_ = window.commands().add(
        {.caption = "Export All Maps...", .place = places::kMapExports, .run = [this] { exportAllMaps(); }});
}

void MapExports::exportMap()
{
    const session::LoadedArea* area = window_.document().area();
    if (!area)
        return;
    const QString name = QString::fromStdString(session::mapExportFileName(area->id, area->night));
    const QString path = dialogs_.chooseSaveFile(&window_, proposedPath(FileKind::Pictures, name),
                                                 QString::fromLatin1(kPngFilter), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(dialogs_, &window_, [&] { writeOutputFile(path, pictureBytes(session::exportedMapPicture(*area))); });
}

int MapExports::exportAllMaps()
{
    if (!window_.document().romLoaded())
        return 0;
    const QString folder = dialogs_.chooseFolder(&window_, lastFolder(FileKind::Pictures));
    if (folder.isEmpty())
        return 0;
    rememberFolderItself(FileKind::Pictures, folder);
    const std::vector<session::MapExportJob> jobs = session::allMapExportJobs();
    const QDir dir(folder);
    QStringList names;
    for (const session::MapExportJob& job : jobs)
        names << dir.filePath(QString::fromStdString(job.fileName));
    if (!dialogs_.confirmReplacing(&window_, names))
        return 0;
    QProgressDialog progress(QStringLiteral("Exporting map pictures..."), QStringLiteral("Cancel"), 0,
                             static_cast<int>(jobs.size()), &window_);
    progress.setWindowTitle(QString::fromLatin1(texts::kTitle));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    int written = 0;
    QStringList failures;
    bool stopped = false;
    for (std::size_t i = 0; i < jobs.size() && !stopped && !progress.wasCanceled(); ++i) {
        progress.setValue(static_cast<int>(i));
        const session::MapExportJob& job = jobs[i];
        try {
            const session::LoadedArea area = session::readLoadedArea(window_.document().rom(), job.id, job.night);
            writeBatchOutput(names[static_cast<qsizetype>(i)], pictureBytes(session::exportedMapPicture(area)));
            ++written;
        } catch (const BatchWriteFailed& error) {
            // The disk or the folder is at fault: the next pictures would fail alike.
            failures << QString::fromUtf8(error.what());
            stopped = true;
        } catch (const std::exception& error) {
            // A submap the image cannot show is named; the others still go out.
            failures << QString::fromStdString(job.fileName) + QStringLiteral(": ") + QString::fromUtf8(error.what());
        }
    }
    const bool cancelled = progress.wasCanceled();
    progress.setValue(static_cast<int>(jobs.size()));
    if (stopped)
        dialogs_.showMessage(&window_, QStringLiteral("Export stopped after %1 of %2 pictures:\n%3")
                                           .arg(written)
                                           .arg(jobs.size())
                                           .arg(failures.mid(0, 10).join(QLatin1Char('\n'))));
    else if (!failures.isEmpty())
        dialogs_.showMessage(&window_, QStringLiteral("%1 of %2 maps could not be exported:\n%3")
                                           .arg(failures.size())
                                           .arg(jobs.size())
                                           .arg(failures.mid(0, 10).join(QLatin1Char('\n'))));
    else if (cancelled)
        dialogs_.showMessage(&window_, QStringLiteral("Export cancelled after %1 pictures.").arg(written));
    return written;
}

} // namespace quarry::ui
