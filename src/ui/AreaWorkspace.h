#pragma once

#include "core/session/Change.h"
#include "ui/map/WhereUsedLayer.h"

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QLabel;
class QVBoxLayout;

namespace quarry::ui {

class Dialogs;
class GridPanel;
class MapView;
class MetatilePicker;
class PaletteStrip;
class RomDocument;

// The part of the main window that shows the loaded submap: the map view
// with its grid, the palette strip, the metatile chooser and the "Night"
// box. It follows the document: every change of the map or of what it is
// drawn with is shown at once, wherever it was made.
class AreaWorkspace : public QWidget {
    Q_OBJECT

public:
    AreaWorkspace(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the document's loaded area from scratch: palette, chooser, map,
    // scroll bars at the top left, grid lines, metatile 0 selected.
    void showArea();
    // The image changed: palette, chooser and map show it, keeping the
    // scroll position, the grid and the selection.
    void showChanges(const session::Change& change);

    // A press on the chooser at (x, y): selects a metatile.
    void selectMetatileAt(QPoint pixel);
    int selectedMetatile() const { return selectedMetatile_; }
    // Chooses metatile `n` as a press on its block would, without changing
    // the mode; false (choosing nothing) when the chooser does not offer it.
    bool chooseMetatile(int n);
    // With the brush on, a drag in Map Edit Mode paints every cell the
    // pointer crosses; off (the default), one press paints one cell.
    void setBrush(bool on) { brush_ = on; }
    bool brush() const { return brush_; }

    // Where used (off by default): the chooser shows how many cells of the
    // object set's maps use each metatile, the map outlines the cells of
    // the chosen one, and a line under the chooser sums it up.
    void setWhereUsedShown(bool shown);
    bool whereUsedShown() const { return whereUsed_.shown(); }
    const WhereUsedLayer& whereUsed() const { return whereUsed_; }
    QCheckBox* whereUsedCheck() const { return whereUsedCheck_; }
    QLabel* whereUsedLabel() const { return whereUsedLabel_; }

    // A panel at the foot of the chooser's column.
    void addBelowChooser(QWidget* panel);
    bool nightChecked() const;
    MapView* mapView() const { return mapView_; }
    MetatilePicker* picker() const { return picker_; }
    PaletteStrip* paletteStrip() const { return paletteStrip_; }
    GridPanel* gridPanel() const { return gridPanel_; }
    QCheckBox* nightCheck() const { return nightCheck_; }

signals:
    // The chooser was pressed: the window enters Map Edit Mode.
    void mapModeRequested();
    // A metatile of the chooser was double-clicked: edit it.
    void metatileEditRequested(int metatile);
    void nightToggled();
    // showArea() ran: another submap (or none) is on screen.
    void areaShown();
    void whereUsedToggled(bool shown);

private:
    void showGraphics();
    void showPalette();
    void showPictures();
    void showMap();
    void rebuildGrid();
    // Counts again from the image (after the image or the area changed),
    // or only follows the chosen metatile.
    void refreshWhereUsed(bool recount);

    RomDocument& document_;
    Dialogs& dialogs_;
    int selectedMetatile_ = 0;
    bool brush_ = false;

    MapView* mapView_ = nullptr;
    MetatilePicker* picker_ = nullptr;
    PaletteStrip* paletteStrip_ = nullptr;
    GridPanel* gridPanel_ = nullptr;
    QCheckBox* nightCheck_ = nullptr; // chkUseNightPal
    WhereUsedLayer whereUsed_;
    QCheckBox* whereUsedCheck_ = nullptr;
    QLabel* whereUsedLabel_ = nullptr;
    QVBoxLayout* chooserColumn_ = nullptr;
};

} // namespace quarry::ui
