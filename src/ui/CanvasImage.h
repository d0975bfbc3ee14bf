#pragma once

#include "core/gfx/Canvas.h"

#include <QImage>

namespace quarry::ui {

// A QImage holding its own copy of a canvas's pixels (the canvas stores
// RGBX bytes in memory order, which Format_RGBX8888 reads as is). The copy
// keeps views safe when the document replaces its pictures.
inline QImage toImage(const gfx::Canvas& canvas)
{
    if (canvas.width() == 0 || canvas.height() == 0)
        return {};
    const QImage view(reinterpret_cast<const uchar*>(canvas.data()), canvas.width(), canvas.height(),
                      canvas.bytesPerLine(), QImage::Format_RGBX8888);
    return view.copy();
}

// A QImage that takes the canvas's pixels over instead of copying them.
inline QImage toImage(gfx::Canvas&& canvas)
{
    if (canvas.width() == 0 || canvas.height() == 0)
        return {};
    auto* owned = new gfx::Canvas(std::move(canvas));
    return QImage(
        reinterpret_cast<const uchar*>(owned->data()), owned->width(), owned->height(), owned->bytesPerLine(),
        QImage::Format_RGBX8888, [](void* pixels) { delete static_cast<gfx::Canvas*>(pixels); }, owned);
}

} // namespace quarry::ui
