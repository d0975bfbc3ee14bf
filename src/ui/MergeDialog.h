#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class QComboBox;
class QTableWidget;

namespace quarry::ui {

// The conflicts of File > Merge With..., one row each with the side to keep,
// and a default that sets every row at once.
class MergeDialog : public QDialog {
    Q_OBJECT

public:
    MergeDialog(QWidget* parent, const QStringList& conflicts);

    // True where mine is kept.
    std::vector<bool> keepMine() const;
    QComboBox* defaultSide() const { return default_; }
    QComboBox* side(int row) const;

private:
    QComboBox* default_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace quarry::ui
