#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/rom/DataFiles.h"
#include "core/session/Document.h"

#include <QFileInfo>

namespace quarry::cli {

namespace {

void explain(rom::OpenResult result, const QString& path)
{
    switch (result) {
    case rom::OpenResult::Loaded:
        return;
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
    explain(rom::openRomImage(path.toStdString(), image), path);
    return image;
}

void openDocument(session::Document& document, const QString& path, const QString& datDir)
{
    explain(document.open(path.toStdString()), path);
    rom::loadCharTable(datDir.toStdString(), document.sideData().charTable);
}

void writeImage(const QString& path, const rom::RomImage& image)
{
    if (rom::saveRomImage(path.toStdString(), image) != rom::SaveResult::Written)
        throw RomError("cannot write " + path.toStdString());
}

} // namespace quarry::cli
