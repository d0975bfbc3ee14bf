#include "ui/panels/ListLines.h"
#include "ui/HexText.h"

namespace quarry::ui {

namespace {

QString hexPair(int value)
{
    return hexByte(value);
}

// At least two digits; an index of 100 or more keeps all its digits.
QString decimalIndex(int index)
{
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

} // namespace

QString actorListLine(int index, std::uint8_t type, const QString& name)
{
    return decimalIndex(index) + QStringLiteral(": [") + hexPair(type) + QStringLiteral("] ") + name;
}

QString stairListLine(int index, const world::StairRecord& stair, IndexStyle style)
{
    const QString number = style == IndexStyle::Hex ? hexPair(index) : decimalIndex(index);
    return QStringLiteral("%1: %2 %3 %4 %5")
        .arg(number, hexPair(stair.x), hexPair(stair.y))
        .arg(stair.upDown)
        .arg(stair.leftRight);
}

} // namespace quarry::ui
