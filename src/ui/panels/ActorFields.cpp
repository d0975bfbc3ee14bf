// The named and typed fields of the "Object Properties" frame.
#include "ui/panels/ActorPanel.h"

#include "ui/panels/TypedBox.h"
#include "ui/panels/WorldTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>

namespace quarry::ui {

namespace {

constexpr QSize kPictureBox(28, 48);

} // namespace

void ActorPanel::buildFields()
{
    using namespace texts;
    typeBox_ = new TypedBox("txtActorType", kTipTypeBox, true, frame_);
    xBox_ = new TypedBox("txtActorX", kTipActorX, false, frame_);
    yBox_ = new TypedBox("txtActorY", kTipActorY, false, frame_);
    controlBox_ = new TypedBox("txtActorControl", kTipParameterBox, true, frame_);
    picture_ = new QLabel(frame_);
    picture_->setObjectName(QStringLiteral("picActorType"));
    picture_->setFixedSize(kPictureBox);
    picture_->setAlignment(Qt::AlignCenter);
    refusal_ = refusalLabel("lblActorRefusal", frame_);

    auto* grid = new QGridLayout(frame_);
    grid->setHorizontalSpacing(4);
    grid->addWidget(fieldCaption(kFieldType, kTipObjectType, frame_), 0, 0);
    grid->addWidget(typeBox_, 0, 1);
    grid->addWidget(typeCombo_, 0, 2, 1, 2);
    grid->addWidget(picture_, 0, 4, 2, 1);
    grid->addWidget(fieldCaption(kFieldX, kTipActorX, frame_), 1, 0);
    grid->addWidget(xBox_, 1, 1);
    grid->addWidget(fieldCaption(kFieldY, kTipActorY, frame_), 1, 2, Qt::AlignRight);
    grid->addWidget(yBox_, 1, 3);
    grid->addWidget(fieldCaption(kFieldParameter, kTipObjectControl, frame_), 2, 0);
    grid->addWidget(controlBox_, 2, 1);
    grid->addWidget(healthLabel_, 2, 2, Qt::AlignRight);
    grid->addWidget(healthBox_, 2, 3);
    grid->addWidget(slider_, 3, 0, 1, 5);
    grid->addWidget(scriptLabel_, 4, 0, 1, 5);

    // The record's four bytes, each named above its box.
    auto* bytes = new QGridLayout;
    bytes->setVerticalSpacing(0);
    bytes->addWidget(fieldCaption(kRecordBytes, kTipRecordBytes, frame_), 1, 0);
    const std::pair<const char*, QLabel*> named[] = {
        {"type", typeLabel_}, {"x", xLabel_}, {"y", yLabel_}, {"param", controlLabel_}};
    int column = 1;
    for (const auto& [name, label] : named) {
        bytes->addWidget(fieldCaption(name, kTipRecordBytes, frame_), 0, column, Qt::AlignCenter);
        bytes->addWidget(label, 1, column++);
    }
    grid->addLayout(bytes, 5, 0, 1, 5);
    grid->addWidget(refusal_, 6, 0, 1, 5);

    connect(typeBox_, &TypedBox::committed, this, &ActorPanel::typeTyped);
    connect(controlBox_, &TypedBox::committed, this, &ActorPanel::controlTyped);
    pairBoxes(xBox_, yBox_, this, [this](QPoint foot) { emit positionTyped(foot); },
              [this](const QString& why) { showRefusal(why); });
    for (TypedBox* box : {typeBox_, controlBox_})
        connect(box, &TypedBox::unreadable, this, &ActorPanel::showRefusal);
}

void ActorPanel::showPicture(const QImage& picture)
{
    if (picture.isNull()) {
        picture_->clear();
        return;
    }
    // Small pictures at their own size, larger ones shrunk to fit.
    const QImage fitted = picture.width() > kPictureBox.width() || picture.height() > kPictureBox.height()
                              ? picture.scaled(kPictureBox, Qt::KeepAspectRatio, Qt::FastTransformation)
                              : picture;
    picture_->setPixmap(QPixmap::fromImage(fitted));
}

void ActorPanel::showRefusal(const QString& why)
{
    refusal_->setText(why);
    refusal_->setToolTip(why);
}

} // namespace quarry::ui
