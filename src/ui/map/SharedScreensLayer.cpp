#include "ui/map/SharedScreensLayer.h"

#include "core/rom/GameLayout.h"
#include "core/session/MapBlocks.h"
#include "ui/RomDocument.h"
#include "ui/map/MapView.h"

#include <QPainter>
#include <QStringList>

namespace quarry::ui {

SharedScreensLayer::SharedScreensLayer(RomDocument& document, MapView& view, QObject* parent)
    : QObject(parent), document_(document), view_(view)
{
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        // Screen pointers of this map or of another may have moved.
        if (change.touches(session::kMapChanged))
            forget();
    });
    view_.setOverlay(MapView::OverlayLayer::SharedScreens, [this](QPainter& painter) { paint(painter); });
}

void SharedScreensLayer::setShown(bool shown)
{
    shown_ = shown;
    view_.viewport()->update();
}

void SharedScreensLayer::forget()
{
    sharing_.reset();
    if (shown_)
        view_.viewport()->update();
}

const session::ScreenSharing& SharedScreensLayer::sharing()
{
    if (!sharing_) {
        const session::LoadedArea* area = document_.document().area();
        sharing_ = area ? session::ScreenSharing::survey(document_.document().rom(), area->id, area->pointers.mapPointer,
                                                          area->map)
                        : session::ScreenSharing();
    }
    return *sharing_;
}

QString SharedScreensLayer::reachNote(const session::Document::CellEdit& edit)
{
    if (edit.empty())
        return {};
    return QString::fromStdString(session::reachText(sharing().reachOf(edit.bodyBytes, edit.positions)));
}

QString SharedScreensLayer::hoverWords(QPoint mapPixel)
{
    const session::LoadedArea* area = document_.document().area();
    if (!shown_ || !area)
        return {};
    const auto cell = session::cellAtPixel(area->map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return {};
    const int position = session::screenPosition(area->map, *cell);
    const int others = sharing().otherPlaces(position);
    if (others == 0)
        return {};
    return (others == 1 ? QStringLiteral("Screen shown in 1 other place")
                        : QStringLiteral("Screen shown in %1 other places").arg(others))
           + QStringLiteral(": ") + placesText(position);
}

QString SharedScreensLayer::placesText(int position)
{
    // A long list is cut short: the badge has the full count.
    constexpr std::size_t kNamed = 6;
    const std::vector<std::string> places = sharing().placesOf(position);
    QStringList names;
    for (std::size_t i = 0; i < places.size() && i < kNamed; ++i)
        names << QString::fromStdString(places[i]);
    if (places.size() > kNamed)
        names << QStringLiteral("%1 more").arg(places.size() - kNamed);
    return names.join(QStringLiteral("; "));
}

void SharedScreensLayer::paint(QPainter& painter)
{
    const session::LoadedArea* area = document_.document().area();
    if (!shown_ || !area)
        return;
    const session::ScreenSharing& survey = sharing();
    const int wide = area->map.screensWide;
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    for (int position = 0; position < survey.positions(); ++position) {
        const int others = survey.otherPlaces(position);
        if (others == 0)
            continue;
        const QRect screen((position % wide) * layout::kScreenWidth, (position / wide) * layout::kScreenHeight,
                           layout::kScreenWidth, layout::kScreenHeight);
        painter.setPen(QPen(QColor(255, 140, 0), 3));
        painter.drawRect(screen.adjusted(2, 2, -2, -2));
        const QRect badge(screen.left() + 4, screen.top() + 4, 28, 16);
        painter.fillRect(badge, QColor(255, 140, 0));
        painter.setPen(Qt::black);
        painter.drawText(badge, Qt::AlignCenter, QStringLiteral("+%1").arg(others));
    }
}

} // namespace quarry::ui
