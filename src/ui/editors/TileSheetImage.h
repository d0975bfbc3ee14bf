#pragma once

#include "core/gfx/Chr.h"
#include "core/gfx/NesColor.h"

#include <QImage>
#include <QString>

#include <array>
#include <optional>

namespace quarry::ui {

// The four colours of one palette, as the pattern table draws them.
using SheetColours = std::array<gfx::Rgb, 4>;

// A bank as a 128 x 128 indexed picture whose colour table is the four
// colours, colour number n at index n.
QImage tileSheetImage(const gfx::TilePixels& tiles, const SheetColours& colours);

// A bank read back from a picture, or the reason it was refused.
struct TileSheetRead {
    std::optional<gfx::TilePixels> tiles;
    QString problem; // why nothing was read
    QString note;    // something the user should know about what was read
};

// Reads a 128 x 128 picture. An indexed picture whose colour table starts
// with the four colours in order keeps its indexes, so a bank exported
// with a palette holding one colour twice comes back exactly; any other
// picture has each opaque pixel matched to the first palette entry of the
// same colour. Another size, or any pixel of another colour (or not fully
// opaque), refuses the whole picture.
TileSheetRead readTileSheet(const QImage& picture, const SheetColours& colours, int paletteNumber);

} // namespace quarry::ui
