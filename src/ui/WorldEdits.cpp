// The edits of actor and stair mode: drags, turns, the type and the
// parameter, and the values typed into the inspector, each through the
// document's checks; a typed value refused says why beside its field.
#include "ui/WorldController.h"
#include "ui/HexText.h"

#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/RomDocument.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/StairPanel.h"

#include <algorithm>
#include <utility>

namespace quarry::ui {

namespace {

QString byteText(int value)
{
    return QStringLiteral("$") + hexByte(value);
}

} // namespace

void WorldController::connectTypedFields()
{
    connect(views_.actors, &ActorPanel::typeChosen, this, &WorldController::chooseType);
    connect(views_.actors, &ActorPanel::controlChanged, this, &WorldController::changeControl);
    // A slider drag is one step; cut short (undo, a box), its rest writes nothing.
    connect(views_.actors, &ActorPanel::controlDragStarted, this, [this] {
        controlCut_ = false;
        document_.beginGesture(QStringLiteral("Set parameter of actor %1")
                                   .arg(hexByte(currentActor_)),
                               views_.actors, [this] { controlCut_ = true; });
    });
    connect(views_.actors, &ActorPanel::controlDragFinished, this, [this] {
        std::exchange(controlCut_, false) ? selectActor(currentActor_) : document_.endGesture();
    });
    connect(views_.actors, &ActorPanel::positionTyped, this, &WorldController::typeActorPosition);
    connect(views_.actors, &ActorPanel::typeTyped, this, &WorldController::typeActorType);
    connect(views_.actors, &ActorPanel::controlTyped, this, &WorldController::typeActorControl);
    connect(views_.stairs, &StairPanel::positionTyped, this, &WorldController::typeStairPosition);
    connect(views_.stairs, &StairPanel::directionChosen, this, &WorldController::chooseStairDirection);
}

void WorldController::chooseType(int entry)
{
    if (markers_ != Markers::Actors || entry < 0 || entry >= static_cast<int>(typeCodes_.size()))
        return;
    const int index = currentActor_;
    const std::uint8_t code = typeCodes_[static_cast<std::size_t>(entry)];
    // The document's change brings the new line, picture and frame.
    if (!runGuarded(dialogs_, messageParent_, [&] { document_.document().setActorType(index, code); }))
        selectActor(index); // the combo shows the type the actor kept
}

void WorldController::changeControl(int value)
{
    if (markers_ != Markers::Actors || controlCut_)
        return;
    const int index = currentActor_;
    if (!runGuarded(dialogs_, messageParent_,
                    [&] { document_.document().setActorControl(index, static_cast<std::uint8_t>(value)); }))
        selectActor(index);
}

void WorldController::dropMarker(Markers markers, int index, QPoint start, QPoint end)
{
    if (markers != markers_ || markers == Markers::None || index < 0 || index >= layer(markers).count())
        return;
    const world::MapPoint from{start.x(), start.y()};
    const world::MapPoint to{end.x(), end.y()};
    const QSize size = layer(markers).marker(index).rect.size();
    session::Document& document = document_.document();
    std::string refusal;
    if (markers == Markers::Actors) {
        currentActor_ = index;
        runGuarded(dialogs_, messageParent_,
                   [&] { document.moveActor(index, from, to, size.width(), size.height(), &refusal); });
        selectActor(index);
    } else {
        currentStair_ = index;
        bool moved = false;
        editedStairs_.insert(index);
        runGuarded(dialogs_, messageParent_,
                   [&] { moved = document.moveStair(index, from, to, size.width(), size.height(), &refusal); });
        if (!moved)
            editedStairs_.erase(index);
        selectStair(index);
    }
    if (!refusal.empty())
        emit statusMessage(QStringLiteral("%1 %2 not moved: %3")
                               .arg(markers == Markers::Actors ? QStringLiteral("Actor") : QStringLiteral("Stair"))
                               .arg(index)
                               .arg(QString::fromStdString(refusal)));
}

void WorldController::turnStair(int index)
{
    if (markers_ != Markers::Stairs || index < 0 || index >= stairLayer_.count())
        return;
    currentStair_ = index;
    bool turned = false;
    std::string refusal;
    editedStairs_.insert(index);
    runGuarded(dialogs_, messageParent_, [&] { turned = document_.document().turnStair(index, &refusal); });
    if (!turned)
        editedStairs_.erase(index);
    if (!refusal.empty())
        emit statusMessage(QStringLiteral("Stair %1 not turned: %2").arg(index).arg(QString::fromStdString(refusal)));
    selectStair(index);
}

void WorldController::typeActorPosition(QPoint foot)
{
    if (markers_ != Markers::Actors || currentActor_ >= actorLayer_.count())
        return;
    const int index = currentActor_;
    const QSize size = actorLayer_.marker(index).rect.size();
    std::string refusal;
    bool moved = false;
    runGuarded(dialogs_, messageParent_, [&] {
        moved = document_.document().placeActor(index, {foot.x(), foot.y()}, size.width(), size.height(), &refusal);
    });
    // A move shows itself through the document's change; otherwise the
    // fields show the record again (a position snapped into the same cell).
    if (!moved)
        selectActor(index, false);
    if (!refusal.empty())
        views_.actors->showRefusal(QStringLiteral("Not moved: %1.").arg(QString::fromStdString(refusal)));
}

void WorldController::typeActorType(int code)
{
    if (markers_ != Markers::Actors || currentActor_ >= actorLayer_.count())
        return;
    const auto found = std::find(typeCodes_.begin(), typeCodes_.end(), code);
    if (code < 0 || code > 0xFF || found == typeCodes_.end()) {
        selectActor(currentActor_, false);
        views_.actors->showRefusal(
            QStringLiteral("Type %1 is not offered in this object set: the list keeps its type.").arg(byteText(code)));
        return;
    }
    if (code != document_.document().area()->actors[static_cast<std::size_t>(currentActor_)].type)
        chooseType(static_cast<int>(found - typeCodes_.begin()));
    else
        selectActor(currentActor_, false);
}

void WorldController::typeActorControl(int value)
{
    if (markers_ != Markers::Actors || currentActor_ >= actorLayer_.count())
        return;
    const int largest = world::largestControl(shownKind_);
    if (value < 0 || value > largest) {
        selectActor(currentActor_, false);
        views_.actors->showRefusal(QStringLiteral("Not set: this type's parameter goes up to %1.").arg(byteText(largest)));
        return;
    }
    const int index = currentActor_;
    runGuarded(dialogs_, messageParent_,
               [&] { document_.document().setActorControl(index, static_cast<std::uint8_t>(value)); });
    selectActor(index, false);
}

void WorldController::typeStairPosition(QPoint corner)
{
    if (markers_ != Markers::Stairs || currentStair_ >= stairLayer_.count())
        return;
    const int index = currentStair_;
    const QSize size = stairLayer_.marker(index).rect.size();
    std::string refusal;
    bool moved = false;
    editedStairs_.insert(index);
    runGuarded(dialogs_, messageParent_, [&] {
        moved = document_.document().placeStair(index, {corner.x(), corner.y()}, size.width(), size.height(), &refusal);
    });
    if (!moved) {
        editedStairs_.erase(index);
        selectStair(index, false);
    }
    if (!refusal.empty())
        views_.stairs->showRefusal(QStringLiteral("Not moved: %1.").arg(QString::fromStdString(refusal)));
}

void WorldController::chooseStairDirection(int upDown, int leftRight)
{
    if (markers_ != Markers::Stairs || currentStair_ >= stairLayer_.count())
        return;
    const int index = currentStair_;
    std::string refusal;
    bool turned = false;
    editedStairs_.insert(index);
    runGuarded(dialogs_, messageParent_, [&] {
        turned = document_.document().setStairDirection(index, static_cast<std::uint8_t>(upDown),
                                                        static_cast<std::uint8_t>(leftRight), &refusal);
    });
    if (!turned) {
        editedStairs_.erase(index);
        selectStair(index, false);
    }
    if (!refusal.empty())
        views_.stairs->showRefusal(QStringLiteral("Not turned: %1.").arg(QString::fromStdString(refusal)));
}

} // namespace quarry::ui
