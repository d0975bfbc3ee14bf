#include "cli/RomAccess.h"

#include "cli/Cli.h"
#include "core/RomError.h"

#include <QFileInfo>

#include <cstdio>

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
    if (!rom::loadCharTable(datDir.toStdString(), document.sideData().charTable))
        std::fprintf(stderr, "quarry-cli: no TBL.DAT in %s, using the built-in character table\n", qPrintable(datDir));
    const rom::OpenResult result = document.open(path.toStdString());
    if (result != rom::OpenResult::Loaded)
        throwOpenFailure(path, result);
}

void checkOutputIsNotInput(const QString& input, const QString& output)
{
    const QFileInfo in(input);
    const QFileInfo out(output);
    const bool same = out.exists() ? in.canonicalFilePath() == out.canonicalFilePath()
                                   : in.absoluteFilePath() == out.absoluteFilePath();
    if (same)
        throw UsageError("-o must name another file than the input " + input.toStdString());
}

void writeImage(const QString& path, const rom::RomImage& image)
{
    if (rom::saveRomImageAs(path.toStdString(), image) != rom::SaveResult::Written)
        throw RomError("cannot write " + path.toStdString());
}

} // namespace quarry::cli
