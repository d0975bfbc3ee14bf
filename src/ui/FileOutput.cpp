#include "ui/FileOutput.h"

#include "core/RomError.h"
#include "core/rom/FileAccess.h"

#include <QBuffer>
#include <QImage>

#include <span>

namespace quarry::ui {

void writeOutputFile(const QString& path, const QByteArray& bytes)
{
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    const rom::SaveResult result = rom::writeFile(path.toStdString(), {data}, false);
    if (result != rom::SaveResult::Written)
        throw RomError(rom::saveFailureText(result, path.toStdString()));
}

std::vector<std::uint8_t> readInputFile(const QString& path, std::size_t limit)
{
    return rom::readRegularFileOrThrow(path.toStdString(), limit);
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        throw RomError("cannot make a PNG picture of " + std::to_string(image.width()) + " x "
                       + std::to_string(image.height()) + " pixels");
    return bytes;
}

void writeBatchOutput(const QString& path, const QByteArray& bytes)
{
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    const rom::SaveResult result = rom::writeBatchFile(path.toStdString(), data);
    if (result == rom::SaveResult::Written)
        return;
    const std::string text = rom::saveFailureText(result, path.toStdString());
    if (result == rom::SaveResult::WriteFailed || result == rom::SaveResult::InPlaceFailed)
        throw BatchWriteFailed(text);
    throw RomError(text);
}

} // namespace quarry::ui
