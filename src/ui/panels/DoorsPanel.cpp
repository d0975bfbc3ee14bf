#include "ui/panels/DoorsPanel.h"

#include "ui/panels/WorldTexts.h"

#include <QGridLayout>
#include <QLabel>

namespace quarry::ui {

DoorsPanel::DoorsPanel(QWidget* parent) : QGroupBox(QString::fromLatin1(texts::kDoors), parent)
{
    setObjectName(QStringLiteral("fraAreaConnections"));
    auto* grid = new QGridLayout(this);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QStringLiteral("labelConnections%1").arg(i));
        labels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        labels_[i]->setMinimumWidth(28);
        labels_[i]->setAlignment(Qt::AlignCenter);
        grid->addWidget(labels_[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
    }
}

void DoorsPanel::showDoor(int row, const std::optional<world::ExitDestination>& door)
{
    const int values[3] = {door ? door->objectSet : 0, door ? door->area : 0, door ? door->entry : 0};
    for (int i = 0; i < 3; ++i) {
        QLabel* label = labels_[static_cast<std::size_t>(row * 3 + i)];
        label->setText(door ? QString::number(values[i], 16).toUpper() : QString::fromLatin1(texts::kDoorLoops));
        label->setToolTip(door ? QString() : QString::fromLatin1(texts::kTipDoorLoops));
    }
}

void DoorsPanel::showDoors(const world::Doors& doors)
{
    showDoor(0, doors.left);
    showDoor(1, doors.right);
}

void DoorsPanel::clear()
{
    for (QLabel* label : labels_) {
        label->clear();
        label->setToolTip(QString());
    }
}

} // namespace quarry::ui
