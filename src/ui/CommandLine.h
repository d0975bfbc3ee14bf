#pragma once

#include <QString>
#include <QStringList>

namespace quarry::ui {

class MainWindow;

// The editor's command line: "quarry [--settings FOLDER] [FILE.nes | --demo]"
// or "quarry --help".
struct EditorArguments {
    QString file;           // the image to open at once
    bool demo = false;      // open the demo image instead
    QString settingsFolder; // where the remembered settings are kept
    bool help = false;
    QString error; // why the words were not understood; empty when they were
};
EditorArguments parseCommandLine(const QStringList& arguments);

// What "quarry --help" prints.
QString commandLineHelp();

// Opens what the command line asks for: "quarry FILE.nes" opens the image,
// "quarry --demo" writes the demo image to `demoPath` (replacing an older
// one) and opens that. Returns false, with a message on standard error, for
// words it does not know or a demo it could not write.
bool applyCommandLine(MainWindow& window, const QStringList& arguments, const QString& demoPath);

// Writes the demo image to `demoPath` and opens it, as "--demo" and the
// start page's "Open Demo" do; false when it could not be written.
bool openDemoImage(MainWindow& window, const QString& demoPath);

// Where "--demo" keeps its image: the user's application data folder.
QString defaultDemoPath();

} // namespace quarry::ui
