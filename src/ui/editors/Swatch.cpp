#include "ui/editors/Swatch.h"

#include <cstdlib>

#include <QMouseEvent>

namespace quarry::ui {

QColor toQColor(gfx::Rgb colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Swatch::Swatch(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    setColor(0);
}

void Swatch::setColor(gfx::Rgb colour)
{
    colour_ = colour & 0xFFFFFFu;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(colour_));
    setPalette(palette);
}

void Swatch::setCaptionColor(const QColor& colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

QColor Swatch::captionColor() const
{
    return palette().color(QPalette::WindowText);
}

void Swatch::mousePressEvent(QMouseEvent* event)
{
    emit pressed(static_cast<int>(event->button() & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)));
}

namespace {
int luma(const QColor& colour)
{
    return (colour.red() * 299 + colour.green() * 587 + colour.blue() * 114) / 1000;
}
} // namespace

QColor readableCaption(gfx::Rgb swatch, const QColor& described, const QColor& other)
{
    // Greyscale and emphasis can make a "light" colour dark and the other
    // way round; a caption in the swatch's own brightness cannot be read.
    constexpr int kLeast = 48;
    const int background = luma(toQColor(swatch));
    if (std::abs(luma(described) - background) >= kLeast)
        return described;
    return std::abs(luma(other) - background) > std::abs(luma(described) - background) ? other : described;
}

} // namespace quarry::ui
