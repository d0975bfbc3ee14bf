#include "ui/HoverInfo.h"

#include "core/session/LoadedArea.h"
#include "core/session/MapBlocks.h"
#include "ui/HexText.h"

namespace quarry::ui {

QString hoverText(const session::LoadedArea* area, QPoint mapPixel, const QString& item)
{
    if (!area)
        return {};
    const rom::AreaMap& map = area->map;
    const std::optional<session::MapCell> cell = session::cellAtPixel(map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return {};
    const auto [sx, sy, row, column] = session::screenPlaceOf(*cell);
    const auto position = static_cast<std::size_t>(session::screenPosition(map, *cell));
    QString text = QStringLiteral("Pixel (%1, %2)  ").arg(mapPixel.x()).arg(mapPixel.y());
    text += QStringLiteral("Screen (%1, %2)  Cell (%3, %4)  Metatile $%5")
                       .arg(sx)
                       .arg(sy)
                       .arg(column)
                       .arg(row)
                       .arg(hexByte(session::metatileAt(map, *cell)));
    if (position < map.screenTable.size())
        text += QStringLiteral("  Pointer $") + hexDigitsText(map.screenTable[position], 4);
    if (!item.isEmpty())
        text += QStringLiteral("  ") + item;
    return text;
}

QString actorHoverText(int index, int type)
{
    return QStringLiteral("Actor %1 ($%2)").arg(index).arg(hexDigitsText(static_cast<std::uint32_t>(type), 2));
}

QString stairHoverText(int index)
{
    return QStringLiteral("Stair %1").arg(index);
}

} // namespace quarry::ui
