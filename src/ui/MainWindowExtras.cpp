#include "ui/MainWindowExtras.h"

#include "ui/StatusLine.h"

#include "core/RomError.h"
#include "core/session/LoadedArea.h"
#include "core/session/MapExport.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/CanvasImage.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/HoverInfo.h"
#include "ui/MainWindow.h"
#include "ui/MapBlockActions.h"
#include "ui/map/SharedScreensLayer.h"
#include "ui/RomDocument.h"
#include "ui/Texts.h"
#include "ui/WorldController.h"
#include "ui/map/MapView.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QStatusBar>

namespace quarry::ui {

namespace {

constexpr const char* kPngFilter = "PNG picture (*.png)";

// The first local file of a drag, or an empty string.
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

QByteArray pictureBytes(const gfx::Canvas& canvas)
{
    return pngBytes(toImage(canvas).convertToFormat(QImage::Format_RGB888));
}

} // namespace

MainWindowExtras::MainWindowExtras(MainWindow& window, Dialogs& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs)
{
    buildActions();

    hover_ = window.statusLine();
    MapView* map = window.workspace()->mapView();
    connect(map, &MapView::mapHovered, this, &MainWindowExtras::showHover);
    connect(map, &MapView::hoverLeft, this, [this] {
        hovered_.reset();
        hover_->setHover({});
    });
    // The words name what the image holds now: a paint, an undo or any
    // other change under a still pointer shows at once.
    connect(&window.liveDocument(), &RomDocument::changed, this, [this] {
        if (hovered_)
            showHover(*hovered_);
    });

    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

QLabel* MainWindowExtras::hoverLabel() const
{
    return hover_->hoverLabel();
}

void MainWindowExtras::buildActions()
{
    MapView* map = window_.workspace()->mapView();
    QMenu* view = window_.menu(Menu::View);
    zoomIn_ = view->addAction(QStringLiteral("Zoom &In"), map, &MapView::zoomIn);
    zoomIn_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    zoomOut_ = view->addAction(QStringLiteral("Zoom &Out"), map, &MapView::zoomOut);
    zoomOut_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    zoomReset_ = view->addAction(QStringLiteral("&Actual Size"), map, [map] { map->setZoom(1); });
    zoomReset_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    // Like every command on the image, these wait for an image ("Save" is
    // enabled exactly while one is open).
    QAction* save = window_.commandAction(Command::Save);
    auto updateZoom = [this, map, save] {
        const bool open = save->isEnabled();
        zoomIn_->setEnabled(open && map->zoom() < 4);
        zoomOut_->setEnabled(open && map->zoom() > 1);
        zoomReset_->setEnabled(open);
    };
    connect(map, &MapView::zoomChanged, this, updateZoom);

    view->addSeparator();
    whereUsed_ = view->addAction(QStringLiteral("&Where Used"));
    whereUsed_->setCheckable(true);
    whereUsed_->setToolTip(QStringLiteral("Show how many map cells use each metatile"));
    connect(whereUsed_, &QAction::toggled, window_.workspace(), &AreaWorkspace::setWhereUsedShown);
    connect(window_.workspace(), &AreaWorkspace::whereUsedToggled, whereUsed_, &QAction::setChecked);

    brush_ = window_.menu(Menu::Edit)->addAction(QStringLiteral("&Brush Painting"));
    brush_->setCheckable(true);
    brush_->setToolTip(QStringLiteral("Paint every cell a drag crosses in map mode"));
    connect(brush_, &QAction::toggled, window_.workspace(), &AreaWorkspace::setBrush);

    // The exports sit before "Exit" in the File menu and follow "Save".
    QMenu* file = window_.menu(Menu::File);
    QAction* exit = window_.commandAction(Command::Exit);
    exportMap_ = new QAction(QStringLiteral("Export Map as PNG..."), this);
    exportAll_ = new QAction(QStringLiteral("Export All Maps..."), this);
    file->insertAction(exit, exportMap_);
    file->insertAction(exit, exportAll_);
    file->insertSeparator(exit);
    connect(exportMap_, &QAction::triggered, this, &MainWindowExtras::exportMap);
    connect(exportAll_, &QAction::triggered, this, &MainWindowExtras::exportAllMaps);
    auto follow = [this, save, updateZoom] {
        for (QAction* action : {exportMap_, exportAll_, brush_, whereUsed_})
            action->setEnabled(save->isEnabled());
        updateZoom();
    };
    connect(save, &QAction::changed, this, follow);
    follow();
}

void MainWindowExtras::showHover(QPoint mapPixel)
{
    hovered_ = mapPixel;
    QString item;
    WorldController* world = window_.world();
    const session::LoadedArea* area = window_.document().area();
    if (area && window_.editMode() == EditMode::Actor) {
        const int index = world->actorLayer().markerAt(mapPixel);
        if (index >= 0 && index < static_cast<int>(area->actors.size()))
            item = actorHoverText(index, area->actors[static_cast<std::size_t>(index)].type);
    } else if (area && window_.editMode() == EditMode::Stair) {
        const int index = world->stairLayer().markerAt(mapPixel);
        if (index >= 0)
            item = stairHoverText(index);
    }
    if (item.isEmpty())
        item = window_.mapBlocks()->sharedScreens().hoverWords(mapPixel);
    hover_->setHover(hoverText(area, mapPixel, item));
}

void MainWindowExtras::exportMap()
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

int MainWindowExtras::exportAllMaps()
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

bool MainWindowExtras::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!droppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData());
            if (!path.isEmpty()) {
                drop->acceptProposedAction();
                window_.openPath(path);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quarry::ui
