#pragma once

#include <QHash>
#include <QImage>
#include <QString>

namespace quarry::ui {

// The preview pictures of the dat folder: dat/obj/objNN.JPG per actor type
// with dat/obj/objxx.JPG for types without one, and dat/stair/UL.JPG per
// stair direction with dat/stair/xx.JPG. Each file is read once.
class WorldPictures {
public:
    explicit WorldPictures(QString datDir) : datDir_(std::move(datDir)) {}

    // The picture of actor type `type`; `own` tells whether the type has a
    // picture of its own. Null when neither file exists.
    QImage actorPicture(int type, bool* own = nullptr);
    QImage stairPicture(int upDown, int leftRight);

private:
    QImage load(const QString& relativePath, const QString& fallback, bool* own);

    QString datDir_;
    QHash<QString, QImage> cache_;
};

} // namespace quarry::ui
