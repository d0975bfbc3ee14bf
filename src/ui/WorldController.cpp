#include "ui/WorldController.h"

#include "core/session/Document.h"
#include "core/text/TextCodec.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/map/MapView.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/ListLines.h"
#include "ui/panels/StairPanel.h"
#include "ui/panels/WorldTexts.h"

#include <QComboBox>
#include <QPainter>
#include <QScrollBar>

namespace quarry::ui {

namespace {

constexpr int kActorCell = 16;
constexpr int kStairCell = 8;
constexpr int kHighlightMargin = 4;
constexpr int kLastTextNumber = 120;
// The size of a marker that has no picture at all.
constexpr QSize kNoPictureSize(16, 32);

// Floor division, so a pointer left of or above the map snaps like the rest.
int snapped(int value, int cell)
{
    return (value >= 0 ? value / cell : (value - cell + 1) / cell) * cell;
}

QSize sizeOf(const QImage& picture)
{
    return picture.isNull() ? kNoPictureSize : picture.size();
}

} // namespace

WorldController::WorldController(session::Document& document, Dialogs& dialogs, const QString& datDir, Views views,
                                 QWidget* messageParent)
    : QObject(messageParent), document_(document), dialogs_(dialogs), pictures_(datDir), views_(views),
      messageParent_(messageParent)
{
    views_.map->setOverlay([this](QPainter& painter) {
        actorLayer_.paint(painter);
        stairLayer_.paint(painter);
    });
    connect(views_.map, &MapView::mapPressed, this, &WorldController::press);
    connect(views_.map, &MapView::mapMoved, this, &WorldController::move);
    connect(views_.map, &MapView::mapReleased, this, &WorldController::release);
    connect(views_.map, &MapView::mapDoubleClicked, this, &WorldController::doubleClick);
    connect(views_.actors, &ActorPanel::actorClicked, this, [this](int index) {
        currentActor_ = index;
        emit actorModeRequested();
        scrollToHighlight();
    });
    connect(views_.stairs, &StairPanel::stairClicked, this, [this](int index) {
        currentStair_ = index;
        emit stairModeRequested();
        scrollToHighlight();
    });
    connect(views_.actors, &ActorPanel::typeChosen, this, &WorldController::chooseType);
    connect(views_.actors, &ActorPanel::controlChanged, this, &WorldController::changeControl);
}

void WorldController::repaint()
{
    views_.map->viewport()->update();
}

QString WorldController::typeName(std::uint8_t type) const
{
    for (const rom::ActorTypeInfo& info : document_.sideData().actorTypes)
        if (info.code == type)
            return QString::fromStdString(info.name);
    return QString::fromLatin1(texts::kUnknownActorName);
}

QString WorldController::textOf(std::optional<int> number) const
{
    if (!number || *number < 0 || *number > kLastTextNumber)
        return QString();
    try {
        return QString::fromStdString(text::decodeText(document_.rom(), *number, document_.sideData().charTable));
    } catch (const std::exception&) {
        return QString();
    }
}

void WorldController::showArea()
{
    currentActor_ = 0;
    currentStair_ = 0;
    dragIndex_ = -1;
    markers_ = Markers::None;
    showActors();
    fillActorTypes();
    showStairs();
    if (const session::LoadedArea* area = document_.area())
        views_.doors->showDoors(area->doors);
    else
        views_.doors->clear();
    views_.actors->blankValues();
    actorLayer_.setShown(false);
    stairLayer_.setShown(false);
    repaint();
}

void WorldController::showRestoredArea()
{
    const int actor = currentActor_;
    const int stair = currentStair_;
    const Markers markers = markers_;
    showArea();
    if (const session::LoadedArea* area = document_.area()) {
        currentActor_ = actor < static_cast<int>(area->actors.size()) ? actor : 0;
        currentStair_ = stair < static_cast<int>(area->stairs.size()) ? stair : 0;
    }
    enterMode(markers);
}

MarkerLayer::Marker WorldController::actorMarker(int index)
{
    const world::ActorRecord& actor = document_.area()->actors.at(static_cast<std::size_t>(index));
    const QImage picture = pictures_.actorPicture(actor.type);
    const QSize size = sizeOf(picture);
    // The picture stands on the actor's foot line.
    return {QRect(QPoint(actor.x * kActorCell, actor.y * kActorCell - size.height()), size), picture};
}

MarkerLayer::Marker WorldController::stairMarker(int index)
{
    const world::StairRecord& stair = document_.area()->stairs.at(static_cast<std::size_t>(index));
    const QImage picture = pictures_.stairPicture(stair.upDown, stair.leftRight);
    return {QRect(QPoint(stair.x * kStairCell, stair.y * kStairCell), sizeOf(picture)), picture};
}

void WorldController::showActors()
{
    std::vector<MarkerLayer::Marker> markers;
    QStringList lines;
    if (const session::LoadedArea* area = document_.area()) {
        for (int i = 0; i < static_cast<int>(area->actors.size()); ++i) {
            markers.push_back(actorMarker(i));
            const std::uint8_t type = area->actors[static_cast<std::size_t>(i)].type;
            lines << actorListLine(i, type, typeName(type));
        }
    }
    actorLayer_.setMarkers(std::move(markers));
    views_.actors->setLines(lines);
}

void WorldController::fillActorTypes()
{
    typeCodes_.clear();
    typeNames_.clear();
    if (const session::LoadedArea* area = document_.area()) {
        const auto set = static_cast<std::size_t>(area->id.objectSet);
        for (const rom::ActorTypeInfo& info : document_.sideData().actorTypes) {
            if (set < info.objectSetFlags.size() && info.objectSetFlags[set]) {
                typeCodes_.push_back(info.code);
                typeNames_ << QString::fromStdString(info.name);
            }
        }
    }
    views_.actors->setTypes(typeNames_);
}

void WorldController::showStairs()
{
    std::vector<MarkerLayer::Marker> markers;
    QStringList lines;
    if (const session::LoadedArea* area = document_.area()) {
        for (int i = 0; i < static_cast<int>(area->stairs.size()); ++i) {
            markers.push_back(stairMarker(i));
            lines << stairListLine(i, area->stairs[static_cast<std::size_t>(i)], IndexStyle::Decimal);
        }
    }
    stairLayer_.setMarkers(std::move(markers));
    views_.stairs->setLines(lines);
}

void WorldController::enterMode(Markers markers)
{
    markers_ = markers;
    dragIndex_ = -1;
    actorLayer_.setOutline(std::nullopt);
    stairLayer_.setOutline(std::nullopt);
    actorLayer_.setHighlight(std::nullopt);
    stairLayer_.setHighlight(std::nullopt);
    actorLayer_.setShown(markers == Markers::Actors);
    stairLayer_.setShown(markers == Markers::Stairs);
    views_.actors->setEditable(markers == Markers::Actors);
    if (markers == Markers::Actors) {
        if (actorLayer_.count() > 0)
            selectActor(currentActor_);
        else
            views_.actors->blankValues();
    } else if (markers == Markers::Stairs && stairLayer_.count() > 0) {
        selectStair(currentStair_);
    }
    repaint();
}

std::optional<QRect> WorldController::highlight() const
{
    if (markers_ == Markers::Actors)
        return actorLayer_.highlight();
    if (markers_ == Markers::Stairs)
        return stairLayer_.highlight();
    return std::nullopt;
}

void WorldController::selectActor(int index)
{
    const session::LoadedArea* area = document_.area();
    if (markers_ != Markers::Actors || !area || index < 0 || index >= actorLayer_.count())
        return;
    currentActor_ = index;
    const world::ActorRecord& actor = area->actors[static_cast<std::size_t>(index)];
    actorLayer_.setMarker(index, actorMarker(index));

    // A type shows its parameter only when it has a picture of its own and a
    // description.
    bool ownPicture = false;
    pictures_.actorPicture(actor.type, &ownPicture);
    int kindValue = 0;
    if (ownPicture)
        for (const rom::ActorTypeInfo& info : document_.sideData().actorTypes)
            if (info.code == actor.type)
                kindValue = info.controlKind;
    const world::ControlKind kind = world::controlKindOf(kindValue);

    const bool moved = views_.actors->selectRow(index);
    actorLayer_.setHighlight(actorLayer_.marker(index).rect.adjusted(-kHighlightMargin, -kHighlightMargin,
                                                                     kHighlightMargin, kHighlightMargin));
    views_.actors->showValues(actor);
    views_.actors->showParameter(
        kind, actor.control,
        textOf(world::actorTextNumber(document_.rom(), kind, actor.control, area->id.area, area->id.submap)));

    // With no type offered for the object set the combo stays empty and
    // there is nothing to report.
    if (!typeCodes_.empty()) {
        const auto found = std::find(typeCodes_.begin(), typeCodes_.end(), actor.type);
        if (found == typeCodes_.end()) {
            views_.actors->selectType(0);
            dialogs_.showMessage(messageParent_, QString::fromLatin1(texts::kUnknownActor));
        } else {
            views_.actors->selectType(static_cast<int>(found - typeCodes_.begin()));
        }
    }
    if (moved)
        scrollToHighlight();
    repaint();
}

void WorldController::selectStair(int index)
{
    if (markers_ != Markers::Stairs || !document_.area() || index < 0 || index >= stairLayer_.count())
        return;
    currentStair_ = index;
    stairLayer_.setMarker(index, stairMarker(index));
    const bool moved = views_.stairs->selectRow(index);
    stairLayer_.setHighlight(stairLayer_.marker(index).rect.adjusted(-kHighlightMargin, -kHighlightMargin,
                                                                     kHighlightMargin, kHighlightMargin));
    if (moved)
        scrollToHighlight();
    repaint();
}

void WorldController::scrollToHighlight()
{
    if (const std::optional<QRect> rect = highlight())
        views_.map->ensureVisible(*rect);
}

void WorldController::chooseType(int entry)
{
    if (markers_ != Markers::Actors || entry < 0 || entry >= static_cast<int>(typeCodes_.size()))
        return;
    const int index = currentActor_;
    const std::uint8_t code = typeCodes_[static_cast<std::size_t>(entry)];
    if (!runGuarded(dialogs_, messageParent_, [&] { document_.setActorType(index, code); })) {
        selectActor(index); // the combo shows the type the actor kept
        return;
    }
    views_.actors->setLine(index, actorListLine(index, code, typeNames_[entry]));
    selectActor(index);
    emit imageEdited();
}

void WorldController::changeControl(int value)
{
    if (markers_ != Markers::Actors)
        return;
    const int index = currentActor_;
    if (runGuarded(dialogs_, messageParent_,
                   [&] { document_.setActorControl(index, static_cast<std::uint8_t>(value)); }))
        selectActor(index);
}

void WorldController::press(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const MarkerLayer* layer = markers_ == Markers::Actors   ? &actorLayer_
                               : markers_ == Markers::Stairs ? &stairLayer_
                                                             : nullptr;
    if (!layer)
        return;
    dragIndex_ = layer->markerAt(mapPixel);
    dragStart_ = mapPixel;
}

void WorldController::move(QPoint mapPixel)
{
    if (dragIndex_ < 0)
        return;
    MarkerLayer& layer = markers_ == Markers::Actors ? actorLayer_ : stairLayer_;
    const int cell = markers_ == Markers::Actors ? kActorCell : kStairCell;
    const QPoint offset(snapped(mapPixel.x(), cell) - snapped(dragStart_.x(), cell),
                        snapped(mapPixel.y(), cell) - snapped(dragStart_.y(), cell));
    // The outline follows the pointer in whole cells; nothing is stored
    // before the button goes up.
    layer.setOutline(offset.isNull() ? std::nullopt
                                     : std::optional<QRect>(layer.marker(dragIndex_).rect.translated(offset)));
    repaint();
}

void WorldController::release(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || dragIndex_ < 0)
        return;
    const int index = dragIndex_;
    dragIndex_ = -1;
    actorLayer_.setOutline(std::nullopt);
    stairLayer_.setOutline(std::nullopt);
    const world::MapPoint start{dragStart_.x(), dragStart_.y()};
    const world::MapPoint end{mapPixel.x(), mapPixel.y()};
    if (markers_ == Markers::Actors) {
        const QSize size = actorLayer_.marker(index).rect.size();
        bool moved = false;
        runGuarded(dialogs_, messageParent_,
                   [&] { moved = document_.moveActor(index, start, end, size.width(), size.height()); });
        if (moved) {
            actorLayer_.setMarker(index, actorMarker(index));
            emit imageEdited();
        }
        selectActor(index);
    } else if (markers_ == Markers::Stairs) {
        const QSize size = stairLayer_.marker(index).rect.size();
        bool moved = false;
        runGuarded(dialogs_, messageParent_,
                   [&] { moved = document_.moveStair(index, start, end, size.width(), size.height()); });
        if (moved) {
            stairLayer_.setMarker(index, stairMarker(index));
            views_.stairs->setLine(index, stairListLine(index, document_.area()->stairs[static_cast<std::size_t>(index)],
                                                        IndexStyle::Hex));
            emit imageEdited();
        }
        selectStair(index);
    }
    repaint();
}

void WorldController::doubleClick(QPoint mapPixel, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || markers_ != Markers::Stairs)
        return;
    const int index = stairLayer_.markerAt(mapPixel);
    if (index < 0)
        return;
    bool turned = false;
    runGuarded(dialogs_, messageParent_, [&] { turned = document_.turnStair(index); });
    if (!turned)
        return;
    selectStair(index);
    views_.stairs->setLine(index,
                           stairListLine(index, document_.area()->stairs[static_cast<std::size_t>(index)], IndexStyle::Hex));
    emit imageEdited();
}

} // namespace quarry::ui
