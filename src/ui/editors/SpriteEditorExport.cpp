// The sprite editor's exports: a frame, and an animation as a sprite sheet,
// both as the game shows them on a transparent background.
#include "ui/editors/SpriteEditor.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/sprites/SpriteGeometry.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

namespace quarry::ui {

namespace {

namespace t = texts::sprite;

using sprites::kGameRange;
constexpr const char* kPngFilter = "PNG picture (*.png)";

// The list as the game shows it over the whole 256 x 256 range, transparent
// where no sprite has colour; `box` takes the part sprites cover.
QImage inGamePicture(const sprites::OamList& list, const sprites::SpriteArt& art, QRect& box)
{
    gfx::Canvas canvas(kGameRange, kGameRange);
    const std::vector<bool> covered = sprites::drawOamPlaced(list, art, canvas, {}, true);
    QImage picture(kGameRange, kGameRange, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    box = QRect();
    for (int y = 0; y < kGameRange; ++y)
        for (int x = 0; x < kGameRange; ++x)
            if (covered[static_cast<std::size_t>(y * kGameRange + x)]) {
                const gfx::Rgb rgb = canvas.pixel(x, y);
                picture.setPixel(x, y, qRgb(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                            static_cast<int>((rgb >> 16) & 0xFF)));
                box |= QRect(x, y, 1, 1);
            }
    return picture;
}

} // namespace

QImage SpriteEditor::framePicture() const
{
    QRect box;
    const QImage whole = inGamePicture(frameList_, art(), box);
    return box.isEmpty() ? QImage() : whole.copy(box);
}

void SpriteEditor::exportFramePng()
{
    const QImage picture = framePicture();
    if (picture.isNull()) {
        dialogs_.showMessage(this, QString::fromLatin1(t::kNothingToExport).arg(hexByte(currentFrame_)));
        return;
    }
    const QString name = QStringLiteral("%1-frame-%2.png").arg(imageBaseName(document_.document()), hexByte(currentFrame_));
    const QString path = dialogs_.chooseSaveFile(this, proposedPath(FileKind::Pictures, name),
                                                 QString::fromLatin1(kPngFilter), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    runGuarded(dialogs_, this, [&] {
        try {
            writeOutputFile(path, pngBytes(picture));
        } catch (const RomError& error) {
            dialogs_.showMessage(this, QString::fromLatin1(t::kCannotWrite)
                                           .arg(QDir::toNativeSeparators(path), QString::fromUtf8(error.what())));
        }
    });
}

void SpriteEditor::exportAnimationSheet()
{
    // The frames in playing order, each drawn after the one before as the game does.
    std::vector<QImage> frames;
    QRect box;
    const bool built = runGuarded(dialogs_, this, [&] {
        sprites::FrameBuilder builder;
        for (const std::uint16_t pointer : animation_.framePointers) {
            QRect frameBox;
            frames.push_back(inGamePicture(builder.buildFrameOam(document_.document().rom(), pointer), art(), frameBox));
            box |= frameBox;
        }
    });
    if (!built)
        return;
    if (box.isEmpty()) {
        dialogs_.showMessage(this, QString::fromLatin1(t::kNothingToExport).arg(hexByte(animation_.start)));
        return;
    }
    const QString name = QStringLiteral("%1-animation-%2.png").arg(imageBaseName(document_.document()), hexByte(currentAnimation_));
    const QString path = dialogs_.chooseSaveFile(this, proposedPath(FileKind::Pictures, name),
                                                 QString::fromLatin1(kPngFilter), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Pictures, path);
    // One cell per frame, left to right, all the size of the part any frame covers.
    QImage sheet(box.width() * static_cast<int>(frames.size()), box.height(), QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    QJsonArray numbers;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        painter.drawImage(QPoint(box.width() * static_cast<int>(i), 0), frames[i], box);
        numbers.append(animation_.frameNumber(static_cast<int>(i)));
    }
    painter.end();
    const QJsonObject description{
        {"animation", currentAnimation_},
        {"frames", numbers},
        {"ticks", animation_.timer + 1},
        {"cellWidth", box.width()},
        {"cellHeight", box.height()},
        {"originX", layout::kSpriteReferenceX - box.x()},
        {"originY", layout::kSpriteReferenceY - box.y()},
    };
    const QFileInfo info(path);
    const QString jsonPath = info.dir().filePath(info.completeBaseName() + QStringLiteral(".json"));
    // The box asked about the picture; the description beside it is replaced too.
    if (!dialogs_.confirmReplacing(this, {jsonPath}))
        return;
    runGuarded(dialogs_, this, [&] {
        for (const auto& [file, bytes] : {std::pair{path, pngBytes(sheet)},
                                          std::pair{jsonPath, QJsonDocument(description).toJson()}}) {
            try {
                writeOutputFile(file, bytes);
            } catch (const RomError& error) {
                dialogs_.showMessage(this, QString::fromLatin1(t::kCannotWrite)
                                               .arg(QDir::toNativeSeparators(file), QString::fromUtf8(error.what())));
                return;
            }
        }
    });
}

} // namespace quarry::ui
