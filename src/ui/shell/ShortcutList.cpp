#include "ui/shell/ShortcutList.h"

#include "ui/shell/CommandTable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace quarry::ui {

ShortcutList::ShortcutList(const CommandTable& commands, QWidget* parent)
    : QWidget(parent, Qt::Window), commands_(commands)
{
    setObjectName(QStringLiteral("shortcutList"));
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    tree_ = new QTreeWidget(this);
    tree_->setHeaderLabels({QStringLiteral("Command"), QStringLiteral("Keys")});
    tree_->setRootIsDecorated(false);
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(380, 520);
}

void ShortcutList::showList()
{
    tree_->clear();
    QTreeWidgetItem* heading = nullptr;
    std::optional<Menu> headingMenu;
    for (const CommandTable::Shortcut& shortcut : commands_.shortcuts()) {
        if (shortcut.menu != headingMenu) {
            // The menu's title without its access key's mark heads its keys.
            heading = new QTreeWidgetItem(tree_, {commands_.menu(shortcut.menu)->title().remove(QLatin1Char('&'))});
            QFont bold = heading->font(0);
            bold.setBold(true);
            heading->setFont(0, bold);
            heading->setFlags(Qt::ItemIsEnabled);
            headingMenu = shortcut.menu;
        }
        new QTreeWidgetItem(tree_, {shortcut.name, shortcut.keys});
    }
    show();
    raise();
    activateWindow();
}

void ShortcutList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace quarry::ui
