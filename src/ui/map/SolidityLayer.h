#pragma once

#include "core/gfx/Solidity.h"

#include <QColor>
#include <QObject>

class QPainter;
class QWidget;

namespace quarry::ui {

class MapView;
class RomDocument;

// View > Solidity: tints every cell of the map by the range its metatile
// falls in under the object set's three thresholds, with a legend in the
// map's corner. It reads the loaded area at each paint, so it follows
// every edit of the map and of the thresholds; the picture underneath
// stays as it is.
class SolidityLayer : public QObject {
    Q_OBJECT

public:
    SolidityLayer(RomDocument& document, MapView& view, QObject* parent = nullptr);

    void setShown(bool shown);
    bool shown() const { return shown_; }
    QWidget* legend() const { return legend_; }
    static QColor tint(gfx::Solidity range);
    void paint(QPainter& painter) const;

private:
    RomDocument& document_;
    MapView& view_;
    QWidget* legend_ = nullptr;
    bool shown_ = false;
};

} // namespace quarry::ui
