#include "ui/HexText.h"

#include "core/rom/Hex.h"

namespace quarry::ui {

QString hexByte(int value)
{
    return hexDigitsText(static_cast<std::uint32_t>(value & 0xFF), 2);
}

QString hexDigitsText(std::uint32_t value, int digits)
{
    return QString::fromStdString(hexDigits(value, digits));
}

QString hexNumber(int value)
{
    return QString::number(value, 16).toUpper();
}

QString hexColour(QRgb colour)
{
    return hexDigitsText(colour & 0xFFFFFFu, 6);
}

} // namespace quarry::ui
