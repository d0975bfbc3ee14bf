#include "ui/AreaTree.h"

#include "core/world/AreaCatalogue.h"
#include "ui/Texts.h"

#include <QHash>
#include <QKeyEvent>

namespace quarry::ui {

AreaTree::AreaTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("areaTree"));
    setToolTip(texts::kTipAreaList);
    setHeaderLabel(QStringLiteral("Areas"));
    // Its panel's title is the heading; a floating tree is named by it too.
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { emit nodeClicked(keyOf(item)); });
}

void AreaTree::keyPressEvent(QKeyEvent* event)
{
    // The keyboard chooses as a click does: Enter on the current node, or
    // moving the current node with the arrow keys.
    QTreeWidgetItem* before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* after = currentItem();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (after && (enter || after != before))
        emit nodeClicked(keyOf(after));
}

void AreaTree::fill()
{
    clear();
    QHash<QString, QTreeWidgetItem*> byKey;
    for (const world::CatalogueNode& node : world::catalogueNodes()) {
        const QString key = QString::fromStdString(node.key);
        QTreeWidgetItem* item = node.parentKey.empty()
                                    ? new QTreeWidgetItem(this)
                                    : new QTreeWidgetItem(byKey.value(QString::fromStdString(node.parentKey)));
        item->setText(0, QString::fromStdString(node.caption));
        item->setData(0, Qt::UserRole, key);
        byKey.insert(key, item);
    }
}

QString AreaTree::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

QTreeWidgetItem* AreaTree::findNode(const QString& key) const
{
    for (QTreeWidgetItem* item : nodesInOrder())
        if (keyOf(item) == key)
            return item;
    return nullptr;
}

QList<QTreeWidgetItem*> AreaTree::nodesInOrder() const
{
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(const_cast<AreaTree*>(this)); *it; ++it)
        nodes << *it;
    return nodes;
}

} // namespace quarry::ui
