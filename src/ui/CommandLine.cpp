#include "ui/CommandLine.h"

#include "core/rom/RomImage.h"
#include "core/demo/DemoImage.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace quarry::ui {

QString defaultDemoPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("demo.nes"));
}

bool applyCommandLine(MainWindow& window, const QStringList& arguments, const QString& demoPath)
{
    // arguments[0] is the program itself.
    if (arguments.size() < 2)
        return true;
    if (arguments.size() > 2 || (arguments[1].startsWith(QLatin1Char('-')) && arguments[1] != QLatin1String("--demo"))) {
        std::fprintf(stderr, "usage: quarry [FILE.nes | --demo]\n");
        return false;
    }
    if (arguments[1] != QLatin1String("--demo")) {
        window.openPath(arguments[1]);
        return true;
    }
    QDir().mkpath(QFileInfo(demoPath).absolutePath());
    if (rom::saveRomImage(demoPath.toStdString(), demo::buildDemoImage()) != rom::SaveResult::Written) {
        std::fprintf(stderr, "quarry: cannot write the demo image to %s\n", qPrintable(demoPath));
        return false;
    }
    window.openPath(demoPath);
    return true;
}

} // namespace quarry::ui
