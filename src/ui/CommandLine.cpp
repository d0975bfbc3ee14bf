#include "ui/CommandLine.h"

#include "core/rom/RomImage.h"
#include "core/demo/DemoImage.h"
#include "ui/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace quarry::ui {

namespace {
constexpr const char* kUsage = "usage: quarry [--settings FOLDER] [FILE.nes | --demo]\n       quarry --help";
} // namespace

QString defaultDemoPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("demo.nes"));
}

EditorArguments parseCommandLine(const QStringList& arguments)
{
    EditorArguments parsed;
    // arguments[0] is the program itself.
    for (qsizetype i = 1; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        const QString& word = arguments[i];
        if (word == QLatin1String("--help") || word == QLatin1String("-h"))
            parsed.help = true;
        else if (word == QLatin1String("--demo") && !parsed.demo && parsed.file.isEmpty())
            parsed.demo = true;
        else if (word == QLatin1String("--settings") && i + 1 < arguments.size() && parsed.settingsFolder.isEmpty())
            parsed.settingsFolder = arguments[++i];
        else if (!word.startsWith(QLatin1Char('-')) && !parsed.demo && parsed.file.isEmpty())
            parsed.file = word;
        else
            parsed.error = QString::fromLatin1(kUsage);
    }
    return parsed;
}

QString commandLineHelp()
{
    return QString::fromLatin1(kUsage)
           + QStringLiteral("\n\nOpens the game's iNES image for editing.\n\n"
                            "  FILE.nes           open the image at once\n"
                            "  --demo             write a demo image of our own and open it\n"
                            "  --settings FOLDER  keep the remembered settings (window, panels, recent\n"
                            "                     images, folders) in FOLDER instead of the user's own\n"
                            "  --help             print this help\n");
}

bool openDemoImage(MainWindow& window, const QString& demoPath)
{
    QDir().mkpath(QFileInfo(demoPath).absolutePath());
    if (rom::saveRomImage(demoPath.toStdString(), demo::buildDemoImage()) != rom::SaveResult::Written)
        return false;
    window.openPath(demoPath);
    return true;
}

bool applyCommandLine(MainWindow& window, const QStringList& arguments, const QString& demoPath)
{
    const EditorArguments parsed = parseCommandLine(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(parsed.error));
        return false;
    }
    if (!parsed.file.isEmpty())
        window.openPath(parsed.file);
    if (parsed.demo && !openDemoImage(window, demoPath)) {
        std::fprintf(stderr, "quarry: cannot write the demo image to %s\n", qPrintable(demoPath));
        return false;
    }
    return true;
}

} // namespace quarry::ui
