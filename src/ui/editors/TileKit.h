#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class QScrollBar;

namespace quarry::ui {

class Dialogs;
class PixelView;
class RomDocument;
class Swatch;

// The tile editing kit both graphics editors contain: a pattern table of 256
// tiles at twice size, the selected tile at eight times size painted with the
// mouse (left button the left colour, any other the right colour), the four
// colours of the current palette, palette stepping, whole-tile operations,
// copy by drag in the pattern table, and a grid overlay with its colour.
//
// Every change is written into the bank in the image as it is made: a pixel
// stroke (press to release), a whole-tile operation, a drag copy and a
// picture import are one step of the history each. The kit shows the bank
// as the image holds it and reads it again whenever the document says tiles
// changed, keeping the selected tile, colours and palette. The window tells
// which palettes the kit steps through: 0-3 (background) or 4-7 (sprites).
//
// The bank can also leave and enter as a picture: "Export PNG..." writes the
// 128 x 128 pattern table in the current palette as an indexed PNG, and
// "Import PNG..." reads one back into the bank.
// The views zoom with Ctrl+wheel or the kit's zoom buttons.
class TileKit : public QWidget {
    Q_OBJECT

public:
    enum class Operation { ShiftLeft, ShiftRight, ShiftUp, ShiftDown, FlipHAxis, FlipVAxis, Rotate };

    // `paletteBase` is 0 for palettes 0-3 or 4 for palettes 4-7.
    TileKit(int paletteBase, RomDocument& document, QWidget* parent = nullptr);

    // Starts on the bank at body index `bankStart`: tile 0 selected, colours
    // 0 and 1. The palette number keeps its value from the last set-up.
    // `mask` gives the colours the tiles and swatches are drawn with. Throws
    // RomError when the bank lies outside the image.
    void setUp(std::size_t bankStart, const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask);
    // Shows another bank, keeping the selected tile, colours and palette.
    void switchBank(std::size_t bankStart);
    // Reads the bank again from the image (the document does this when
    // tiles change), keeping everything else.
    void reloadFromImage();
    // Draws with other colours (the area palette or the mask changed).
    void setColours(const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask);
    std::size_t bankStart() const { return bankStart_; }

    const gfx::TilePixels& tiles() const { return tiles_; }
    const gfx::AreaPalette& palette() const { return palette_; }
    const gfx::ColorTable& colors() const { return colors_; }
    int selectedTile() const { return selectedTile_; }
    int paletteNumber() const { return paletteNumber_; }
    int leftColor() const { return leftColor_; }
    int rightColor() const { return rightColor_; }

    // Gestures, in the views' logical coordinates and with button numbers
    // (1 left, 2 right, 4 middle, summed while held).
    void pressPatternTable(QPoint position);
    // Shows tile `tile` (its low byte) as the selected one.
    void selectTile(int tile);
    void releasePatternTable(QPoint position);
    void pressTile(QPoint position, int button);
    void moveTile(QPoint position, int buttons);
    void releaseTile();
    void chooseColor(int index, int button);
    // +1 for ">", -1 for "<"; the number stays within the kit's four palettes.
    void stepPalette(int step);
    void applyOperation(Operation operation);
    void setGridShown(bool shown);
    bool gridShown() const;
    QColor gridColor() const;

    // The dialogs the picture commands ask through; without them the
    // commands are hidden.
    void setDialogs(Dialogs* dialogs);
    // The bank as a 128 x 128 indexed picture in the current palette.
    QImage bankPicture() const;
    // Writes the tiles of a picture into the bank. Returns an empty string,
    // or the reason the picture was refused (nothing changed then); `note`
    // takes what the user should know about an imported picture.
    QString importBankPicture(const QImage& picture, QString* note = nullptr);
    // The commands: ask for a file, then write or read it; a failure is
    // shown as a message and changes nothing.
    void exportPng();
    void importPng();

    // Both views one step larger (+1) or smaller (-1), each within its range.
    void zoomViews(int step);

