#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quarry::gfx {

// A colour as the renderers produce it: red in the low byte, then green, then
// blue (red + 256 x green + 65536 x blue), top byte 0.
using Rgb = std::uint32_t;

// Black as an Rgb value.
inline constexpr Rgb kBlack = 0;

// An off-screen picture: width x height 32-bit pixels, row by row, top row
// first, no padding between rows.
//
// Each stored pixel is 0xFF000000 | rgb: in memory on a little-endian machine
// the bytes are red, green, blue, $FF, which is the layout of a QImage in
// Format_RGBX8888, so a view can wrap data() without copying (bytes per line
// = 4 x width). pixel() hands back the plain Rgb without the top byte.
//
// Drawing outside the picture is ignored (the part that lies inside is
// drawn); reading outside it throws std::out_of_range.
class Canvas {
public:
    static constexpr std::uint32_t kOpaque = 0xFF000000u;

    Canvas() = default;
    // A black picture. Throws std::invalid_argument for a negative size.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void fill(Rgb colour);
    void setPixel(int x, int y, Rgb colour)
    {
        if (contains(x, y))
            pixels_[index(x, y)] = kOpaque | (colour & 0xFFFFFFu);
    }
    Rgb pixel(int x, int y) const;

    // Copies the w x h rectangle at (sx, sy) of `source` to (dx, dy) of this
    // picture, 1:1. Parts that lie outside either picture are skipped; the
    // destination keeps its pixels there. `source` may be this picture only
    // when the rectangles do not overlap.
    void blit(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy);

    // The raw stored words (0xFF000000 | rgb), row by row.
    const std::uint32_t* data() const { return pixels_.data(); }
    std::span<const std::uint32_t> words() const { return pixels_; }
    int bytesPerLine() const { return width_ * 4; }

    bool operator==(const Canvas& other) const = default;

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace quarry::gfx
