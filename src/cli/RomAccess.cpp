#include "cli/RomAccess.h"

#include "cli/Cli.h"
#include "core/RomError.h"
#include "core/rom/DataFiles.h"
#include "core/rom/GameLayout.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <sys/stat.h>

namespace quarry::cli {

namespace {

[[noreturn]] void throwOpenFailure(const QString& path, rom::OpenResult result)
{
    switch (result) {
    case rom::OpenResult::Loaded:
        break;
    case rom::OpenResult::ReadFailed:
        throw RomError("cannot read " + path.toStdString() + " (missing, unreadable or 16 bytes or less)");
    case rom::OpenResult::NotInes:
        throw RomError(path.toStdString() + " is not an iNES image (no \"NES\" magic)");
    case rom::OpenResult::NotRegularFile:
        throw RomError(rom::readFailureText(rom::ReadStatus::NotRegularFile, path.toStdString(), 0));
    case rom::OpenResult::TooLarge:
        throw RomError("cannot read " + path.toStdString() + ": it is larger than any iNES image ("
                       + std::to_string(layout::kMaximumFileSize) + " bytes)");
    case rom::OpenResult::TooShort:
        throw RomError(path.toStdString()
                       + " is too short to hold the game's data (it needs at least 262144 bytes after the header)");
    }
    throw RomError("cannot open " + path.toStdString());
}

} // namespace

rom::RomImage openImage(const QString& path)
{
    rom::RomImage image;
    const rom::OpenResult result = rom::openRomImage(path.toStdString(), image);
    if (result != rom::OpenResult::Loaded)
        throwOpenFailure(path, result);
    return image;
}

void openDocument(session::Document& document, const QString& path, const QString& datDir)
{
    rom::ReadStatus status = rom::ReadStatus::Read;
    if (!rom::loadCharTable(datDir.toStdString(), document.sideData().charTable, &status)) {
        const std::string tbl = QDir(datDir).filePath(QStringLiteral("TBL.DAT")).toStdString();
        const std::string why = status == rom::ReadStatus::Unreadable
                                    ? "no TBL.DAT in " + datDir.toStdString()
                                    : rom::readFailureText(status, tbl, rom::kSideFileLimit);
        std::fprintf(stderr, "quarry-cli: %s, using the built-in character table\n", why.c_str());
    }
    const rom::OpenResult result = document.open(path.toStdString());
    if (result != rom::OpenResult::Loaded)
        throwOpenFailure(path, result);
}

void checkOutputIsNotInput(const QString& input, const QString& output)
{
    // The same file under any name, a hard link included: device and inode.
    struct stat in {}, out {};
    const bool same = ::stat(output.toLocal8Bit().constData(), &out) == 0
                          ? ::stat(input.toLocal8Bit().constData(), &in) == 0 && in.st_dev == out.st_dev
                                && in.st_ino == out.st_ino
                          : QFileInfo(input).absoluteFilePath() == QFileInfo(output).absoluteFilePath();
    if (same)
        throw UsageError("-o must name another file than the input " + input.toStdString());
}

void writeImage(const QString& path, const rom::RomImage& image)
{
    const rom::SaveResult result = rom::saveRomImageAs(path.toStdString(), image);
    if (result != rom::SaveResult::Written)
        throw RomError(rom::saveFailureText(result, path.toStdString()));
}

void writeOutputFile(const QString& path, std::span<const std::uint8_t> bytes)
{
    const rom::SaveResult result = rom::saveFileBytes(path.toStdString(), bytes);
    if (result != rom::SaveResult::Written)
        throw RomError(rom::saveFailureText(result, path.toStdString()));
}

std::vector<std::uint8_t> readInputFile(const QString& path, std::size_t limit)
{
    return rom::readRegularFileOrThrow(path.toStdString(), limit);
}

} // namespace quarry::cli
