#pragma once

#include <QGroupBox>

class QRadioButton;
class QScrollBar;

namespace quarry::ui {

// The "Grid" frame: no grid, the metatile grid or the screen grid, and a bar
// for the lines' blue level.
class GridPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit GridPanel(QWidget* parent = nullptr);

    bool showMetatile() const;
    bool showScreen() const;
    QRadioButton* noneButton() const { return none_; }
    QRadioButton* metatileButton() const { return metatile_; }
    QRadioButton* screenButton() const { return screen_; }
    QScrollBar* colourBar() const { return colour_; }

signals:
    void noneClicked();
    void metatileClicked(bool checked);
    void screenClicked(bool checked);
    void blueLevelChanged(int value);

private:
    QRadioButton* none_ = nullptr;     // optNone
    QRadioButton* metatile_ = nullptr; // optShowMetatile
    QRadioButton* screen_ = nullptr;   // optShowScreen
    QScrollBar* colour_ = nullptr;     // hscrGridColor
};

} // namespace quarry::ui
