#include "ui/map/WhereUsedLayer.h"

#include "core/rom/GameLayout.h"
#include "ui/HexText.h"

#include <QPainter>

#include <algorithm>

namespace quarry::ui {

namespace {
constexpr int kCellPixels = layout::kMetatilePixels;
}

void WhereUsedLayer::recount(const rom::RomImage& rom, int objectSet, int offered)
{
    usage_ = session::countMetatileUsage(rom, objectSet);
    offered_ = std::clamp(offered, 0, 256);
    counted_ = true;
}

void WhereUsedLayer::highlight(const rom::AreaMap& map, int metatile)
{
    metatile_ = metatile;
    cells_ = session::cellsUsing(map, static_cast<std::uint8_t>(metatile));
}

void WhereUsedLayer::clear()
{
    counted_ = false;
    offered_ = 0;
    metatile_ = -1;
    usage_ = {};
    cells_.clear();
}

std::vector<int> WhereUsedLayer::offeredCounts() const
{
    if (!counted_)
        return {};
    return std::vector<int>(usage_.cells.begin(), usage_.cells.begin() + offered_);
}

QString WhereUsedLayer::summary() const
{
    if (!counted_ || metatile_ < 0)
        return {};
    const int cells = usage_.cells[static_cast<std::size_t>(metatile_ & 0xFF)];
    const QString number = hexByte(metatile_);
    QString text = QStringLiteral("Metatile %1: %2 cells in %3 maps, %4 in this map")
                       .arg(number)
                       .arg(cells)
                       .arg(usage_.maps)
                       .arg(cells_.size());
    if (!usage_.unreadable.empty())
        text += QStringLiteral(" (%1 submaps not readable)").arg(usage_.unreadable.size());
    return text;
}

void WhereUsedLayer::paint(QPainter& painter) const
{
    if (!shown_ || cells_.empty())
        return;
    // A bright frame inside each cell, two map pixels wide, that reads on
    // any background.
    painter.setBrush(QColor(255, 255, 0, 60));
    painter.setPen(QPen(QColor(255, 230, 0), 2));
    for (const session::MapCell& cell : cells_)
        painter.drawRect(QRect(cell.column * kCellPixels + 1, cell.row * kCellPixels + 1, kCellPixels - 2, kCellPixels - 2));
}

} // namespace quarry::ui
