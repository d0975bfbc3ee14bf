#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/rom/AreaDirectory.h"

#include "ui/editors/EditorWindow.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QScrollBar;

namespace quarry::ui {

class Dialogs;
class PixelView;
class Swatch;
class TileKit;

// The background editor window of one object set: its 256 background tiles
// (with the tile kit), its metatiles (the tile in each of the 4 x 4 cells and
// the palette of each quarter) and its three solidity thresholds.
//
// Tiles, metatile cells, attributes and thresholds are written into the
// image as they are edited, and the window shows the image again whenever
// the document says they changed.
class MetatileEditor : public EditorWindow {
    Q_OBJECT

public:
    MetatileEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    bool setUpFor(const session::LoadedArea* area) override;
    // Sets the window up afresh for `objectSet` with the area palette (its
    // record at `palettePointer`) and mask settings. Throws RomError when
    // the object set's graphics cannot be read; the window is not open then.
    void setupEditor(int objectSet, const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask,
                     std::uint16_t palettePointer = 0);

    int objectSet() const { return objectSet_; }
    int currentMetatile() const { return currentMetatile_; }
    // The last metatile offered, or -1 when the object set offers none.
    int lastMetatile() const { return lastMetatile_; }
    int attributePalette() const { return attributePalette_; }
    const rom::SolidityThresholds& thresholds() const { return thresholds_; }

    // Gestures, in the views' logical coordinates.
    void selectMetatile(int metatile);
    void pressMetatile(QPoint position);
    void pressAttribute(QPoint position);
    void clickPaletteSwatch(int index);
    void clickMarker(int index);
    // Reads threshold box `index` as hexadecimal and stores it.
    void commitThreshold(int index);
    // With "Show Unused Tiles" checked, marks in the pattern table the tiles
    // no metatile of the object set places (read from the image now).
    void showUnusedTiles();
    QCheckBox* unusedTilesCheck() const { return unusedCheck_; }

    TileKit* tileKit() const { return tileKit_; }
    PixelView* metatileView() const { return metatileView_; }
    PixelView* attributeView() const { return attributeView_; }
    QScrollBar* metatileBar() const { return metatileBar_; }
    QLabel* metatileLabel() const { return metatileLabel_; }
    Swatch* paletteSwatch(int index) const { return swatches_.at(static_cast<std::size_t>(index)); }
    Swatch* marker(int index) const { return markers_.at(static_cast<std::size_t>(index)); }
    QLineEdit* thresholdBox(int index) const { return thresholdBoxes_.at(static_cast<std::size_t>(index)); }
    QLabel* solidityLabel(int index) const { return solidityLabels_.at(static_cast<std::size_t>(index)); }

protected:
    void imageChanged(const session::Change& change) override;
    bool finishPending() override;

private:
    void buildViews();
    QWidget* buildMetatileFrame();
    QLayout* buildPaletteGrid(QWidget* metaFrame);
    QWidget* buildSolidityFrame();
    void drawMetatileViews();
    void drawPaletteSwatches();
    void showThreshold(int index);

    int objectSet_ = 0;
    std::uint16_t palettePointer_ = 0; // 0: the palette is not followed
    int currentMetatile_ = 0;
    int lastMetatile_ = -1;
    int attributePalette_ = 0;
    gfx::AreaPalette palette_{};
    gfx::PpuMaskSettings mask_;
    rom::SolidityThresholds thresholds_{};

    TileKit* tileKit_ = nullptr;
    PixelView* metatileView_ = nullptr;  // picMetatile
    PixelView* attributeView_ = nullptr; // picAttTableEdit
    QScrollBar* metatileBar_ = nullptr;  // hscrollTileID
    QLabel* metatileLabel_ = nullptr;    // lblSelMetatile
    std::array<Swatch*, 16> swatches_{}; // lblnespal
    std::array<Swatch*, 4> markers_{};   // picPalMarker
    std::array<QLineEdit*, 3> thresholdBoxes_{}; // txtSolidityData
    std::array<QLabel*, 8> solidityLabels_{};    // lblSolid
    QCheckBox* unusedCheck_ = nullptr;
};

} // namespace quarry::ui
