#include "ui/editors/TileSheetImage.h"

#include "core/gfx/TileSheet.h"

#include <vector>

namespace quarry::ui {

namespace {

QRgb toQRgb(gfx::Rgb colour)
{
    return qRgb(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

// True when the picture's own colour numbers can be taken as they are.
bool indexesMatch(const QImage& picture, const SheetColours& colours)
{
    if (picture.format() != QImage::Format_Indexed8)
        return false;
    const QList<QRgb> table = picture.colorTable();
    if (table.size() < 4)
        return false;
    for (std::size_t i = 0; i < colours.size(); ++i)
        if (table[static_cast<qsizetype>(i)] != (toQRgb(colours[i]) | 0xFF000000u))
            return false;
    return true;
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
    std::vector<std::uint8_t> sheet(gfx::kTileSheetPixels, 0);
    const bool byIndex = indexesMatch(picture, colours);
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
                const QString hex = QString::number(picture.pixel(x, y) & 0xFFFFFFu, 16).rightJustified(6, QLatin1Char('0'));
                result.problem = QStringLiteral("The picture has a colour (#%1 at %2, %3) that is not one of the four "
                                                "colours of palette %4. Nothing was imported.")
                                     .arg(hex.toUpper())
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
