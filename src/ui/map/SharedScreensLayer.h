#pragma once

#include "core/session/Document.h"
#include "core/session/SharedScreens.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QPainter;

namespace quarry::ui {

class MapView;
class RomDocument;

// Which screens of the loaded map show elsewhere too: View > Shared
// Screens outlines them (with how many other places show each), and every
// write into map cells gets a note of where else it shows.
class SharedScreensLayer : public QObject {
    Q_OBJECT

public:
    SharedScreensLayer(RomDocument& document, MapView& view, QObject* parent = nullptr);

    void setShown(bool shown);
    bool shown() const { return shown_; }

    // The survey of the loaded map; made again after the map, the image or
    // the area on screen changed.
    const session::ScreenSharing& sharing();
    // Another submap (or none) is on screen.
    void forget();

    // "also changes screen 2 of this map and 2 places in other maps" for a
    // write through these cells; empty when it shows nowhere else.
    QString reachNote(const session::Document::CellEdit& edit);
    // Hover words for the screen under a map pixel while shown; empty for a
    // screen of its own.
    QString hoverWords(QPoint mapPixel);
    // The other places of the screen at `position`, named for the user.
    QString placesText(int position);

    void paint(QPainter& painter);

private:
    RomDocument& document_;
    MapView& view_;
    bool shown_ = false;
    std::optional<session::ScreenSharing> sharing_;
};

} // namespace quarry::ui
