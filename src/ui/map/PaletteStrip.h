#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;

namespace quarry::ui {

// The 32 entries of the area palette (lblPal): each label shows the NES
// colour as its background and the colour number as its caption.
class PaletteStrip : public QWidget {
    Q_OBJECT

public:
    explicit PaletteStrip(QWidget* parent = nullptr);

    // `values` are the NES colour numbers, `colours` their packed RGB
    // (red in the low byte) as the current settings draw them.
    void showPalette(const std::array<std::uint8_t, 32>& values, const std::array<std::uint32_t, 32>& colours);
    QLabel* label(int index) const { return labels_.at(static_cast<std::size_t>(index)); }

private:
    std::array<QLabel*, 32> labels_{};
};

} // namespace quarry::ui
