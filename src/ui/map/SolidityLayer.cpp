#include "ui/map/SolidityLayer.h"

#include "core/gfx/BackgroundRenderer.h"
#include "core/gfx/Metatiles.h"
#include "core/session/Document.h"
#include "ui/RomDocument.h"
#include "ui/map/MapView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace quarry::ui {

namespace {

constexpr int kCell = gfx::kMetatilePixels;
constexpr int kSwatch = 12;

QWidget* makeLegend(QWidget* parent)
{
    auto* legend = new QFrame(parent);
    legend->setObjectName(QStringLiteral("solidityLegend"));
    legend->setAutoFillBackground(true);
    legend->setFrameStyle(QFrame::Box);
    auto* grid = new QGridLayout(legend);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    for (int i = 0; i < gfx::kSolidityRanges; ++i) {
        const auto range = static_cast<gfx::Solidity>(i);
        QColor colour = SolidityLayer::tint(range);
        colour.setAlpha(255);
        auto* swatch = new QLabel(legend);
        swatch->setFixedSize(kSwatch, kSwatch);
        swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid black").arg(colour.name()));
        grid->addWidget(swatch, i / 2, (i % 2) * 2);
        grid->addWidget(new QLabel(QString::fromLatin1(gfx::solidityName(range)), legend), i / 2, (i % 2) * 2 + 1);
    }
    legend->adjustSize();
    legend->move(6, 6);
    legend->hide();
    return legend;
}

} // namespace

SolidityLayer::SolidityLayer(RomDocument& document, MapView& view, QObject* parent)
    : QObject(parent), document_(document), view_(view)
{
    legend_ = makeLegend(view.viewport());
    view_.setOverlay(MapView::OverlayLayer::Solidity, [this](QPainter& painter) { paint(painter); });
}

QColor SolidityLayer::tint(gfx::Solidity range)
{
    switch (range) {
    case gfx::Solidity::NonSolid:
        return QColor(40, 140, 255, 60);
    case gfx::Solidity::Event:
        return QColor(255, 220, 0, 120);
    case gfx::Solidity::Solid:
        return QColor(230, 30, 30, 120);
    case gfx::Solidity::Breakable:
        break;
    }
    return QColor(190, 0, 255, 130);
}

void SolidityLayer::setShown(bool shown)
{
    shown_ = shown;
    legend_->setVisible(shown);
    view_.viewport()->update();
}

void SolidityLayer::paint(QPainter& painter) const
{
    const session::LoadedArea* area = document_.document().area();
    if (!shown_ || !area)
        return;
    const rom::AreaMap& map = area->map;
    for (int sy = 0; sy < map.screensHigh; ++sy)
        for (int sx = 0; sx < map.screensWide; ++sx)
            for (int row = 0; row < layout::kScreenRows; ++row)
                for (int column = 0; column < layout::kScreenColumns; ++column) {
                    const std::uint8_t n = map.mapGrid.at(map.cellIndex(sx, sy, row, column));
                    painter.fillRect(sx * layout::kScreenWidth + column * kCell, sy * layout::kScreenHeight + row * kCell,
                                     kCell, kCell, tint(gfx::solidityOf(n, area->thresholds)));
                }
}

} // namespace quarry::ui
