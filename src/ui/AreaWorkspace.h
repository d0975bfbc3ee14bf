#pragma once

#include "ui/map/WhereUsedLayer.h"

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QLabel;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class GridPanel;
class MapView;
class MetatilePicker;
class PaletteStrip;

// The part of the main window that shows the loaded submap: the map view
// with its grid, the palette strip, the metatile chooser and the "Night"
// box, and the map gestures of Map Edit Mode and Pointer Edit Mode.
class AreaWorkspace : public QWidget {
    Q_OBJECT

public:
    enum class PressAction { Paint, Pointer, Nothing };

    AreaWorkspace(session::Document& document, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the document's loaded area from scratch: palette, chooser, map,
    // scroll bars at the top left, grid lines, metatile 0 selected.
    void showArea();
    // Redraws palette, chooser and map after a graphics edit, keeping the
    // scroll position, the grid and the selection.
    void showGraphicsEdits();
    // After undo or redo: the same submap shows what the image holds now,
    // keeping the scroll position, the grid and the selection.
    void showRestoredArea();
    // What a press on the map does now.
    void setPressAction(PressAction action) { pressAction_ = action; }

    // A press on the chooser at (x, y): selects a metatile.
    void selectMetatileAt(QPoint pixel);
    int selectedMetatile() const { return selectedMetatile_; }
    // A press on the map at map pixel (x, y).
    void pressMap(QPoint mapPixel);
    // With the brush on, a drag in Map Edit Mode paints every cell the
    // pointer crosses; off (the default), one press paints one cell.
    void setBrush(bool on) { brush_ = on; }
    bool brush() const { return brush_; }
    // The brush's drag, in map pixels: press, moves, release.
    void strokeTo(QPoint mapPixel);
    void endStroke();

    // Where used (off by default): the chooser shows how many cells of the
    // object set's maps use each metatile, the map outlines the cells of
    // the chosen one, and a line under the chooser sums it up.
    void setWhereUsedShown(bool shown);
    bool whereUsedShown() const { return whereUsed_.shown(); }
    const WhereUsedLayer& whereUsed() const { return whereUsed_; }
    QCheckBox* whereUsedCheck() const { return whereUsedCheck_; }
    QLabel* whereUsedLabel() const { return whereUsedLabel_; }

    bool nightChecked() const;
    MapView* mapView() const { return mapView_; }
    MetatilePicker* picker() const { return picker_; }
    PaletteStrip* paletteStrip() const { return paletteStrip_; }
    GridPanel* gridPanel() const { return gridPanel_; }
    QCheckBox* nightCheck() const { return nightCheck_; }

signals:
    // The chooser was pressed: the window enters Map Edit Mode.
    void mapModeRequested();
    void nightToggled();
    void whereUsedToggled(bool shown);
    // The image changed through a map edit.
    void imageEdited();
    // One brush drag begins and ends: every paint between the two belongs
    // to one user action.
    void strokeBegun();
    void strokeEnded();

private:
    void showPalette();
    void showPictures();
    void showMap();
    void rebuildGrid();
    // Counts again from the image (after the image or the area changed),
    // or only follows the chosen metatile.
    void refreshWhereUsed(bool recount);

    session::Document& document_;
    Dialogs& dialogs_;
    PressAction pressAction_ = PressAction::Paint;
    int selectedMetatile_ = 0;
    bool brush_ = false;
    bool stroking_ = false;
    QPoint strokeLast_;

    MapView* mapView_ = nullptr;
    MetatilePicker* picker_ = nullptr;
    PaletteStrip* paletteStrip_ = nullptr;
    GridPanel* gridPanel_ = nullptr;
    QCheckBox* nightCheck_ = nullptr; // chkUseNightPal
    WhereUsedLayer whereUsed_;
    QCheckBox* whereUsedCheck_ = nullptr;
    QLabel* whereUsedLabel_ = nullptr;
};

} // namespace quarry::ui
