#include "ui/panels/ActorPanel.h"
#include "ui/HexText.h"

#include "core/world/Dragging.h"

#include "ui/panels/Heading.h"
#include "ui/panels/TypedBox.h"
#include "ui/panels/WorldTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

QString hexPair(int value)
{
    return hexByte(value);
}

QLabel* valueLabel(QWidget* parent, const char* name, const char* tip)
{
    auto* label = new QLabel(QStringLiteral("00"), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(tip));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(28);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

ActorPanel::ActorPanel(QWidget* parent) : QWidget(parent)
{
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstObjectList"));
    list_->setToolTip(QString::fromLatin1(texts::kTipActorList));

    frame_ = new QGroupBox(QString::fromLatin1(texts::kObjectProperties), this);
    frame_->setObjectName(QStringLiteral("fraObjectProperties"));
    typeCombo_ = new QComboBox(frame_);
    typeCombo_->setObjectName(QStringLiteral("cmbActorType"));
    typeCombo_->setEnabled(false);
    typeCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    typeCombo_->setMinimumContentsLength(5);
    typeLabel_ = ui::valueLabel(frame_, "lblObjType", texts::kTipObjectType);
    xLabel_ = ui::valueLabel(frame_, "lblObjX", texts::kTipObjectX);
    yLabel_ = ui::valueLabel(frame_, "lblObjY", texts::kTipObjectY);
    controlLabel_ = ui::valueLabel(frame_, "lblObjCtrl", texts::kTipObjectControl);
    scriptLabel_ = new QLabel(frame_);
    scriptLabel_->setObjectName(QStringLiteral("lblScriptString"));
    scriptLabel_->setWordWrap(true);
    scriptLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines, however long the text: the panels keep their places.
    scriptLabel_->setFixedHeight(scriptLabel_->fontMetrics().lineSpacing() * 2 + 4);
    slider_ = new QSlider(Qt::Horizontal, frame_);
    slider_->setObjectName(QStringLiteral("sliderStrings"));
    slider_->setTickPosition(QSlider::TicksBelow);
    healthLabel_ = new QLabel(QString::fromLatin1(texts::kHealth), frame_);
    healthLabel_->setObjectName(QStringLiteral("lblEnemyHealth"));
    healthBox_ = new QLineEdit(QStringLiteral("00"), frame_);
    healthBox_->setObjectName(QStringLiteral("txtEnemyHealth"));
    healthBox_->setToolTip(QString::fromLatin1(texts::kTipEnemyHealth));
    healthBox_->setReadOnly(true); // it only shows the value
    healthBox_->setMaximumWidth(40);
    buildFields();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(headingLabel(QString::fromLatin1(texts::kActorsHeading), QStringLiteral("lblActorsHeading"), this));
    layout->addWidget(list_, 1);
    layout->addWidget(frame_);

    // The parameter widgets come and go with the actor's kind; the frame
    // keeps its height, so the list above does not jump.
    for (QWidget* widget : std::initializer_list<QWidget*>{scriptLabel_, slider_, healthLabel_, healthBox_}) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    frame_->setFixedHeight(frame_->sizeHint().height());
    blankValues();
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit actorClicked(list_->row(item));
    });
    // The arrow keys or typing move the current row: that selects too.
    // Rows set from outside come with the list's signals blocked.
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit actorClicked(row);
    });
    connect(typeCombo_, &QComboBox::activated, this, &ActorPanel::typeChosen);
    connect(slider_, &QSlider::valueChanged, this, &ActorPanel::controlChanged);
    connect(slider_, &QSlider::sliderPressed, this, &ActorPanel::controlDragStarted);
    connect(slider_, &QSlider::sliderReleased, this, &ActorPanel::controlDragFinished);
}

void ActorPanel::setLines(const QStringList& lines)
{
    const QSignalBlocker blocker(list_);
    list_->clear();
    list_->addItems(lines);
}

void ActorPanel::setLine(int index, const QString& line)
{
    if (QListWidgetItem* item = list_->item(index))
        item->setText(line);
}

bool ActorPanel::selectRow(int index)
{
    const QSignalBlocker blocker(list_);
    const bool moved = list_->currentRow() != index;
    list_->setCurrentRow(index);
    if (QListWidgetItem* item = list_->item(index))
        list_->scrollToItem(item); // the selected line stays in view
    return moved;
}

void ActorPanel::setTypes(const QStringList& names)
{
    const QSignalBlocker blocker(typeCombo_);
    typeCombo_->clear();
    typeCombo_->addItems(names);
    typeCombo_->setEnabled(false);
}

void ActorPanel::selectType(int entry)
{
    const QSignalBlocker blocker(typeCombo_);
    typeCombo_->setCurrentIndex(entry);
}

void ActorPanel::showValues(const world::ActorRecord& actor)
{
    xLabel_->setText(hexPair(actor.x));
    yLabel_->setText(hexPair(actor.y));
    typeLabel_->setText(hexPair(actor.type));
    controlLabel_->setText(hexPair(actor.control));
    const world::MapPoint foot = world::actorFoot(actor);
    xBox_->showValue(foot.x);
    yBox_->showValue(foot.y);
    typeBox_->showValue(actor.type);
    controlBox_->showValue(actor.control);
    showRefusal({});
}

void ActorPanel::blankValues()
{
    for (QLabel* label : {xLabel_, yLabel_, typeLabel_, controlLabel_, picture_})
        label->clear();
    for (TypedBox* box : {xBox_, yBox_, typeBox_, controlBox_})
        box->showValue(std::nullopt);
    showRefusal({});
    showParameter(world::ControlKind::None, 0, QString());
}

void ActorPanel::showParameter(world::ControlKind kind, std::uint8_t control, const QString& text)
{
    using world::ControlKind;
    const bool slider = kind == ControlKind::Text || kind == ControlKind::TextTable;
    const bool health = kind == ControlKind::Health;
    scriptLabel_->setVisible(slider || kind == ControlKind::Ferryman);
    scriptLabel_->setText(text);
    slider_->setVisible(slider);
    healthLabel_->setVisible(health);
    healthBox_->setVisible(health);
    healthBox_->setText(hexPair(control));
    if (slider) {
        // Showing a value never changes it: a control byte beyond the range
        // of the slider stays as it is until the user moves the slider.
        const QSignalBlocker blocker(slider_);
        slider_->setMaximum(world::largestControl(kind));
        slider_->setTickInterval(kind == ControlKind::Text ? 8 : 1);
        slider_->setValue(control);
    }
}

void ActorPanel::setEditable(bool editable)
{
    typeCombo_->setEnabled(editable && typeCombo_->count() > 0);
    if (!editable) {
        const QSignalBlocker blocker(typeCombo_);
        typeCombo_->setCurrentIndex(-1);
    }
    scriptLabel_->setEnabled(editable);
    for (TypedBox* box : {xBox_, yBox_, typeBox_, controlBox_})
        box->setEnabled(editable);
    slider_->setEnabled(editable);
    healthBox_->setEnabled(editable);
}

QLabel* ActorPanel::valueLabel(int field) const
{
    const QLabel* const labels[] = {xLabel_, yLabel_, typeLabel_, controlLabel_};
    return const_cast<QLabel*>(labels[field]);
}

} // namespace quarry::ui
