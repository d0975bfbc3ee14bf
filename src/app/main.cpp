#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quarry"));
    QApplication::setApplicationVersion(QStringLiteral("0.21.0"));

    quarry::ui::QtDialogs dialogs;
    quarry::ui::MainWindow window(dialogs, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("dat")));
    window.show();
    window.startUp();
    return app.exec();
}
