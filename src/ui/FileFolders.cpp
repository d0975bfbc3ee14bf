#include "ui/FileFolders.h"

#include "core/session/Document.h"
#include "ui/RecentFiles.h"
#include "ui/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quarry::ui {

namespace {

QString key(FileKind kind)
{
    switch (kind) {
    case FileKind::Images: return QStringLiteral("folders/images");
    case FileKind::Patches: return QStringLiteral("folders/patches");
    case FileKind::Pictures: return QStringLiteral("folders/pictures");
    case FileKind::Scripts: return QStringLiteral("folders/scripts");
    }
    return QStringLiteral("folders/other");
}

} // namespace

QString lastFolder(FileKind kind)
{
    const QSettings settings = applicationSettings();
    QString folder = settings.value(key(kind)).toString();
    if (folder.isEmpty() && kind != FileKind::Images)
        folder = settings.value(key(FileKind::Images)).toString();
    if (folder.isEmpty()) {
        const QStringList recent = RecentFiles::remembered();
        folder = recent.isEmpty() ? QString() : QFileInfo(recent.front()).absolutePath();
    }
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void rememberFolder(FileKind kind, const QString& path)
{
    if (!path.isEmpty())
        rememberFolderItself(kind, QFileInfo(path).absolutePath());
}

void rememberFolderItself(FileKind kind, const QString& folder)
{
    if (!folder.isEmpty())
        applicationSettings().setValue(key(kind), QDir(folder).absolutePath());
}

FileKind kindOfFile(const QString& path)
{
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == QLatin1String("ips") || ending == QLatin1String("bps"))
        return FileKind::Patches;
    if (ending == QLatin1String("png"))
        return FileKind::Pictures;
    if (ending == QLatin1String("lua"))
        return FileKind::Scripts;
    return FileKind::Images;
}

QString proposedPath(FileKind kind, const QString& fileName)
{
    return QDir(lastFolder(kind)).filePath(fileName);
}

QString imageBaseName(const session::Document& document)
{
    const QString name = QFileInfo(QString::fromStdString(document.romPath())).completeBaseName();
    return name.isEmpty() ? QStringLiteral("image") : name;
}

} // namespace quarry::ui
