#pragma once

#include "core/world/Actors.h"
#include "core/world/Ferryman.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;
class QImage;

namespace quarry::ui {

class TypedBox;

// The actor list and the "Object Properties" frame. It only shows what it is
// told and reports the user's choices; the world controller decides.
class ActorPanel : public QWidget {
    Q_OBJECT

public:
    explicit ActorPanel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    void setLine(int index, const QString& line);
    // Selects a list entry without reporting it; true when the selection moved.
    bool selectRow(int index);

    // The names of the types offered; an empty list leaves the combo empty
    // and disabled.
    void setTypes(const QStringList& names);
    void selectType(int entry);

    void showValues(const world::ActorRecord& actor);
    // Empty value captions; text, slider and health hidden.
    void blankValues();
    // The parameter widgets for `kind`: the slider at `control` for kinds 1
    // and 2 (maximum 120 or 10), the text of `text` for kinds 1, 2 and 4,
    // the health box for kind 3.
    void showParameter(world::ControlKind kind, std::uint8_t control, const QString& text);
    // Enables the type combo and the parameter widgets (actor mode with an
    // actor to edit); disabled, the combo shows no entry.
    void setEditable(bool editable);

    // The type's picture beside its number and name.
    void showPicture(const QImage& picture);
    // Why a typed value was refused, under the fields; empty clears it.
    void showRefusal(const QString& why);

    QListWidget* list() const { return list_; }
    // The typed fields: foot point in map pixels, type, parameter.
    TypedBox* xBox() const { return xBox_; }
    TypedBox* yBox() const { return yBox_; }
    TypedBox* typeBox() const { return typeBox_; }
    TypedBox* controlBox() const { return controlBox_; }
    QLabel* pictureLabel() const { return picture_; }
    QLabel* refusal() const { return refusal_; }
    QComboBox* typeCombo() const { return typeCombo_; }
    QGroupBox* frame() const { return frame_; }
    QLabel* valueLabel(int field) const; // 0 x, 1 y, 2 type, 3 control
    QLabel* scriptLabel() const { return scriptLabel_; }
    QSlider* slider() const { return slider_; }
    QLabel* healthLabel() const { return healthLabel_; }
    QLineEdit* healthBox() const { return healthBox_; }

signals:
    void actorClicked(int index);
    void typeChosen(int entry);
    void controlChanged(int value);
    // The slider's handle was pressed and let go: one drag.
    void controlDragStarted();
    void controlDragFinished();
    // A value was typed and committed (Return or leaving its box).
    void positionTyped(QPoint foot);
    void typeTyped(int code);
    void controlTyped(int value);

private:
    // Names every field and lays out the frame.
    void buildFields();

    QListWidget* list_ = nullptr;        // lstObjectList
    QGroupBox* frame_ = nullptr;         // fraObjectProperties
    QComboBox* typeCombo_ = nullptr;     // cmbActorType
    QLabel* xLabel_ = nullptr;           // lblObjX
    QLabel* yLabel_ = nullptr;           // lblObjY
    QLabel* typeLabel_ = nullptr;        // lblObjType
    QLabel* controlLabel_ = nullptr;     // lblObjCtrl
    QLabel* scriptLabel_ = nullptr;      // lblScriptString
    QSlider* slider_ = nullptr;          // sliderStrings
    QLabel* healthLabel_ = nullptr;      // lblEnemyHealth
    QLineEdit* healthBox_ = nullptr;     // txtEnemyHealth
    TypedBox* xBox_ = nullptr;
    TypedBox* yBox_ = nullptr;
    TypedBox* typeBox_ = nullptr;
    TypedBox* controlBox_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* refusal_ = nullptr;
};

} // namespace quarry::ui
