#pragma once

#include <QTreeWidget>

namespace quarry::ui {

// The catalogue of object sets, areas and submaps (tvAreaList). Every node
// carries its key; clicking any node reports that key.
class AreaTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit AreaTree(QWidget* parent = nullptr);

    // Clears the tree and adds every node in catalogue order.
    void fill();
    // The node with `key`, or null.
    QTreeWidgetItem* findNode(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* item);
    // All nodes in the order they were added.
    QList<QTreeWidgetItem*> nodesInOrder() const;

signals:
    // A node was chosen, by a click or from the keyboard.
    void nodeClicked(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace quarry::ui
