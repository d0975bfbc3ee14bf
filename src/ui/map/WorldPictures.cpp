#include "ui/map/WorldPictures.h"

#include "ui/HexText.h"
#include <QFileInfo>
#include <QImageReader>

namespace quarry::ui {

QImage WorldPictures::load(const QString& relativePath, const QString& fallback, bool* own)
{
    const QString path = datDir_ + QLatin1Char('/') + relativePath;
    const bool exists = QFileInfo(path).isFile();
    if (own)
        *own = exists;
    const QString chosen = exists ? path : datDir_ + QLatin1Char('/') + fallback;
    auto found = cache_.constFind(chosen);
    if (found != cache_.constEnd())
        return *found;
    QImage image;
    if (QFileInfo(chosen).isFile())
        image = QImageReader(chosen).read();
    cache_.insert(chosen, image);
    return image;
}

QImage WorldPictures::actorPicture(int type, bool* own)
{
    const QString hex = hexByte(type);
    return load(QStringLiteral("obj/obj%1.JPG").arg(hex), QStringLiteral("obj/objxx.JPG"), own);
}

QImage WorldPictures::stairPicture(int upDown, int leftRight)
{
    return load(QStringLiteral("stair/%1%2.JPG").arg(upDown & 1).arg(leftRight & 1), QStringLiteral("stair/xx.JPG"),
                nullptr);
}

} // namespace quarry::ui
