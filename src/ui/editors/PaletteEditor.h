#pragma once

#include "core/gfx/AreaPalette.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QFrame;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class Swatch;

// The palette editor window: the 64 master colours, the area's 32 palette
// entries, and the game-wide emphasis and greyscale settings. It edits its
// own copy and writes the palette, then the PPU mask, when it closes; then
// the main window redraws. The window stays bound to the area it was opened
// for, so switching areas meanwhile cannot move one area's colours into
// another's sets.
class PaletteEditor : public QWidget {
    Q_OBJECT

public:
    // `refreshMain` is run after the closing writes (the main window's
    // refreshGraphicsEdits).
    PaletteEditor(session::Document& document, Dialogs& dialogs, std::function<void()> refreshMain,
                  QWidget* parent = nullptr);

    // Sets the window up for the area whose palette record is at
    // `palettePointer`: copies `palette`, sets the boxes from `mask`, puts
    // the selector on colour 00 and draws every cell.
    void initEditor(const gfx::AreaPalette& palette, std::uint16_t palettePointer, const gfx::PpuMaskSettings& mask);
    // True between initEditor and the closing writes.
    bool isEditing() const { return editing_; }
    // Writes the copy into the image now, as one edit, and keeps editing;
    // the closing writes do the same.
    void writeEdits();
    // Sets the window up again from what the image holds now (after undo or
    // redo), bound to the same palette record.
    void reloadFromImage();

    const gfx::AreaPalette& editPalette() const { return editPalette_; }
    int selectedColor() const { return selectedColor_; }
    std::uint16_t boundPalettePointer() const { return palettePointer_; }
    // 1 for red, plus 2 for green, plus 4 for blue, from the boxes.
    int emphasisFromChecks() const;

    void clickMasterColor(int index);
    void clickPaletteEntry(int index);
    // Redraws all 96 cells from the copy and the boxes (not from the image).
    void refreshSwatches();

    Swatch* masterCell(int index) const { return master_.at(static_cast<std::size_t>(index)); }
    Swatch* paletteCell(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    QFrame* selector() const { return selector_; }
    QCheckBox* blueCheck() const { return blue_; }
    QCheckBox* greenCheck() const { return green_; }
    QCheckBox* redCheck() const { return red_; }
    QCheckBox* monochromeCheck() const { return monochrome_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void writeCopy();
    void showEntry(int index, bool greyscale, int emphasis);
    void captionCell(Swatch* cell, std::uint8_t value, const QString& caption, bool greyscale, int emphasis);

    session::Document& document_;
    Dialogs& dialogs_;
    std::function<void()> refreshMain_;
    bool editing_ = false;
    gfx::AreaPalette editPalette_{};
    std::uint16_t palettePointer_ = 0;
    int selectedColor_ = 0;

    std::array<Swatch*, 64> master_{};  // lblnespal
    std::array<Swatch*, 32> entries_{}; // lblPal
    QFrame* selector_ = nullptr;        // lblSelector
    QCheckBox* blue_ = nullptr;         // chkIntBlue
    QCheckBox* green_ = nullptr;        // chkIntGreen
    QCheckBox* red_ = nullptr;          // chkIntRed
    QCheckBox* monochrome_ = nullptr;   // chkMonochrome
};

} // namespace quarry::ui
