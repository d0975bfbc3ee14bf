#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QAction;
class QLabel;

namespace quarry::ui {

class Dialogs;
class MainWindow;
class StatusLine;

// The main window's desktop conveniences: zoom commands for the map view,
// the brush option, hover information in the status bar, the map picture
// exports and opening a file dropped on the window.
class MainWindowExtras : public QObject {
    Q_OBJECT

public:
    MainWindowExtras(MainWindow& window, Dialogs& dialogs);

    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* zoomResetAction() const { return zoomReset_; }
    QAction* brushAction() const { return brush_; }
    QAction* whereUsedAction() const { return whereUsed_; }
    QAction* exportMapAction() const { return exportMap_; }
    QAction* exportAllAction() const { return exportAll_; }
    QLabel* hoverLabel() const;

    // "Export Map as PNG...": the loaded map's picture at 1x.
    void exportMap();
    // "Export All Maps...": every catalogue submap, day and night, into a
    // folder, with a progress dialog that can be cancelled. Returns the
    // number of files written.
    int exportAllMaps();
    // The status bar's hover words for a map pixel.
    void showHover(QPoint mapPixel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();

    MainWindow& window_;
    Dialogs& dialogs_;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* zoomReset_ = nullptr;
    QAction* brush_ = nullptr;
    QAction* whereUsed_ = nullptr;
    QAction* exportMap_ = nullptr;
    QAction* exportAll_ = nullptr;
    StatusLine* hover_ = nullptr; // where the hover words go
    std::optional<QPoint> hovered_; // the map pixel the hover words are about
};

} // namespace quarry::ui
