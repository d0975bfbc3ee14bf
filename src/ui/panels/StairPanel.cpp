#include "ui/panels/StairPanel.h"

#include "core/world/Dragging.h"
#include "ui/panels/Heading.h"
#include "ui/panels/TypedBox.h"
#include "ui/panels/WorldTexts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

// The combo's entries in turning order, as (up/down, left/right).
constexpr std::pair<int, int> kDirections[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};

} // namespace

StairPanel::StairPanel(QWidget* parent) : QWidget(parent)
{
    using namespace texts;
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstStairList"));
    list_->setToolTip(QString::fromLatin1(kTipStairList));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Six lines: the panel keeps one height, and the actor panel above takes
    // the rest, so neither moves whatever the selection shows.
    list_->setFixedHeight(list_->fontMetrics().lineSpacing() * 6 + 2 * list_->frameWidth() + 4);

    frame_ = new QGroupBox(QString::fromLatin1(kStairProperties), this);
    frame_->setObjectName(QStringLiteral("fraStairProperties"));
    xBox_ = new TypedBox("txtStairX", kTipStairX, false, frame_);
    yBox_ = new TypedBox("txtStairY", kTipStairY, false, frame_);
    direction_ = new QComboBox(frame_);
    direction_->setObjectName(QStringLiteral("cmbStairDirection"));
    direction_->setToolTip(QString::fromLatin1(kTipDirection));
    for (const auto& [upDown, leftRight] : kDirections)
        direction_->addItem(QStringLiteral("U|D %1  L|R %2").arg(upDown).arg(leftRight));
    refusal_ = refusalLabel("lblStairRefusal", frame_);
    auto* grid = new QGridLayout(frame_);
    grid->addWidget(fieldCaption(kFieldX, kTipStairX, frame_), 0, 0);
    grid->addWidget(xBox_, 0, 1);
    grid->addWidget(fieldCaption(kFieldY, kTipStairY, frame_), 0, 2, Qt::AlignRight);
    grid->addWidget(yBox_, 0, 3);
    grid->addWidget(fieldCaption(kFieldDirection, kTipDirection, frame_), 1, 0);
    grid->addWidget(direction_, 1, 1, 1, 3);
    grid->addWidget(refusal_, 2, 0, 1, 4);
    frame_->setFixedHeight(frame_->sizeHint().height());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(headingLabel(QString::fromLatin1(kStairsHeading), QStringLiteral("lblStairsHeading"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(frame_);
    blank();

    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit stairClicked(list_->row(item));
    });
    // The arrow keys or typing move the current row: that selects too.
    // Rows set from outside come with the list's signals blocked.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit stairClicked(row);
    });
    pairBoxes(xBox_, yBox_, this, [this](QPoint corner) { emit positionTyped(corner); },
              [this](const QString& why) { showRefusal(why); });
    connect(direction_, &QComboBox::activated, this, [this](int entry) {
        if (entry >= 0 && entry < 4)
            emit directionChosen(kDirections[entry].first, kDirections[entry].second);
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

void StairPanel::setDirectionPictures(const QList<QImage>& pictures)
{
    for (int i = 0; i < direction_->count() && i < pictures.size(); ++i)
        direction_->setItemIcon(i, pictures[i].isNull() ? QIcon() : QIcon(QPixmap::fromImage(pictures[i])));
}

void StairPanel::showStair(const world::StairRecord& stair)
{
    const world::MapPoint corner = world::stairMarkerOrigin(stair);
    xBox_->showValue(corner.x);
    yBox_->showValue(corner.y);
    const QSignalBlocker blocker(direction_);
    direction_->setCurrentIndex((stair.leftRight & 1) * 2 + (stair.upDown & 1));
    showRefusal({});
}

void StairPanel::blank()
{
    xBox_->showValue(std::nullopt);
    yBox_->showValue(std::nullopt);
    const QSignalBlocker blocker(direction_);
    direction_->setCurrentIndex(-1);
    showRefusal({});
}

void StairPanel::setEditable(bool editable)
{
    for (QWidget* field : std::initializer_list<QWidget*>{xBox_, yBox_, direction_})
        field->setEnabled(editable);
}

void StairPanel::showRefusal(const QString& why)
{
    refusal_->setText(why);
    refusal_->setToolTip(why);
}

} // namespace quarry::ui
