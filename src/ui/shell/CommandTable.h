#pragma once

#include "ui/Icons.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace quarry::ui {

// The menus of the menu bar, in their order there.
enum class Menu { File, Edit, View, Tools, Help };

// Where a command shows: its menu and its section there (sections follow
// each other in ascending order, a separator between two), and the group
// of the tool bar it sits in, ordered alike; -1 keeps it off the tool bar.
struct Placement {
    Menu menu = Menu::File;
    int section = 0;
    int toolBarGroup = -1;
};

// One row of the command table.
struct CommandRow {
    QString caption{}; // the menu's words, with the & of the access key
    QString tip{};     // the tool tip; the caption without & and dots when empty
    QList<QKeySequence> keys{};
    Placement place{};
    std::optional<IconKind> icon{};
    bool needsImage = true;
    bool checkable = false;
    std::function<void()> run{}; // on trigger
};

// The main window's commands, one row each: the menus, the tool bar, the
// enabled states (a command that needs an image waits for one) and the
// shortcut list are all built from these rows, so a new command is one row.
class CommandTable : public QObject {
    Q_OBJECT

public:
    explicit CommandTable(QMainWindow& window);

    QAction* add(const CommandRow& row);
    // An action made elsewhere (a map tool's button) takes its place too.
    void adopt(QAction* action, Placement place, bool needsImage = true);
    QMenu* addSubmenu(const QString& title, Placement place);

    QMenu* menu(Menu which) const { return menus_.at(static_cast<std::size_t>(which)); }
    QToolBar* toolBar() const { return toolBar_; }

    // Enables the commands that need an image, or disables them.
    void setImageOpen(bool open);
    bool imageOpen() const { return imageOpen_; }

    // Every command that has keys, in menu order: its name and its keys as
    // the menus show them.
    struct Shortcut {
        Menu menu;
        QString name;
        QString keys;
    };
    std::vector<Shortcut> shortcuts() const;

signals:
    void imageOpenChanged(bool open);

private:
    struct Entry {
        QAction* action;
        Placement place;
        bool needsImage;
        QString name; // the menu's words without the access key's mark
    };
    const Entry* entryOf(const QAction* action) const;
    void placeInMenu(QAction* action, Placement place);
    void placeOnToolBar(QAction* action, int group);

    std::vector<Entry> entries_;
    std::vector<QMenu*> menus_;
    QToolBar* toolBar_ = nullptr;
    bool imageOpen_ = false;
};

} // namespace quarry::ui
