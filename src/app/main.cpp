#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarry"));
    QApplication::setApplicationVersion(QStringLiteral("0.21.0"));

    quarry::ui::QtDialogs dialogs;
    quarry::ui::MainWindow window(dialogs, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("dat")));
    window.show();
    window.startUp();
    // "quarry game.nes" opens the image at once, as "Open File" would.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.openPath(arguments.at(1));
    return app.exec();
}
