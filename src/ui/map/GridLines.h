#pragma once

#include <cstdint>
#include <vector>

namespace quarry::ui {

// The map view's grid: four arrays of lines that grow on demand and never
// shrink. Lines left over from a larger map keep their place and
// visibility; they lie outside a smaller map's picture and are not seen.
class GridLines {
public:
    struct Line {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool visible = false;
        std::uint8_t blue = 0; // the line's colour is (0, 0, blue)
    };
    enum Array { MetatileVertical, MetatileHorizontal, ScreenVertical, ScreenHorizontal, kArrayCount };

    // Places the lines for a map of W x H screens and shows the metatile or
    // screen grid as chosen.
    void build(int screensWide, int screensHigh, bool showMetatile, bool showScreen);

    void showNone();
    // The choice buttons: each hides the other grid, then shows or hides its own.
    void showMetatileGrid(bool shown);
    void showScreenGrid(bool shown);
    // 0 black to 255 pure blue; values above 255 count as 255.
    void setBlueLevel(int value);

    const std::vector<Line>& lines(Array array) const { return arrays_[array]; }

private:
    Line& at(Array array, std::size_t index);
    void setVisible(Array array, bool visible);

    std::vector<Line> arrays_[kArrayCount];
};

} // namespace quarry::ui
