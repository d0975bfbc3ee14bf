#include "ui/shell/FileDrops.h"

#include "ui/MainWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace quarry::ui {

namespace {

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

} // namespace

FileDrops::FileDrops(MainWindow& window) : QObject(&window), window_(window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event)
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
