#include "ui/map/GridLines.h"

#include "core/rom/GameLayout.h"

#include <algorithm>

namespace quarry::ui {

GridLines::Line& GridLines::at(Array array, std::size_t index)
{
    auto& lines = arrays_[array];
    while (lines.size() <= index) {
        // A new line takes the colour of the first line of its array.
        Line line;
        if (!lines.empty())
            line.blue = lines.front().blue;
        lines.push_back(line);
    }
    return lines[index];
}

void GridLines::build(int screensWide, int screensHigh, bool showMetatile, bool showScreen)
{
    using namespace layout;
    const int width = kScreenWidth * screensWide;
    const int height = kScreenHeight * screensHigh;
    for (int i = 0; i < kScreenColumns * screensWide; ++i) {
        Line& line = at(MetatileVertical, static_cast<std::size_t>(i));
        line.x1 = line.x2 = kMetatilePixels * i;
        line.y1 = 0;
        line.y2 = height;
        line.visible = showMetatile;
    }
    for (int j = 0; j < kScreenRows * screensHigh; ++j) {
        Line& line = at(MetatileHorizontal, static_cast<std::size_t>(j));
        line.y1 = line.y2 = kMetatilePixels * j;
        line.x1 = 0;
        line.x2 = width;
        line.visible = showMetatile;
    }
    for (int i = 0; i <= screensWide; ++i) {
        Line& line = at(ScreenVertical, static_cast<std::size_t>(i));
        line.x1 = line.x2 = kScreenWidth * i;
        line.y1 = 0;
        line.y2 = height;
        line.visible = showScreen;
    }
    for (int j = 0; j <= screensHigh; ++j) {
        Line& line = at(ScreenHorizontal, static_cast<std::size_t>(j));
        line.y1 = line.y2 = kScreenHeight * j;
        line.x1 = 0;
        line.x2 = width;
        line.visible = showScreen;
    }
}

void GridLines::setVisible(Array array, bool visible)
{
    for (Line& line : arrays_[array])
        line.visible = visible;
}

void GridLines::showNone()
{
    for (int array = 0; array < kArrayCount; ++array)
        setVisible(static_cast<Array>(array), false);
}

void GridLines::showMetatileGrid(bool shown)
{
    setVisible(ScreenVertical, false);
    setVisible(ScreenHorizontal, false);
    setVisible(MetatileVertical, shown);
    setVisible(MetatileHorizontal, shown);
}

void GridLines::showScreenGrid(bool shown)
{
    setVisible(MetatileVertical, false);
    setVisible(MetatileHorizontal, false);
    setVisible(ScreenVertical, shown);
    setVisible(ScreenHorizontal, shown);
}

void GridLines::setBlueLevel(int value)
{
    const auto blue = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    for (auto& lines : arrays_)
        for (Line& line : lines)
            line.blue = blue;
}

} // namespace quarry::ui
