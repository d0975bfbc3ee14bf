#pragma once

#include <QObject>

class QAction;

namespace quarry::ui {

class CommandTable;
class MapView;

// View > Zoom In, Zoom Out and Actual Size for the map view: each waits for
// an image and for room to zoom that way.
class MapZoomActions : public QObject {
    Q_OBJECT

public:
    MapZoomActions(CommandTable& commands, MapView& map);

    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    QAction* zoomResetAction() const { return zoomReset_; }

private:
    void updateEnabled();

    CommandTable& commands_;
    MapView& map_;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    QAction* zoomReset_ = nullptr;
};

} // namespace quarry::ui
