#include "ui/RecentFiles.h"

#include "ui/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace quarry::ui {

namespace {
constexpr const char* kKey = "recentFiles";
} // namespace

RecentFiles::RecentFiles(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu)
{
    rebuild();
}

QStringList RecentFiles::files() const
{
    return remembered();
}

QStringList RecentFiles::remembered()
{
    return applicationSettings().value(QString::fromLatin1(kKey)).toStringList().mid(0, kMaximum);
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaximum));
}

void RecentFiles::remove(const QString& path)
{
    QStringList list = files();
    list.removeAll(path);
    store(list);
}

void RecentFiles::store(const QStringList& list)
{
    applicationSettings().setValue(QString::fromLatin1(kKey), list);
    rebuild();
    emit changed();
}

void RecentFiles::rebuild()
{
    menu_->clear();
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction* action = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    menu_->setEnabled(!list.isEmpty());
}

} // namespace quarry::ui
