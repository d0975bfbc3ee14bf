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
    if (!area)
        return {};
    const rom::AreaMap& map = area->map;
    const std::optional<rom::MapCell> cell = rom::cellAt(map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return {};
    const auto [sx, sy, row, column] = *cell;
    const std::size_t position = static_cast<std::size_t>(sy) * map.screensWide + static_cast<std::size_t>(sx);
    QString text = QStringLiteral("Pixel (%1, %2)  ").arg(mapPixel.x()).arg(mapPixel.y());
    text += QStringLiteral("Screen (%1, %2)  Cell (%3, %4)  Metatile $%5")
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
