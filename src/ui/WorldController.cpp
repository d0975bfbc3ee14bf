#include "ui/WorldController.h"

#include "core/session/Document.h"
#include "core/world/Dragging.h"
#include "core/text/TextCodec.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/RomDocument.h"
#include "ui/map/MapView.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/ListLines.h"
#include "ui/panels/StairPanel.h"
#include "ui/panels/WorldTexts.h"

#include <QComboBox>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace quarry::ui {

namespace {

constexpr int kHighlightMargin = 4;
constexpr int kLastTextNumber = layout::kTextCount - 1;
// The size of a marker that has no picture at all.
constexpr QSize kNoPictureSize(16, 32);

QSize sizeOf(const QImage& picture)
{
    return picture.isNull() ? kNoPictureSize : picture.size();
}

} // namespace

WorldController::WorldController(RomDocument& document, Dialogs& dialogs, const QString& datDir, Views views,
                                 QWidget* messageParent)
    : QObject(messageParent), document_(document), dialogs_(dialogs), pictures_(datDir), views_(views),
      messageParent_(messageParent)
{
    views_.map->setOverlay([this](QPainter& painter) {
        // Markers shown outside their own mode are drawn faint: they cannot
        // be dragged there.
        for (const auto& [layer, own] : {std::pair{&actorLayer_, Markers::Actors}, {&stairLayer_, Markers::Stairs}}) {
            painter.setOpacity(markers_ == own ? 1.0 : 0.6);
            layer->paint(painter);
        }
        painter.setOpacity(1.0);
    });
    QList<QImage> directions;
    for (const auto& [upDown, leftRight] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}})
        directions << pictures_.stairPicture(upDown, leftRight);
    views_.stairs->setDirectionPictures(directions);
    connectTypedFields();
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
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        // Another submap (or none) shows from scratch; a paint leaves the lists be.
        if (change.showsAnew() || !document_.document().area())
            showArea();
        else if (change.touches(session::kListsChanged | session::kTextsChanged | session::kSettingsChanged))
            refresh();
    });
}

void WorldController::repaint()
{
    views_.map->viewport()->update();
}

QRect WorldController::mapRect() const
{
    const session::LoadedArea* area = document_.document().area();
    return area ? QRect(0, 0, area->mapWidth(), area->mapHeight()) : QRect();
}

QString WorldController::outsideNote()
{
    return QStringLiteral(" (outside the map)");
}

QString WorldController::typeName(std::uint8_t type) const
{
    for (const rom::ActorTypeInfo& info : document_.document().sideData().actorTypes)
        if (info.code == type)
            return QString::fromStdString(info.name);
    return QString::fromLatin1(texts::kUnknownActorName);
}

QString WorldController::textOf(std::optional<int> number) const
{
    if (!number || *number < 0 || *number > kLastTextNumber)
        return QString();
    try {
        return QString::fromStdString(text::decodeText(document_.document().rom(), *number, document_.document().sideData().charTable));
    } catch (const std::exception&) {
        return QString();
    }
}

void WorldController::showArea()
{
    currentActor_ = 0;
    currentStair_ = 0;
    markers_ = Markers::None;
    warnedActors_.clear();
    editedStairs_.clear();
    showActors();
    fillActorTypes();
    showStairs();
    showDoors();
    views_.actors->blankValues();
    views_.stairs->blank();
    applyShown();
    views_.actors->setEditable(false);
    views_.stairs->setEditable(false);
    repaint();
}

void WorldController::refresh()
{
    const session::LoadedArea* area = document_.document().area();
    if (area) {
        currentActor_ = currentActor_ < static_cast<int>(area->actors.size()) ? currentActor_ : 0;
        currentStair_ = currentStair_ < static_cast<int>(area->stairs.size()) ? currentStair_ : 0;
    }
    showActors();
    showStairs();
    showDoors();
    const Markers markers = markers_;
    markers_ = Markers::None;
    const int actor = currentActor_;
    const int stair = currentStair_;
    enterMode(markers);
    // Showing the image again never scrolls the map away from the user.
    if (markers == Markers::Actors && actor < actorLayer_.count())
        selectActor(actor, false);
    if (markers == Markers::Stairs && stair < stairLayer_.count())
        selectStair(stair, false);
}

void WorldController::showDoors()
{
    if (const session::LoadedArea* area = document_.document().area())
        views_.doors->showDoors(area->doors);
    else
        views_.doors->clear();
}

MarkerLayer::Marker WorldController::actorMarker(int index)
{
    const world::ActorRecord& actor = document_.document().area()->actors.at(static_cast<std::size_t>(index));
    const QImage picture = pictures_.actorPicture(actor.type);
    const QSize size = sizeOf(picture);
    const world::MapPoint origin = world::actorMarkerOrigin(actor, size.height());
    const QRect rect(QPoint(origin.x, origin.y), size);
    return {rect, picture, !rect.intersects(mapRect())};
}

MarkerLayer::Marker WorldController::stairMarker(int index)
{
    const world::StairRecord& stair = document_.document().area()->stairs.at(static_cast<std::size_t>(index));
    const QImage picture = pictures_.stairPicture(stair.upDown, stair.leftRight);
    const world::MapPoint origin = world::stairMarkerOrigin(stair);
    const QRect rect(QPoint(origin.x, origin.y), sizeOf(picture));
    return {rect, picture, !rect.intersects(mapRect())};
}

