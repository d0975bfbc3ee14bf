#pragma once

#include "core/gfx/Canvas.h"

#include <QLabel>

namespace quarry::ui {

// A colour cell of the graphics editors: a label filled with one colour,
// optionally captioned, that reports presses (button 1 left, 2 right, 4
// middle, as PixelView does).
class Swatch : public QLabel {
    Q_OBJECT

public:
    explicit Swatch(QWidget* parent = nullptr);

    void setColor(gfx::Rgb colour);
    gfx::Rgb color() const { return colour_; }
    void setCaptionColor(const QColor& colour);
    QColor captionColor() const;

signals:
    void pressed(int button);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    gfx::Rgb colour_ = 0;
};

// The toolkit colour of a packed colour (red in the low byte).
QColor toQColor(gfx::Rgb colour);

// The caption colour of a swatch: `described` (the colour the window's
// rules give), unless it would all but vanish on the swatch, then `other`.
QColor readableCaption(gfx::Rgb swatch, const QColor& described, const QColor& other);

} // namespace quarry::ui
