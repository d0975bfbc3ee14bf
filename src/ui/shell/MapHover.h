#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QLabel;

namespace quarry::ui {

class MainWindow;
class StatusLine;

// The status bar's words about the map pixel under the pointer: the cell,
// its metatile and screen, and the marker or shared screen there. They
// name what the image holds now, so they follow every change.
class MapHover : public QObject {
    Q_OBJECT

public:
    MapHover(MainWindow& window, StatusLine& status);

    QLabel* hoverLabel() const;
    void showHover(QPoint mapPixel);

private:
    MainWindow& window_;
    StatusLine& status_;
    std::optional<QPoint> hovered_; // the map pixel the words are about
};

} // namespace quarry::ui
