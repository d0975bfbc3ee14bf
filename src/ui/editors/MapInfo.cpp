#include "ui/editors/MapInfo.h"

#include "core/session/Document.h"
#include "core/session/MapInfoText.h"
#include "ui/ActionGuard.h"
#include "ui/RomDocument.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quarry::ui {

namespace {

// The window's own words.
constexpr const char* kCaption = "Map Info";
constexpr const char* kObjectSet = "objset:";
constexpr const char* kArea = "area:";
constexpr const char* kSubmap = "submap:";
constexpr const char* kWidth = "W:";
constexpr const char* kHeight = "H:";
constexpr const char* kMapData = "Map Data";
constexpr const char* kActorData = "Actor Data";
constexpr const char* kStairData = "Stair Data";
constexpr const char* kPaletteData = "Palette Data";
constexpr const char* kScreens = "Screens";
constexpr const char* kEmptyPair = "00";
constexpr const char* kEmptySize = "$00";
constexpr const char* kEmptyAddress = "$0000 (0x000000)";

} // namespace

MapInfo::MapInfo(RomDocument& document, Dialogs& dialogs, QWidget* parent) : EditorWindow(document, dialogs, parent)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setObjectName(QStringLiteral("frmAreaInfo"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const char* names[FieldCount] = {"txtObjset",   "txtarea",      "txtsubmap",    "txtMapX",   "txtMapY",
                                     "txtMapdata", "txtActordata", "txtStairdata", "txtPaldata"};
    for (int i = 0; i < FieldCount; ++i) {
        boxes_[i] = new QLineEdit(this);
        boxes_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    for (Field f : {ObjectSet, Area, Submap})
        boxes_[f]->setText(QString::fromLatin1(kEmptyPair));
    for (Field f : {MapWidth, MapHeight})
        boxes_[f]->setText(QString::fromLatin1(kEmptySize));
    for (Field f : {MapData, ActorData, StairData, PaletteData})
        boxes_[f]->setText(QString::fromLatin1(kEmptyAddress));
    screens_ = new QLabel(this);
    screens_->setObjectName(QStringLiteral("lblMapPtrs"));
    screens_->setWordWrap(true);
    screens_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    screens_->setMinimumWidth(300);

    auto label = [this](const char* text) { return new QLabel(QString::fromLatin1(text), this); };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(kObjectSet), 0, 0);
    grid->addWidget(boxes_[ObjectSet], 0, 1);
    grid->addWidget(label(kArea), 0, 2);
    grid->addWidget(boxes_[Area], 0, 3);
    grid->addWidget(label(kSubmap), 0, 4);
    grid->addWidget(boxes_[Submap], 0, 5);
    grid->addWidget(label(kWidth), 1, 0);
    grid->addWidget(boxes_[MapWidth], 1, 1);
    grid->addWidget(label(kHeight), 1, 2);
    grid->addWidget(boxes_[MapHeight], 1, 3);
    const std::pair<const char*, Field> rows[] = {
        {kMapData, MapData}, {kActorData, ActorData}, {kStairData, StairData}, {kPaletteData, PaletteData}};
    int row = 2;
    for (const auto& [caption, field] : rows) {
        grid->addWidget(label(caption), row, 0, 1, 2);
        grid->addWidget(boxes_[field], row, 2, 1, 4);
        ++row;
    }
    grid->addWidget(label(kScreens), row, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(screens_, row, 2, 1, 4);
    grid->setRowStretch(row, 1);
    grid->addWidget(makeCloseButton(), row + 1, 5, 1, 1, Qt::AlignRight);
}

bool MapInfo::setUpFor(const session::LoadedArea*)
{
    initInfo();
    setEditing(true);
    return true;
}

void MapInfo::imageChanged(const session::Change& change)
{
    const session::LoadedArea* area = document_.document().area();
    if (area && shown_ && area->id == *shown_ && change.touches(session::kMapChanged))
        runGuarded(dialogs_, this, [this] { initInfo(); });
}

void MapInfo::initInfo()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    shown_ = area->id;
    const session::MapInfoText info = session::describeMapInfo(*area);
    const std::string* values[FieldCount] = {&info.objectSet, &info.area,      &info.submap,
                                             &info.mapWidth,  &info.mapHeight, &info.mapData,
                                             &info.actorData, &info.stairData, &info.paletteData};
    for (int i = 0; i < FieldCount; ++i) {
        boxes_[i]->setText(QString::fromStdString(*values[i]));
        boxes_[i]->setCursorPosition(0);
    }
    screens_->setText(QString::fromStdString(info.screens));
}

} // namespace quarry::ui
