#include "ui/MergeDialog.h"

#include "ui/Dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

const QStringList kSides = {QStringLiteral("Keep mine (the open image)"), QStringLiteral("Keep theirs (the other edit)")};

} // namespace

MergeDialog::MergeDialog(QWidget* parent, const QStringList& conflicts) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Merge conflicts"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Both edits changed these differently. Choose which side to keep "
                                                "for each; Cancel changes nothing."),
                                 this));
    auto* defaults = new QHBoxLayout;
    defaults->addWidget(new QLabel(QStringLiteral("For all:"), this));
    default_ = new QComboBox(this);
    default_->addItems(kSides);
    defaults->addWidget(default_, 1);
    layout->addLayout(defaults);

    table_ = new QTableWidget(static_cast<int>(conflicts.size()), 2, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Conflict"), QStringLiteral("Keep")});
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int row = 0; row < conflicts.size(); ++row) {
        auto* item = new QTableWidgetItem(conflicts[row]);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setToolTip(conflicts[row]);
        table_->setItem(row, 0, item);
        auto* side = new QComboBox(table_);
        side->addItems(kSides);
        table_->setCellWidget(row, 1, side);
    }
    connect(default_, &QComboBox::currentIndexChanged, this, [this](int index) {
        for (int row = 0; row < table_->rowCount(); ++row)
            side(row)->setCurrentIndex(index);
    });
    layout->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 420);
}

QComboBox* MergeDialog::side(int row) const
{
    return static_cast<QComboBox*>(table_->cellWidget(row, 1));
}

std::vector<bool> MergeDialog::keepMine() const
{
    std::vector<bool> mine;
    for (int row = 0; row < table_->rowCount(); ++row)
        mine.push_back(side(row)->currentIndex() == 0);
    return mine;
}

std::optional<std::vector<bool>> Dialogs::chooseMergeSides(QWidget* parent, const QStringList& conflicts)
{
    MergeDialog dialog(parent, conflicts);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.keepMine();
}

} // namespace quarry::ui
