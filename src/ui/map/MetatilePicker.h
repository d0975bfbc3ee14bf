#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

class QLabel;

namespace quarry::ui {

// The metatile chooser (picBkgNat): the object set's metatiles eight to a
// row, 256 x 288 pixels, with the chosen one shown at twice its size and its
// number beside it.
class MetatilePicker : public QWidget {
    Q_OBJECT

public:
    explicit MetatilePicker(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // Shows metatile `number`'s block of the chooser as the chosen one.
    void showSelection(int number);

    // Numbers written in the corner of the first counts.size() blocks (how
    // many map cells use each metatile); an empty list writes none.
    void setCounts(std::vector<int> counts);
    const std::vector<int>& counts() const { return counts_; }

    QWidget* chooser() const;
    QString selectionText() const;
    QImage selectionPicture() const { return selection_; }

signals:
    // A press of any button on the chooser, in chooser pixels.
    void pressed(QPoint pixel);
    void doubleClicked(QPoint pixel);

private:
    class Chooser;
    class Selection;

    QImage picture_;
    QImage selection_;
    std::vector<int> counts_;
    Chooser* chooser_ = nullptr;
    Selection* selectionView_ = nullptr; // picSelectedMetatile
    QLabel* selectionLabel_ = nullptr;   // lblSelMetatile
};

} // namespace quarry::ui
