#include "core/gfx/NesColor.h"

#include <cmath>

namespace quarry::gfx {
namespace {

struct Channels {
    std::uint8_t red, green, blue;
};

// The PPU's master palette, indexed by colour index $00-$3F.
constexpr Channels kBaseColors[64] = {
    {128, 128, 128}, {0, 61, 166},   {0, 18, 176},   {68, 0, 150},   {161, 0, 94},   {199, 0, 40},
    {186, 6, 0},     {140, 23, 0},   {92, 47, 0},    {16, 69, 0},    {5, 74, 0},     {0, 71, 46},
    {0, 65, 102},    {0, 0, 0},      {5, 5, 5},      {5, 5, 5},

    {199, 199, 199}, {0, 119, 255},  {33, 85, 255},  {130, 55, 250}, {235, 47, 181}, {255, 41, 80},
    {255, 34, 0},    {214, 50, 0},   {196, 98, 0},   {53, 128, 0},   {5, 143, 0},    {0, 138, 85},
    {0, 153, 204},   {33, 33, 33},   {9, 9, 9},      {9, 9, 9},

    {255, 255, 255}, {15, 215, 255}, {105, 162, 255}, {212, 128, 255}, {255, 69, 243}, {255, 97, 139},
    {255, 136, 51},  {255, 156, 18}, {250, 188, 32}, {159, 227, 14}, {43, 240, 53},  {12, 240, 164},
    {5, 251, 255},   {94, 94, 94},   {13, 13, 13},   {13, 13, 13},

    {255, 255, 255}, {166, 252, 255}, {179, 236, 255}, {218, 171, 235}, {255, 168, 249}, {255, 171, 179},
    {255, 210, 176}, {255, 239, 166}, {255, 247, 156}, {215, 232, 149}, {166, 237, 175}, {162, 242, 218},
    {153, 255, 252}, {221, 221, 221}, {17, 17, 17},  {17, 17, 17},
};

struct Factors {
    double red, green, blue;
};

// One row per emphasis number. A combined row is its own measurement, not
// the product of the single-colour rows.
constexpr Factors kEmphasisFactors[8] = {
    {1.0, 1.0, 1.0},    {1.0, 0.8, 0.81},   {0.78, 0.94, 0.66}, {0.79, 0.77, 0.63},
    {0.82, 0.83, 1.12}, {0.81, 0.71, 0.87}, {0.68, 0.79, 0.79}, {0.7, 0.7, 0.7},
};

// Nearest integer with a half going to the even neighbour, then at most 255.
// Done by hand so the result does not depend on the floating-point rounding
// mode in force.
std::uint32_t scaleChannel(std::uint8_t base, double factor)
{
    const double product = static_cast<double>(base) * factor;
    double whole = std::floor(product);
    const double fraction = product - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole >= 255.0 ? 255u : static_cast<std::uint32_t>(whole);
}

} // namespace

Rgb nesColorToRgb(std::uint8_t index, bool greyscale, int emphasis)
{
    // Values past the master palette (only a damaged image holds them) are
    // black whatever the flags: greyscale must not fold them back into it.
    if (index > 0x3F)
        return kBlack;
    Factors factors = kEmphasisFactors[0];
    if (greyscale)
        index &= 0x30;
    else
        factors = kEmphasisFactors[emphasis & 7];

    const Channels& base = kBaseColors[index];
    return scaleChannel(base.red, factors.red) | (scaleChannel(base.green, factors.green) << 8)
           | (scaleChannel(base.blue, factors.blue) << 16);
}

Rgb nesColorToRgb(std::uint8_t index, const PpuMaskSettings& settings)
{
    return nesColorToRgb(index, settings.greyscaleOn(), settings.emphasisNumber());
}

ColorTable nesColorTable(const PpuMaskSettings& settings)
{
    ColorTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = nesColorToRgb(static_cast<std::uint8_t>(i), settings);
    return table;
}

bool isDarkColor(std::uint8_t index)
{
    return (index >= 0x01 && index <= 0x03) || (index >= 0x08 && index <= 0x0F) || (index >= 0x1D && index <= 0x1F)
           || index == 0x2E || index == 0x2F || index == 0x3E || index == 0x3F;
}

} // namespace quarry::gfx
