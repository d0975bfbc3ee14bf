#include "ui/map/PaletteStrip.h"

#include "ui/HexText.h"
#include "ui/editors/Swatch.h"

#include "core/gfx/NesColor.h"

#include <QGridLayout>
#include <QLabel>

namespace quarry::ui {

PaletteStrip::PaletteStrip(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(8);
    for (int i = 0; i < 32; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblPal%1").arg(i));
        label->setFixedSize(20, 18);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(mono);
        label->setAutoFillBackground(true);
        // Background palettes on the first row, sprite palettes on the second.
        layout->addWidget(label, i / 16, i % 16);
        labels_[static_cast<std::size_t>(i)] = label;
    }
}

void PaletteStrip::showPalette(const std::array<std::uint8_t, 32>& values, const std::array<std::uint32_t, 32>& colours)
{
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        QLabel* label = labels_[i];
        const std::uint32_t rgb = colours[i];
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
        const QColor window = this->palette().color(QPalette::Window);
        const QColor text = this->palette().color(QPalette::WindowText);
        const bool dark = gfx::isDarkColor(values[i]);
        palette.setColor(QPalette::WindowText, readableCaption(rgb, dark ? window : text, dark ? text : window));
        label->setPalette(palette);
        label->setText(hexNumber(values[i]));
    }
}

} // namespace quarry::ui
