#include "ui/panels/DoorsPanel.h"
#include "ui/HexText.h"

#include "core/world/AreaCatalogue.h"
#include "ui/panels/WorldTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace quarry::ui {

DoorsPanel::DoorsPanel(QWidget* parent) : QGroupBox(QString::fromLatin1(texts::kDoors), parent)
{
    setObjectName(QStringLiteral("fraAreaConnections"));
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    // A caption over each column of numbers.
    const char* columns[] = {texts::kDoorSet, texts::kDoorArea, texts::kDoorEntry};
    for (int c = 0; c < 3; ++c) {
        auto* caption = new QLabel(QString::fromLatin1(columns[c]), this);
        caption->setAlignment(Qt::AlignCenter);
        grid->addWidget(caption, 0, c + 1);
    }
    const char* sides[] = {texts::kDoorLeft, texts::kDoorRight};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QStringLiteral("labelConnections%1").arg(i));
        labels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        labels_[i]->setMinimumWidth(28);
        labels_[i]->setAlignment(Qt::AlignCenter);
        grid->addWidget(labels_[i], static_cast<int>(i / 3) * 2 + 1, static_cast<int>(i % 3) + 1);
    }
    for (std::size_t door = 0; door < 2; ++door) {
        const int row = static_cast<int>(door) * 2 + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(sides[door]), this), row, 0);
        goTo_[door] = new QPushButton(QString::fromLatin1(texts::kGoTo), this);
        goTo_[door]->setObjectName(QStringLiteral("cmdGoTo%1").arg(door));
        goTo_[door]->setEnabled(false);
        grid->addWidget(goTo_[door], row, 4);
        words_[door] = new QLabel(this);
        words_[door]->setObjectName(QStringLiteral("lblDoorWords%1").arg(door));
        words_[door]->setWordWrap(true);
        // Two lines, whatever the words: the panel keeps its height.
        words_[door]->setFixedHeight(words_[door]->fontMetrics().lineSpacing() * 2 + 2);
        words_[door]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(words_[door], row + 1, 0, 1, 5);
        connect(goTo_[door], &QPushButton::clicked, this, [this, door] { emit goTo(keys_[door]); });
    }
}

void DoorsPanel::showDoor(int row, const std::optional<world::ExitDestination>& door)
{
    const int values[3] = {door ? door->objectSet : 0, door ? door->area : 0, door ? door->entry : 0};
    for (int i = 0; i < 3; ++i) {
        QLabel* label = labels_[static_cast<std::size_t>(row * 3 + i)];
        label->setText(door ? hexNumber(values[i]) : QString::fromLatin1(texts::kDoorLoops));
        label->setToolTip(door ? QString() : QString::fromLatin1(texts::kTipDoorLoops));
    }
    const auto index = static_cast<std::size_t>(row);
    keys_[index].clear();
    QString words = QString::fromLatin1(texts::kTipDoorLoops);
    if (door) {
        const world::Arrival arrival = world::arrivalOf(*door);
        words = QStringLiteral("To ") + QString::fromStdString(world::arrivalWords(arrival));
        if (const world::SubmapNode* node = world::findSubmap({arrival.objectSet, arrival.area, arrival.submap}))
            keys_[index] = QString::fromStdString(node->key);
        else
            words += QString::fromLatin1(texts::kDoorNotListed);
    }
    words_[index]->setText(words);
    words_[index]->setToolTip(words);
    goTo_[index]->setEnabled(!keys_[index].isEmpty());
    goTo_[index]->setToolTip(keys_[index].isEmpty() ? QString() : QStringLiteral("Load the submap this door leads to"));
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
    for (std::size_t door = 0; door < 2; ++door) {
        words_[door]->clear();
        keys_[door].clear();
        goTo_[door]->setEnabled(false);
    }
}

} // namespace quarry::ui