void WorldController::showActors()
{
    std::vector<MarkerLayer::Marker> markers;
    QStringList lines;
    if (const session::LoadedArea* area = document_.document().area()) {
        for (int i = 0; i < static_cast<int>(area->actors.size()); ++i) {
            markers.push_back(actorMarker(i));
            const std::uint8_t type = area->actors[static_cast<std::size_t>(i)].type;
            lines << actorListLine(i, type, typeName(type)) + (markers.back().outside ? outsideNote() : QString());
        }
    }
    actorLayer_.setMarkers(std::move(markers));
    views_.actors->setLines(lines);
}

void WorldController::fillActorTypes()
{
    typeCodes_.clear();
    typeNames_.clear();
    if (const session::LoadedArea* area = document_.document().area()) {
        const auto set = static_cast<std::size_t>(area->id.objectSet);
        for (const rom::ActorTypeInfo& info : document_.document().sideData().actorTypes) {
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
    if (const session::LoadedArea* area = document_.document().area()) {
        for (int i = 0; i < static_cast<int>(area->stairs.size()); ++i) {
            markers.push_back(stairMarker(i));
            lines << stairListLine(i, area->stairs[static_cast<std::size_t>(i)],
                                   editedStairs_.count(i) ? IndexStyle::Hex : IndexStyle::Decimal)
                         + (markers.back().outside ? outsideNote() : QString());
        }
    }
    stairLayer_.setMarkers(std::move(markers));
    views_.stairs->setLines(lines);
}

void WorldController::enterMode(Markers markers)
{
    markers_ = markers;
    actorLayer_.setHighlight(std::nullopt);
    stairLayer_.setHighlight(std::nullopt);
    applyShown();
    // With no actor there is nothing whose type or parameter could change.
    views_.actors->setEditable(markers == Markers::Actors && actorLayer_.count() > 0);
    views_.stairs->setEditable(markers == Markers::Stairs && stairLayer_.count() > 0);
    if (markers == Markers::Actors) {
        if (actorLayer_.count() > 0)
            selectActor(currentActor_);
        else
            views_.actors->blankValues();
    } else if (markers == Markers::Stairs && stairLayer_.count() > 0) {
        selectStair(currentStair_);
    }
    if (markers == Markers::Stairs && stairLayer_.count() == 0)
        views_.stairs->blank();
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
    selectActor(index, true);
}

void WorldController::selectStair(int index)
{
    selectStair(index, true);
}

void WorldController::selectActor(int index, bool scroll)
{
    const session::LoadedArea* area = document_.document().area();
    if (markers_ != Markers::Actors || !area || index < 0 || index >= actorLayer_.count())
        return;
    currentActor_ = index;
    const world::ActorRecord& actor = area->actors[static_cast<std::size_t>(index)];
    actorLayer_.setMarker(index, actorMarker(index));

    // A type shows its parameter only when it has a picture of its own and a
    // description.
    bool ownPicture = false;
    views_.actors->showPicture(pictures_.actorPicture(actor.type, &ownPicture));
    int kindValue = 0;
    if (ownPicture)
        for (const rom::ActorTypeInfo& info : document_.document().sideData().actorTypes)
            if (info.code == actor.type)
                kindValue = info.controlKind;
    const world::ControlKind kind = world::controlKindOf(kindValue);
    shownKind_ = kind;

    const bool moved = views_.actors->selectRow(index);
    actorLayer_.setHighlight(actorLayer_.marker(index).rect.adjusted(-kHighlightMargin, -kHighlightMargin,
                                                                     kHighlightMargin, kHighlightMargin));
    views_.actors->showValues(actor);
    views_.actors->showParameter(
        kind, actor.control,
        textOf(world::actorTextNumber(document_.document().rom(), kind, actor.control, area->id.area, area->id.submap)));

    // With no type offered for the object set the combo stays empty and
    // there is nothing to report.
    if (!typeCodes_.empty()) {
        const auto found = std::find(typeCodes_.begin(), typeCodes_.end(), actor.type);
        if (found == typeCodes_.end()) {
            views_.actors->selectType(0);
            // Once per actor and loaded submap: showing the list again after
            // an edit must not repeat it.
            if (warnedActors_.insert(index).second)
                dialogs_.showMessage(messageParent_, QString::fromLatin1(texts::kUnknownActor));
        } else {
            views_.actors->selectType(static_cast<int>(found - typeCodes_.begin()));
        }
    }
    if (moved && scroll)
        scrollToHighlight();
    repaint();
}

void WorldController::selectStair(int index, bool scroll)
{
    if (markers_ != Markers::Stairs || !document_.document().area() || index < 0 || index >= stairLayer_.count())
        return;
    currentStair_ = index;
    stairLayer_.setMarker(index, stairMarker(index));
    views_.stairs->showStair(document_.document().area()->stairs[static_cast<std::size_t>(index)]);
    const bool moved = views_.stairs->selectRow(index);
    stairLayer_.setHighlight(stairLayer_.marker(index).rect.adjusted(-kHighlightMargin, -kHighlightMargin,
                                                                     kHighlightMargin, kHighlightMargin));
    if (moved && scroll)
        scrollToHighlight();
    repaint();
}

void WorldController::setShownEverywhere(Markers markers, bool shown)
{
    (markers == Markers::Stairs ? stairsEverywhere_ : actorsEverywhere_) = shown;
    applyShown();
    repaint();
}

bool WorldController::shownEverywhere(Markers markers) const
{
    return markers == Markers::Stairs ? stairsEverywhere_ : actorsEverywhere_;
}

void WorldController::applyShown()
{
    actorLayer_.setShown(markers_ == Markers::Actors || actorsEverywhere_);
    stairLayer_.setShown(markers_ == Markers::Stairs || stairsEverywhere_);
}

void WorldController::scrollToHighlight()
{
    if (const std::optional<QRect> rect = highlight())
        views_.map->ensureVisible(*rect);
}

} // namespace quarry::ui
