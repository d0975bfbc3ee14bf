#include "cli/PngOutput.h"

#include "core/RomError.h"

#include <QImage>
#include <QSaveFile>

namespace quarry::cli {

void writePng(const QString& path, const gfx::Canvas& canvas)
{
    const QImage image(reinterpret_cast<const uchar*>(canvas.data()), canvas.width(), canvas.height(),
                       canvas.bytesPerLine(), QImage::Format_RGBX8888);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.convertToFormat(QImage::Format_RGB888).save(&file, "PNG")
        || !file.commit())
        throw RomError("cannot write " + path.toStdString());
}

} // namespace quarry::cli
