#pragma once

#include "core/RomError.h"

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
// One file of a batch export into a folder. A link there is not followed:
// that file is refused with RomError, as a name taken by a device is. A
// failed write, where the disk or the folder is at fault and the next files
// would fail alike, throws BatchWriteFailed.
class BatchWriteFailed : public RomError {
public:
    using RomError::RomError;
};
void writeBatchOutput(const QString& path, const QByteArray& bytes);

} // namespace quarry::ui
