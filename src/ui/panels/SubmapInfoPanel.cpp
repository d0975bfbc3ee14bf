#include "ui/panels/SubmapInfoPanel.h"

#include "core/session/Document.h"
#include "core/session/MapInfoText.h"
#include "core/world/AreaCatalogue.h"
#include "ui/RomDocument.h"

#include <QFormLayout>
#include <QLabel>

namespace quarry::ui {

namespace {

QString placeText(const rom::AreaId& id)
{
    QString text = QStringLiteral("set %1, area %2, submap %3").arg(id.objectSet).arg(id.area).arg(id.submap);
    if (const world::SubmapNode* node = world::findSubmap(id))
        text += QStringLiteral(" (%1)").arg(QString::fromStdString(node->caption));
    return text;
}

} // namespace

SubmapInfoPanel::SubmapInfoPanel(RomDocument& document, QWidget* parent)
    : QGroupBox(QStringLiteral("Map Information"), parent), document_(document)
{
    setObjectName(QStringLiteral("fraMapInformation"));
    auto* form = new QFormLayout(this);
    form->setVerticalSpacing(2);
    const char* names[FieldCount] = {"Place", "Size", "Map data", "Actors", "Stairs", "Palette"};
    const char* tips[FieldCount] = {"Object set, area and submap of the loaded map",
                                    "Width and height in screens of 256 x 224 pixels",
                                    "CPU address and file offset of the map header",
                                    "CPU address and file offset of the actor list",
                                    "CPU address and file offset of the stair list",
                                    "CPU address and file offset of the area palette record"};
    for (int i = 0; i < FieldCount; ++i) {
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("lblMapInfo%1").arg(i));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setToolTip(QString::fromLatin1(tips[i]));
        value->setWordWrap(i == Place); // the place's name may take two lines
        values_[static_cast<std::size_t>(i)] = value;
        auto* caption = new QLabel(QString::fromLatin1(names[i]), this);
        caption->setToolTip(QString::fromLatin1(tips[i]));
        form->addRow(caption, value);
    }
    // As narrow as the area tree above it.
    setMaximumWidth(200);
    connect(&document_, &RomDocument::changed, this, [this] { refresh(); });
}

void SubmapInfoPanel::refresh()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area) {
        for (QLabel* value : values_)
            value->clear();
        return;
    }
    const session::MapInfoText info = session::describeMapInfo(*area);
    values_[Place]->setText(placeText(area->id));
    values_[Size]->setText(QStringLiteral("%1 x %2 screens").arg(area->map.screensWide).arg(area->map.screensHigh));
    values_[MapData]->setText(QString::fromStdString(info.mapData));
    values_[ActorData]->setText(QString::fromStdString(info.actorData));
    values_[StairData]->setText(QString::fromStdString(info.stairData));
    values_[PaletteData]->setText(QString::fromStdString(info.paletteData));
}

} // namespace quarry::ui
