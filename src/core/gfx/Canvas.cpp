#include "core/gfx/Canvas.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quarry::gfx {

namespace {

// Fills with one 32-bit value by copying ever larger runs of it: the copies
// run at memory speed, where a loop storing one word at a time does not.
void fillWords(std::vector<std::uint32_t>& words, std::uint32_t value)
{
    const std::size_t size = words.size();
    if (size == 0)
        return;
    constexpr std::size_t kSeed = 64;
    std::fill_n(words.begin(), std::min(size, kSeed), value);
    for (std::size_t done = std::min(size, kSeed); done < size;) {
        const std::size_t run = std::min(done, size - done);
        std::copy_n(words.begin(), run, words.begin() + static_cast<std::ptrdiff_t>(done));
        done += run;
    }
}

} // namespace

Canvas::Canvas(int width, int height)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("picture size " + std::to_string(width) + " x " + std::to_string(height)
                                    + " is negative");
    width_ = width;
    height_ = height;
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    fillWords(pixels_, kOpaque | kBlack);
}

void Canvas::fill(Rgb colour)
{
    fillWords(pixels_, kOpaque | (colour & 0xFFFFFFu));
}

Rgb Canvas::pixel(int x, int y) const
{
    if (!contains(x, y))
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a "
                                + std::to_string(width_) + " x " + std::to_string(height_) + " picture");
    return pixels_[index(x, y)] & 0xFFFFFFu;
}

void Canvas::blit(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy)
{
    // Clip against the source, then against the destination, moving both
    // corners together so the copy stays 1:1. Work in 64 bits so no corner
    // arithmetic can overflow.
    long long x0 = sx, y0 = sy, x1 = static_cast<long long>(sx) + w, y1 = static_cast<long long>(sy) + h;
    const long long offX = static_cast<long long>(dx) - sx;
    const long long offY = static_cast<long long>(dy) - sy;
    x0 = std::max({x0, 0LL, -offX});
    y0 = std::max({y0, 0LL, -offY});
    x1 = std::min({x1, static_cast<long long>(source.width_), static_cast<long long>(width_) - offX});
    y1 = std::min({y1, static_cast<long long>(source.height_), static_cast<long long>(height_) - offY});
    if (x0 >= x1 || y0 >= y1)
        return;

    const auto rowLength = static_cast<std::ptrdiff_t>(x1 - x0);
    for (long long y = y0; y < y1; ++y) {
        const auto from = source.pixels_.begin()
                          + static_cast<std::ptrdiff_t>(source.index(static_cast<int>(x0), static_cast<int>(y)));
        const auto to = pixels_.begin()
                        + static_cast<std::ptrdiff_t>(index(static_cast<int>(x0 + offX), static_cast<int>(y + offY)));
        std::copy(from, from + rowLength, to);
    }
}

} // namespace quarry::gfx
