#pragma once

#include <QCursor>
#include <QKeySequence>
#include <QPoint>
#include <QString>

class QPainter;

namespace quarry::ui {

// How a tool is offered: the letter on its button, its name (the button's
// tool tip and the menu's words) and the key that chooses it.
struct MapToolInfo {
    QString caption;
    QString name;
    QKeySequence key;
};

// What a mouse gesture on the map does in one mode of the main window. The
// tool manager hands the current tool the map view's gestures, in map
// pixels, and draws its overlay above the map.
class MapTool {
public:
    virtual ~MapTool() = default;

    virtual MapToolInfo info() const = 0;

    // The tool became the current one, or stopped being it; a tool ends
    // whatever it had in hand when it is deactivated.
    virtual void activate() {}
    virtual void deactivate() { finishGesture(); }
    // Ends a stroke or drag in progress as if the button went up where the
    // pointer was last seen (or drops it, when that cannot be).
    virtual void finishGesture() {}

    virtual void press(QPoint mapPixel, Qt::MouseButton button) = 0;
    // While a button is held; the pixel may lie outside the map.
    virtual void move(QPoint /*mapPixel*/) {}
    virtual void release(QPoint /*mapPixel*/, Qt::MouseButton /*button*/) {}
    virtual void doubleClick(QPoint /*mapPixel*/, Qt::MouseButton /*button*/) {}
    virtual void hover(QPoint /*mapPixel*/) {}

    // Alt+press picks the metatile under the pointer instead (the tool
    // manager's picker) in the tools that paint or choose cells.
    virtual bool picksWithAlt() const { return false; }

    // Drawn above the map in map pixels (a drag outline, a stamp).
    virtual void paintOverlay(QPainter& /*painter*/) const {}
    virtual QCursor cursor() const { return Qt::ArrowCursor; }
};

} // namespace quarry::ui
