#pragma once

#include <QRgb>
#include <QString>

#include <cstdint>

namespace quarry::ui {

// Every hexadecimal number the windows show goes through these, so a byte
// reads the same everywhere: upper-case digits, as the status bar shows them.

// Two digits of value AND $FF: "0A".
QString hexByte(int value);
// `digits` digits, padded with zeros and cut to the last ones: "01F7".
QString hexDigitsText(std::uint32_t value, int digits);
// As many digits as the value needs, no padding: "A", "3F".
QString hexNumber(int value);
// A colour as six digits, red first: "FF8000".
QString hexColour(QRgb colour);

} // namespace quarry::ui
