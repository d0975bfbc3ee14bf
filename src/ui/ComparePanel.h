#pragma once

#include "core/compare/ImageDiff.h"
#include "core/rom/RomImage.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QPainter;
class QTreeWidget;
class QTreeWidgetItem;

namespace quarry::ui {

class MainWindow;

// File > Compare With...: the changes from the open image to another one,
// grouped by the kind of part. Activating an entry shows its data: loads
// its submap, selects its actor or stair, or opens the editor window on its
// tile, metatile, text or frame. While the panel is shown the map view marks
// the cells of the loaded map that differ.
class ComparePanel : public QDockWidget {
    Q_OBJECT

public:
    explicit ComparePanel(MainWindow& window);

    // Compares `base` (the open image as it is now) with `other`, named
    // `name` in the title.
    void compare(const rom::RomImage& base, const rom::RomImage& other, const QString& name);

    QTreeWidget* list() const { return list_; }
    const std::vector<compare::PartChange>& changes() const { return changes_; }
    // Shows the data of change `index` (and of its field `field`, or -1).
    void showChange(int index, int field);
    // The marks over the map, in map pixels.
    void paintMarks(QPainter& painter) const;

private:
    void activate(QTreeWidgetItem* item);
    void loadSubmap(const rom::AreaId& id);
    void showInEditor(const compare::PartChange& change);

    MainWindow& window_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
    rom::RomImage base_;
    rom::RomImage other_;
    std::vector<compare::PartChange> changes_;
};

} // namespace quarry::ui
