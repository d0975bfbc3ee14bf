#pragma once

#include "core/world/Stairs.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QImage;
class QLabel;
class QListWidget;

namespace quarry::ui {

class TypedBox;

// The stair list of the loaded submap and the "Stair Properties" frame: the
// selected stair's position in map pixels and its direction, each named and
// editable by typing or choosing. It only shows and reports; the world
// controller decides.
class StairPanel : public QWidget {
    Q_OBJECT

public:
    explicit StairPanel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    void setLine(int index, const QString& line);
    // Selects a list entry without reporting it; true when the selection moved.
    bool selectRow(int index);

    // The direction pictures, in the order the combo offers the directions:
    // (up/down, left/right) = (0,0), (1,0), (0,1), (1,1), as turns step.
    void setDirectionPictures(const QList<QImage>& pictures);
    void showStair(const world::StairRecord& stair);
    void blank();
    // The fields take input only in stair mode with a stair to edit.
    void setEditable(bool editable);
    void showRefusal(const QString& why);

    QListWidget* list() const { return list_; }
    QGroupBox* frame() const { return frame_; }
    TypedBox* xBox() const { return xBox_; }
    TypedBox* yBox() const { return yBox_; }
    QComboBox* directionCombo() const { return direction_; }
    QLabel* refusal() const { return refusal_; }

signals:
    void stairClicked(int index);
    void positionTyped(QPoint corner);
    void directionChosen(int upDown, int leftRight);

private:
    QListWidget* list_ = nullptr; // lstStairList
    QGroupBox* frame_ = nullptr;
    TypedBox* xBox_ = nullptr;
    TypedBox* yBox_ = nullptr;
    QComboBox* direction_ = nullptr;
    QLabel* refusal_ = nullptr;
};

} // namespace quarry::ui
