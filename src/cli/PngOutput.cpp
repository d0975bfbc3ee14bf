#include "cli/PngOutput.h"

#include "cli/RomAccess.h"
#include "core/RomError.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <algorithm>

namespace quarry::cli {

namespace {

// The picture with a colour table when it has at most 256 colours.
QImage indexedImage(const gfx::Canvas& canvas)
{
    QImage image(canvas.width(), canvas.height(), QImage::Format_Indexed8);
    QList<QRgb> table;
    std::vector<std::uint32_t> seen; // stored words, by table index
    std::uint32_t last = 0;
    int lastIndex = -1;
    const std::uint32_t* pixel = canvas.data();
    for (int y = 0; y < canvas.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < canvas.width(); ++x, ++pixel) {
            if (*pixel != last || lastIndex < 0) {
                const auto found = std::find(seen.begin(), seen.end(), *pixel);
                if (found == seen.end()) {
                    if (seen.size() == 256)
                        return {};
                    seen.push_back(*pixel);
                    const std::uint32_t rgb = *pixel;
                    table << qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                  static_cast<int>((rgb >> 16) & 0xFF));
                }
                last = *pixel;
                lastIndex = static_cast<int>(std::find(seen.begin(), seen.end(), *pixel) - seen.begin());
            }
            line[x] = static_cast<uchar>(lastIndex);
        }
    }
    image.setColorTable(table);
    return image;
}

} // namespace

QByteArray encodePng(const gfx::Canvas& canvas)
{
    QImage image = indexedImage(canvas);
    if (image.isNull())
        image = QImage(reinterpret_cast<const uchar*>(canvas.data()), canvas.width(), canvas.height(),
                       canvas.bytesPerLine(), QImage::Format_RGBX8888)
                    .convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt turns quality q into the zlib level (100 - q) * 9 / 91: 89 gives
    // level 1, the fastest that still compresses (90 and above store).
    writer.setQuality(89);
    if (!writer.write(image))
        throw RomError("cannot make a PNG picture: " + writer.errorString().toStdString());
    return bytes;
}

void writePng(const QString& path, const gfx::Canvas& canvas)
{
    const QByteArray bytes = encodePng(canvas);
    writeOutputFile(path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())));
}

} // namespace quarry::cli
