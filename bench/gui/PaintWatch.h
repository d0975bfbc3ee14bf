#pragma once

#include <QEvent>
#include <QObject>

namespace quarry::bench {

// Notes that the watched widget (the map view's viewport) has painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

} // namespace quarry::bench
