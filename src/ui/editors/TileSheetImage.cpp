#include "ui/editors/TileSheetImage.h"

#include "core/gfx/TileSheet.h"
#include "ui/HexText.h"

#include <optional>
#include <vector>

namespace quarry::ui {

namespace {

QRgb toQRgb(gfx::Rgb colour)
{
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

// True when the picture's own colour numbers can be taken as they are: an
// indexed picture whose table starts with the palette's colours, or one of
// at most four colours whatever they are (`differs` then says so).
bool byIndexes(const QImage& picture, const SheetColours& colours, bool& differs)
{
    differs = false;
    if (picture.format() != QImage::Format_Indexed8)
        return false;
    const QList<QRgb> table = picture.colorTable();
    bool same = table.size() >= 4;
    for (std::size_t i = 0; same && i < colours.size(); ++i)
        same = table[static_cast<qsizetype>(i)] == (toQRgb(colours[i]) | 0xFF000000u);
    differs = !same && table.size() <= 4;
    return same || differs;
}

// The first pixel that is not fully opaque, if any.
std::optional<QPoint> firstTransparent(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return std::nullopt;
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) != 255)
                return QPoint(x, y);
    return std::nullopt;
}

} // namespace

QImage tileSheetImage(const gfx::TilePixels& tiles, const SheetColours& colours)
{
    const std::vector<std::uint8_t> sheet = gfx::tilesToSheet(tiles);
    QImage picture(gfx::kTileSheetSize, gfx::kTileSheetSize, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const gfx::Rgb colour : colours)
        table.append(toQRgb(colour));
    picture.setColorTable(table);
    for (int y = 0; y < gfx::kTileSheetSize; ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < gfx::kTileSheetSize; ++x)
            line[x] = sheet[static_cast<std::size_t>(y * gfx::kTileSheetSize + x)];
    }
    return picture;
}

TileSheetRead readTileSheet(const QImage& picture, const SheetColours& colours, int paletteNumber)
{
    TileSheetRead result;
    if (picture.width() != gfx::kTileSheetSize || picture.height() != gfx::kTileSheetSize) {
        result.problem = QStringLiteral("The picture is %1 x %2 pixels; a pattern table picture must be 128 x 128. "
                                        "Nothing was imported.")
                             .arg(picture.width())
                             .arg(picture.height());
        return result;
    }
    if (const std::optional<QPoint> at = firstTransparent(picture)) {
        result.problem = QStringLiteral("The picture is transparent at %1, %2; a pattern table picture has no "
                                        "transparent pixels. Nothing was imported.")
                             .arg(at->x())
                             .arg(at->y());
        return result;
    }
    std::vector<std::uint8_t> sheet(gfx::kTileSheetPixels, 0);
    bool differs = false;
    const bool byIndex = byIndexes(picture, colours, differs);
    if (differs)
        result.note = QStringLiteral("The picture's colours are not those of palette %1: its colour numbers 0-3 were "
                                     "taken as they are.")
                          .arg(paletteNumber);
    const QImage argb = byIndex ? QImage() : picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gfx::kTileSheetSize; ++y) {
        for (int x = 0; x < gfx::kTileSheetSize; ++x) {
            int number = -1;
            if (byIndex) {
                const int index = picture.pixelIndex(x, y);
                number = index < 4 ? index : -1;
            } else {
                const QRgb pixel = argb.pixel(x, y);
                for (int i = 0; i < 4 && number < 0 && qAlpha(pixel) == 255; ++i)
                    if ((pixel & 0xFFFFFFu) == (toQRgb(colours[static_cast<std::size_t>(i)]) & 0xFFFFFFu))
                        number = i;
            }
            if (number < 0) {
                const QString hex = hexColour(picture.pixel(x, y));
                result.problem = QStringLiteral("The picture has a colour (#%1 at %2, %3) that is not one of the four "
                                                "colours of palette %4. Nothing was imported.")
                                     .arg(hex)
                                     .arg(x)
                                     .arg(y)
                                     .arg(paletteNumber);
                return result;
            }
            sheet[static_cast<std::size_t>(y * gfx::kTileSheetSize + x)] = static_cast<std::uint8_t>(number);
        }
    }
    result.tiles = gfx::sheetToTiles(sheet);
    return result;
}

} // namespace quarry::ui
