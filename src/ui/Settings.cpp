#include "ui/Settings.h"

#include "core/Version.h"

#include <QApplication>

namespace quarry::ui {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quarry"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.quarry"));
}

QSettings applicationSettings()
{
    return QSettings(QStringLiteral("Quarry"), QStringLiteral("Quarry"));
}

} // namespace quarry::ui
