#pragma once

#include "ScriptedDialogs.h"

#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"
#include "ui/MainWindow.h"

#include <string>

namespace quarry::test {

// The editor's main window, started with a scripted dialog double, with a
// whole synthetic image opened as "Open File" opens it. Messages shown so
// far are cleared.
struct OpenedEditor {
    TempDir dir;
    SyntheticWorld world;
    ScriptedDialogs dialogs;
    ui::MainWindow window{dialogs, QString::fromStdString(dir.file("dat"))};
    std::string path = dir.file("game.nes");

    OpenedEditor()
    {
        world.writeFile(path);
        window.startUp();
        dialogs.filesToOpen.push_back(QString::fromStdString(path));
        window.openFile();
        dialogs.messages.clear();
    }
};

} // namespace quarry::test
