#include "ui/panels/StairPanel.h"

#include "ui/panels/WorldTexts.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quarry::ui {

StairPanel::StairPanel(QWidget* parent) : QWidget(parent)
{
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstStairList"));
    list_->setToolTip(QString::fromLatin1(texts::kTipStairList));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit stairClicked(list_->row(item));
    });
    // The arrow keys or typing move the current row: that selects too.
    // Rows set from outside come with the list's signals blocked.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit stairClicked(row);
    });
}

void StairPanel::setLines(const QStringList& lines)
{
    const QSignalBlocker blocker(list_);
    list_->clear();
    list_->addItems(lines);
}

void StairPanel::setLine(int index, const QString& line)
{
    if (QListWidgetItem* item = list_->item(index))
        item->setText(line);
}

bool StairPanel::selectRow(int index)
{
    const QSignalBlocker blocker(list_);
    const bool moved = list_->currentRow() != index;
    list_->setCurrentRow(index);
    if (QListWidgetItem* item = list_->item(index))
        list_->scrollToItem(item); // the selected line stays in view
    return moved;
}

} // namespace quarry::ui
