#include "ui/HoverInfo.h"

#include "core/rom/Hex.h"
#include "core/session/LoadedArea.h"

namespace quarry::ui {

namespace {

QString hex(std::uint32_t value, int digits)
{
    return QString::fromStdString(hexDigits(value, digits));
}

} // namespace

QString hoverText(const session::LoadedArea* area, QPoint mapPixel, const QString& item)
{
    if (!area || mapPixel.x() < 0 || mapPixel.y() < 0)
        return {};
    const rom::AreaMap& map = area->map;
    const int sx = mapPixel.x() / 256;
    const int sy = mapPixel.y() / 224;
    if (sx >= map.screensWide || sy >= map.screensHigh)
        return {};
    const int column = (mapPixel.x() % 256) / 32;
    const int row = (mapPixel.y() % 224) / 32;
    const std::size_t position = static_cast<std::size_t>(sy) * map.screensWide + static_cast<std::size_t>(sx);
    QString text = QStringLiteral("Screen (%1, %2)  Cell (%3, %4)  Metatile $%5")
                       .arg(sx)
                       .arg(sy)
                       .arg(column)
                       .arg(row)
                       .arg(hex(map.mapGrid.at(map.cellIndex(sx, sy, row, column)), 2));
    if (position < map.screenTable.size())
        text += QStringLiteral("  Pointer $") + hex(map.screenTable[position], 4);
    if (!item.isEmpty())
        text += QStringLiteral("  ") + item;
    return text;
}

QString actorHoverText(int index, int type)
{
    return QStringLiteral("Actor %1 ($%2)").arg(index).arg(hex(static_cast<std::uint32_t>(type), 2));
}

QString stairHoverText(int index)
{
    return QStringLiteral("Stair %1").arg(index);
}

} // namespace quarry::ui
