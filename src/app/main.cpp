#include "core/rom/DataFolder.h"
#include "core/rom/FileAccess.h"
#include "ui/AppIcon.h"
#include "ui/CommandLine.h"
#include "ui/DeskSettings.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/RecoveryOffer.h"
#include "ui/SessionSafety.h"
#include "ui/Settings.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    quarry::rom::ignoreFileSizeSignal();
    // Help needs no display: it is printed before the toolkit starts.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s", qPrintable(quarry::ui::commandLineHelp()));
            return 0;
        }
    QApplication app(argc, argv);
    quarry::ui::setApplicationIdentity();
    QApplication::setWindowIcon(quarry::ui::applicationIcon());

    // The settings' place is settled before anything reads them.
    const quarry::ui::EditorArguments arguments = quarry::ui::parseCommandLine(QCoreApplication::arguments());
    if (!arguments.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(arguments.error));
        return 2;
    }
    if (!quarry::ui::setSettingsFolder(arguments.settingsFolder)) {
        std::fprintf(stderr, "quarry: cannot make the settings folder %s\n", qPrintable(arguments.settingsFolder));
        return 2;
    }

    quarry::ui::QtDialogs dialogs;
    quarry::ui::MainWindow window(dialogs, QString::fromStdString(quarry::rom::findDataFolder(QCoreApplication::applicationDirPath().toStdString())));
    // The window, its panels and view choices as they were left.
    window.desk()->restore();
    window.show();
    window.startUp();
    // "quarry game.nes" opens the image at once, as "Open File" would;
    // "quarry --demo" opens a demo image of our own.
    // Unsaved changes an unclean end left behind come first.
    const bool recovered = quarry::ui::offerRecovery(window, dialogs, *window.safety()->keeper());
    if (!recovered && !quarry::ui::applyCommandLine(window, QCoreApplication::arguments(), quarry::ui::defaultDemoPath()))
        return 2;
    return app.exec();
}
