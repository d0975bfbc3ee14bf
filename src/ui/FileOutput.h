#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;

namespace quarry::ui {

// The editor's exports and the files it reads besides images go through the
// core's file rules: outputs are regular files or new names (a device, a
// pipe or a folder is refused before anything is written), inputs are read
// only from regular files of a bounded size. Both throw RomError with a
// message for the user.
void writeOutputFile(const QString& path, const QByteArray& bytes);
std::vector<std::uint8_t> readInputFile(const QString& path, std::size_t limit);

// The picture as a PNG file in memory; throws RomError when it cannot be made.
QByteArray pngBytes(const QImage& image);
// A picture's name as chosen, with ".png" added when it has no ending and
// names nothing yet.
QString withPngEnding(const QString& path);

} // namespace quarry::ui