    // Tiles the window wants pointed out in the pattern table (for example
    // tiles nothing uses), drawn with a red veil; nothing disables it.
    void setMarkedTiles(std::optional<std::array<bool, 256>> marked);
    bool tileMarked(int tile) const;

    PixelView* patternTableView() const { return patternTable_; }
    PixelView* tileView() const { return tileView_; }
    QLabel* selectedTileLabel() const { return selectedTileLabel_; }
    Swatch* colorSwatch(int index) const { return swatches_.at(static_cast<std::size_t>(index)); }
    Swatch* currentColorSwatch(int index) const { return currentColors_.at(static_cast<std::size_t>(index)); }
    QPushButton* operationButton(Operation operation) const
    {
        return operationButtons_.at(static_cast<std::size_t>(operation));
    }
    QPushButton* previousPaletteButton() const { return previousPalette_; }
    QPushButton* nextPaletteButton() const { return nextPalette_; }
    QCheckBox* gridCheck() const { return gridCheck_; }
    QScrollBar* gridColorBar() const { return gridColorBar_; }
    QPushButton* exportButton() const { return exportButton_; }
    QPushButton* importButton() const { return importButton_; }
    QPushButton* zoomInButton() const { return zoomIn_; }
    QPushButton* zoomOutButton() const { return zoomOut_; }

signals:
    // The tiles shown changed (an edit here or elsewhere, an undo): the
    // window redraws the views that show tiles (the kit has redrawn its own).
    void tileChanged();
    // The grid was switched or recoloured; the window's other grids follow.
    void gridChanged(bool shown, const QColor& colour);

private:
    // The views' logical sizes: the 16 x 16 tiles at twice size, and one
    // tile at eight times size.
    static constexpr int kPatternTableSize = 256;
    static constexpr int kTileViewSize = 64;

    // The four colours of the current palette, for the bank as a picture.
    std::array<gfx::Rgb, 4> sheetColours() const;
    void buildViews();
    void buildPatternTable();
    QWidget* buildTileFrame();
    QLayout* buildColourRows(QWidget* frame);
    QLayout* buildOperationRow(QWidget* frame);
    QLayout* buildTableColumn();
    void paintPixel(int column, int row, int button);
    // Writes tile `tile` of the working set into the bank, as one step
    // named `step` unless a gesture is open.
    void writeTile(int tile, const QString& step);
    void finishStroke();
    void refreshSwatches();
    void drawPatternTable();
    void drawTileView();
    void applyGrid();

    int paletteBase_ = 0;
    // The name of a pixel stroke's step.
    QString strokeName() const;

    RomDocument& document_;
    std::size_t bankStart_ = 0;
    bool attached_ = false; // set up on a bank of the image
    gfx::TilePixels tiles_ = gfx::TilePixels(gfx::kPatternTableTiles * gfx::kPixelsPerTile, 0);
    gfx::AreaPalette palette_{};
    gfx::PpuMaskSettings mask_;
    gfx::ColorTable colors_{};
    int selectedTile_ = 0;
    int paletteNumber_ = 0;
    int leftColor_ = 0;
    int rightColor_ = 1;
    bool painting_ = false;
    QPoint lastPainted_{-1, -1};

    PixelView* patternTable_ = nullptr;    // picPatternTable
    QLabel* selectedTileLabel_ = nullptr;  // lblSelTile
    PixelView* tileView_ = nullptr;        // picSelectedTile
    std::array<Swatch*, 4> swatches_{};    // lblnespal_tEdit
    std::array<Swatch*, 2> currentColors_{}; // lblselectedcolor
    QPushButton* previousPalette_ = nullptr; // cmdPrevPal
    QPushButton* nextPalette_ = nullptr;     // cmdNextPal
    std::array<QPushButton*, 7> operationButtons_{};
    QCheckBox* gridCheck_ = nullptr;     // chkShowGrid
    QScrollBar* gridColorBar_ = nullptr; // hscrGridColor

    Dialogs* dialogs_ = nullptr;
    std::optional<std::array<bool, 256>> marked_;
    QPushButton* exportButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* zoomIn_ = nullptr;
    QPushButton* zoomOut_ = nullptr;
};

} // namespace quarry::ui
