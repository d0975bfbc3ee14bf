#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/gfx/NesColor.h"

#include "ui/editors/EditorWindow.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QFrame;

namespace quarry::ui {

class Dialogs;
class Swatch;

// The palette editor window: the 64 master colours, the area's 32 palette
// entries, and the game-wide emphasis and greyscale settings. A click on an
// entry or a box writes the image at once (entries 16-23, fixed by the
// game, change only here and are never written); closing writes the PPU
// mask once more, which sets its show bits. The window stays bound to the
// area it was opened for, so switching areas meanwhile cannot move one
// area's colours into another's sets.
class PaletteEditor : public EditorWindow {
    Q_OBJECT

public:
    PaletteEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    bool setUpFor(const session::LoadedArea* area) override;
    // Sets the window up for the area whose palette record is at
    // `palettePointer`: copies `palette`, sets the boxes from `mask`, puts
    // the selector on colour 00 and draws every cell.
    void initEditor(const gfx::AreaPalette& palette, std::uint16_t palettePointer, const gfx::PpuMaskSettings& mask);
    // Shows what the image holds now, bound to the same palette record and
    // keeping the selected colour.
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
    void imageChanged(const session::Change& change) override;
    bool finishPending() override;

private:
    gfx::PpuMaskSettings settingsFromChecks() const;
    void writeSettings(const char* stepName);
    void showEntry(int index, bool greyscale, int emphasis);
    void captionCell(Swatch* cell, std::uint8_t value, const QString& caption, bool greyscale, int emphasis);

    gfx::AreaPalette editPalette_{};
    std::uint16_t palettePointer_ = 0;
    int selectedColor_ = 0;

    std::array<Swatch*, gfx::kMasterColors> master_{};  // lblnespal
    std::array<Swatch*, 32> entries_{}; // lblPal
    QFrame* selector_ = nullptr;        // lblSelector
    QCheckBox* blue_ = nullptr;         // chkIntBlue
    QCheckBox* green_ = nullptr;        // chkIntGreen
    QCheckBox* red_ = nullptr;          // chkIntRed
    QCheckBox* monochrome_ = nullptr;   // chkMonochrome
};

} // namespace quarry::ui
