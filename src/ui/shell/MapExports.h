#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace quarry::ui {

class Dialogs;
class MainWindow;

// File > Export Map as PNG and Export All Maps: the map pictures at 1x.
class MapExports : public QObject {
    Q_OBJECT

public:
    MapExports(MainWindow& window, Dialogs& dialogs);

    QAction* exportMapAction() const { return exportMap_; }
    QAction* exportAllAction() const { return exportAll_; }

    // "Export Map as PNG...": the loaded map's picture at 1x.
    void exportMap();
    // "Export All Maps...": every catalogue submap, day and night, into a
    // folder, with a progress dialog that can be cancelled. Returns the
    // number of files written.
    int exportAllMaps();

private:
    MainWindow& window_;
    Dialogs& dialogs_;
    QAction* exportMap_ = nullptr;
    QAction* exportAll_ = nullptr;
};

} // namespace quarry::ui
