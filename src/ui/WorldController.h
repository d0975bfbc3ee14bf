#pragma once

#include "ui/map/MarkerLayer.h"
#include "ui/map/WorldPictures.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
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
class StairPanel;

// Actor and stair mode: the markers over the map, their selection, drags,
// type and parameter changes and stair turns, and the actor, stair and door
// panels that go with them.
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

    WorldController(session::Document& document, Dialogs& dialogs, const QString& datDir, Views views,
                    QWidget* messageParent);

    // Rebuilds lists, markers, type choices and doors for the loaded area;
    // the selections go back to 0 and no markers are shown.
    void showArea();
    // After undo or redo: lists, markers and doors show the image again,
    // keeping the mode and the selections that still exist.
    void showRestoredArea();
    // The mode switch of the main window: shows one kind of markers and
    // selects the current actor or stair, or hides them all.
    void enterMode(Markers markers);

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
    std::optional<QRect> highlight() const;

    // The map gestures, in map pixels.
    void press(QPoint mapPixel, Qt::MouseButton button);
    void move(QPoint mapPixel);
    void release(QPoint mapPixel, Qt::MouseButton button);
    void doubleClick(QPoint mapPixel, Qt::MouseButton button);

signals:
    void actorModeRequested();
    void stairModeRequested();
    // The image changed through an actor or stair edit.
    void imageEdited();

private:
    void showActors();
    void fillActorTypes();
    void showStairs();
    MarkerLayer::Marker actorMarker(int index);
    MarkerLayer::Marker stairMarker(int index);
    void chooseType(int entry);
    void changeControl(int value);
    void repaint();
    QString typeName(std::uint8_t type) const;
    QString textOf(std::optional<int> number) const;

    session::Document& document_;
    Dialogs& dialogs_;
    WorldPictures pictures_;
    Views views_;
    QWidget* messageParent_;
    Markers markers_ = Markers::None;
    MarkerLayer actorLayer_;
    MarkerLayer stairLayer_;
    int currentActor_ = 0;
    int currentStair_ = 0;
    std::vector<std::uint8_t> typeCodes_; // actorTypeCodes, parallel to the combo
    QStringList typeNames_;               // actorTypeNames

    // The drag in progress: the marker pressed and where.
    int dragIndex_ = -1;
    QPoint dragStart_;
};

} // namespace quarry::ui
