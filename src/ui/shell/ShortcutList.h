#pragma once

#include <QWidget>

class QTreeWidget;

namespace quarry::ui {

class CommandTable;

// Help > Keyboard Shortcuts: every command of the table that has keys,
// under its menu's name, read from the table each time it is shown.
class ShortcutList : public QWidget {
    Q_OBJECT

public:
    ShortcutList(const CommandTable& commands, QWidget* parent);

    // Fills the list anew and shows it.
    void showList();
    QTreeWidget* tree() const { return tree_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const CommandTable& commands_;
    QTreeWidget* tree_ = nullptr;
};

} // namespace quarry::ui
