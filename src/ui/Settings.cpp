#include "ui/Settings.h"

#include "core/Version.h"

#include <QApplication>
#include <QDir>

namespace quarry::ui {

namespace {
QString settingsFolder; // empty: the desktop's own place
} // namespace

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quarry"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quarry"));
}

QSettings applicationSettings()
{
    if (!settingsFolder.isEmpty())
        return QSettings(QDir(settingsFolder).filePath(QStringLiteral("Quarry.conf")), QSettings::IniFormat);
    return QSettings(QStringLiteral("Quarry"), QStringLiteral("Quarry"));
}

bool setSettingsFolder(const QString& folder)
{
    if (!folder.isEmpty() && !QDir().mkpath(folder))
        return false;
    settingsFolder = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
    return true;
}

} // namespace quarry::ui
