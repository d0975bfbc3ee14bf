#include "ui/panels/GridPanel.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace quarry::ui {

GridPanel::GridPanel(QWidget* parent) : QGroupBox(QStringLiteral("Grid"), parent)
{
    setObjectName(QStringLiteral("fraGrid"));
    none_ = new QRadioButton(QStringLiteral("None"), this);
    metatile_ = new QRadioButton(QStringLiteral("Metatile"), this);
    screen_ = new QRadioButton(QStringLiteral("Screen"), this);
    none_->setChecked(true);
    colour_ = new QScrollBar(Qt::Horizontal, this);
    colour_->setObjectName(QStringLiteral("hscrGridColor"));
    colour_->setRange(0, 255);
    colour_->setMinimumWidth(120);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(none_);
    buttons->addWidget(metatile_);
    buttons->addWidget(screen_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(colour_);

    connect(none_, &QRadioButton::clicked, this, &GridPanel::noneClicked);
    connect(metatile_, &QRadioButton::clicked, this, [this] { emit metatileClicked(metatile_->isChecked()); });
    connect(screen_, &QRadioButton::clicked, this, [this] { emit screenClicked(screen_->isChecked()); });
    connect(colour_, &QScrollBar::valueChanged, this, &GridPanel::blueLevelChanged);
}

bool GridPanel::showMetatile() const
{
    return metatile_->isChecked();
}

bool GridPanel::showScreen() const
{
    return screen_->isChecked();
}

} // namespace quarry::ui
