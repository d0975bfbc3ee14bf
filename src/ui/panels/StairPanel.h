#pragma once

#include <QWidget>

class QListWidget;

namespace quarry::ui {

// The stair list of the loaded submap.
class StairPanel : public QWidget {
    Q_OBJECT

public:
    explicit StairPanel(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    void setLine(int index, const QString& line);
    // Selects a list entry without reporting it; true when the selection moved.
    bool selectRow(int index);
    QListWidget* list() const { return list_; }

signals:
    void stairClicked(int index);

private:
    QListWidget* list_ = nullptr; // lstStairList
};

} // namespace quarry::ui
