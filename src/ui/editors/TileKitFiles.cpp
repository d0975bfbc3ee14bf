// The tile kit's bank as a picture: export to and import from PNG files.
#include "ui/editors/TileKit.h"
#include "ui/HexText.h"

#include "core/RomError.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/RomDocument.h"
#include "ui/editors/TileSheetImage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace quarry::ui {

namespace {
constexpr const char* kPngFilter = "PNG picture (*.png)";
}

std::array<gfx::Rgb, 4> TileKit::sheetColours() const
{
    SheetColours colours{};
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = gfx::masterColour(colors_, palette_[static_cast<std::size_t>(4 * paletteNumber_) + i]);
    return colours;
}

QImage TileKit::bankPicture() const
{
    return tileSheetImage(tiles_, sheetColours());
}

QString TileKit::importBankPicture(const QImage& picture, QString* note)
{
    TileSheetRead read = readTileSheet(picture, sheetColours(), paletteNumber_);
    if (!read.tiles)
        return read.problem;
    if (!attached_)
        return QStringLiteral("There is no bank to import into.");
    session::Document::EditScope scope(document_.document(), "Import tiles", 0);
    document_.document().writeTiles(bankStart_, *read.tiles);
    if (note)
        *note = read.note;
    return {};
}

void TileKit::exportPng()
{
    if (!dialogs_)
        return;
    // Named for the image and where the bank lies in it: "game-tiles-1A000.png".
    const QString name = QStringLiteral("%1-tiles-%2.png")
                             .arg(imageBaseName(document_.document()), hexNumber(static_cast<int>(bankStart_)));
    const QString path = dialogs_->chooseSaveFile(this, proposedPath(FileKind::Pictures, name),
                                                  QString::fromLatin1(kPngFilter), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(*dialogs_, this, [&] {
        try {
            writeOutputFile(path, pngBytes(bankPicture()));
        } catch (const RomError& error) {
            dialogs_->showMessage(this, QStringLiteral("Cannot write the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
        }
    });
}

void TileKit::importPng()
{
    if (!dialogs_)
        return;
    const QString path = dialogs_->chooseOpenFile(this, lastFolder(FileKind::Pictures), QString::fromLatin1(kPngFilter));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(*dialogs_, this, [&] {
        // Read through the file rules first, so a pipe or a device named
        // here is refused rather than waited on. A bank picture is small.
        std::vector<std::uint8_t> bytes;
        try {
            bytes = readInputFile(path, 16u << 20);
        } catch (const RomError& error) {
            dialogs_->showMessage(this, QStringLiteral("Cannot read the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
            return;
        }
        QByteArray contents(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        QBuffer buffer(&contents);
        QImageReader reader(&buffer);
        const QImage picture = reader.read();
        if (picture.isNull()) {
            dialogs_->showMessage(this, QStringLiteral("Cannot read the picture %1: %2.")
                                            .arg(QDir::toNativeSeparators(path), reader.errorString()));
            return;
        }
        QString note;
        const QString problem = importBankPicture(picture, &note);
        if (!problem.isEmpty() || !note.isEmpty())
            dialogs_->showMessage(this, problem.isEmpty() ? note : problem);
    });
}

} // namespace quarry::ui
