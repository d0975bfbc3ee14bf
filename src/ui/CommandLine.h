#pragma once

#include <QString>
#include <QStringList>

namespace quarry::ui {

class MainWindow;

// What the editor's command line asks for: "quarry FILE.nes" opens the
// image, "quarry --demo" writes the demo image to `demoPath` (replacing an
// older one) and opens that. Returns false, with a message on standard error,
// for words it does not know or a demo it could not write.
bool applyCommandLine(MainWindow& window, const QStringList& arguments, const QString& demoPath);

// Where "--demo" keeps its image: the user's application data folder.
QString defaultDemoPath();

} // namespace quarry::ui
