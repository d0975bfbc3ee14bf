#pragma once

#include "ui/map/MarkerLayer.h"
#include "ui/map/WorldPictures.h"
#include "core/world/Ferryman.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

class QWidget;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class ActorPanel;
class Dialogs;
class DoorsPanel;
class MapView;
class RomDocument;
class StairPanel;

// Actor and stair mode: the markers over the map, their selection, drags,
// type and parameter changes and stair turns, and the actor, stair and door
// panels that go with them. The lists follow the document: every change of
// the loaded submap's lists, wherever it was made, is shown at once.
class WorldController : public QObject {
    Q_OBJECT

public:
    // Which markers the map shows: those of actor mode, of stair mode, or none.
    enum class Markers { None, Actors, Stairs };

    struct Views {
        MapView* map;
        ActorPanel* actors;
        StairPanel* stairs;
        DoorsPanel* doors;
    };

    WorldController(RomDocument& document, Dialogs& dialogs, const QString& datDir, Views views,
                    QWidget* messageParent);

    // Rebuilds lists, markers, type choices and doors for a newly loaded
    // area; the selections go back to 0 and no markers are shown.
    void showArea();
    // The image changed: lists, markers and doors show it again, keeping
    // the mode and the selections that still exist.
    void refresh();
    // The mode switch: shows one kind of markers and selects the current
    // actor or stair, or hides them all.
    void enterMode(Markers markers);
    Markers markers() const { return markers_; }

    void selectActor(int index);
    void selectStair(int index);
    // Scrolls the map so the highlight is in view.
    void scrollToHighlight();

    int currentActor() const { return currentActor_; }
    int currentStair() const { return currentStair_; }
    // The entries of the type combo, by code.
    const std::vector<std::uint8_t>& typeCodes() const { return typeCodes_; }
    const MarkerLayer& actorLayer() const { return actorLayer_; }
    const MarkerLayer& stairLayer() const { return stairLayer_; }
    const MarkerLayer& layer(Markers markers) const { return markers == Markers::Stairs ? stairLayer_ : actorLayer_; }
    std::optional<QRect> highlight() const;

    // The gestures of the marker tools, in map pixels: the marker `index`
    // pressed at `start` and released at `end` is moved there (a drag that
    // is refused or moves nothing writes nothing); a stair turns.
    void dropMarker(Markers markers, int index, QPoint start, QPoint end);
    void turnStair(int index);

    // The View menu's layers: the markers of a kind shown in every mode (in
    // their own mode they always show; elsewhere they are drawn faint and
    // cannot be dragged). Off by default.
    void setShownEverywhere(Markers markers, bool shown);
    bool shownEverywhere(Markers markers) const;

signals:
    void actorModeRequested();
    void stairModeRequested();
    // Why a drag or turn was refused, for the status bar.
    void statusMessage(const QString& text);

private:
    void showActors();
    void fillActorTypes();
    void showStairs();
    void showDoors();
    MarkerLayer::Marker actorMarker(int index);
    MarkerLayer::Marker stairMarker(int index);
    void selectActor(int index, bool scroll);
    void selectStair(int index, bool scroll);
    void chooseType(int entry);
    void changeControl(int value);
    // The inspector's fields: what they report goes through the document.
    void connectTypedFields();
    void typeActorPosition(QPoint foot);
    void typeActorType(int code);
    void typeActorControl(int value);
    void typeStairPosition(QPoint corner);
    void chooseStairDirection(int upDown, int leftRight);
    // Each kind of marker shows in its own mode or when asked for everywhere.
    void applyShown();
    void repaint();
    QString typeName(std::uint8_t type) const;
    // The loaded map's picture, in map pixels; a marker off it is not drawn
    // and its list line says so.
    QRect mapRect() const;
    static QString outsideNote();
    QString textOf(std::optional<int> number) const;

    RomDocument& document_;
    Dialogs& dialogs_;
    WorldPictures pictures_;
    Views views_;
    QWidget* messageParent_;
    Markers markers_ = Markers::None;
    MarkerLayer actorLayer_;
    MarkerLayer stairLayer_;
    int currentActor_ = 0;
    bool controlCut_ = false; // the slider drag was interrupted
    int currentStair_ = 0;
    world::ControlKind shownKind_ = world::ControlKind::None; // of the selected actor
    bool actorsEverywhere_ = false;
    bool stairsEverywhere_ = false;
    std::vector<std::uint8_t> typeCodes_; // actorTypeCodes, parallel to the combo
    QStringList typeNames_;               // actorTypeNames
    // Per loaded submap: actors already reported as of an unknown type, and
    // stairs edited (their list lines carry the index in hex from then on).
    std::set<int> warnedActors_;
    std::set<int> editedStairs_;
};

} // namespace quarry::ui
