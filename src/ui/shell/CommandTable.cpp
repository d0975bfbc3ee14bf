#include "ui/shell/CommandTable.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quarry::ui {

namespace {

// "Save &As..." goes by "Save As" in lists and tool tips.
QString plainWords(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (text.endsWith(QLatin1String("...")))
        text.chop(3);
    return text;
}

// Puts `action` after the others of its rank and before the first of a
// later rank; a rank of its own gets separators from its neighbours. The
// ranks of actions placed by others are unknown: they are passed over.
template <class Bar>
void placeRanked(Bar& bar, QAction* action, int rank, const std::function<std::optional<int>(QAction*)>& rankOf)
{
    bool rankShown = false;
    bool earlierShown = false;
    QAction* later = nullptr;
    for (QAction* shown : bar.actions()) {
        const std::optional<int> other = rankOf(shown);
        if (!other)
            continue;
        rankShown = rankShown || *other == rank;
        earlierShown = earlierShown || *other < rank;
        if (*other > rank && !later)
            later = shown;
    }
    if (later) {
        if (rankShown) {
            // After the last of its rank, before the separator that ends it.
            bar.insertAction(bar.actions().at(bar.actions().indexOf(later) - 1), action);
        } else {
            bar.insertAction(later, action);
            bar.insertSeparator(later);
        }
        return;
    }
    if (!rankShown && earlierShown)
        bar.addSeparator();
    bar.addAction(action);
}

} // namespace

CommandTable::CommandTable(QMainWindow& window) : QObject(&window)
{
    for (const char* title : {"&File", "&Edit", "&View", "&Tools", "&Help"})
        menus_.push_back(window.menuBar()->addMenu(QString::fromLatin1(title)));
    toolBar_ = window.addToolBar(QStringLiteral("Commands"));
    toolBar_->setObjectName(QStringLiteral("frameMenubar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
}

QAction* CommandTable::add(const CommandRow& row)
{
    auto* action = new QAction(row.caption, parent());
    action->setToolTip(row.tip.isEmpty() ? plainWords(row.caption) : row.tip);
    if (row.icon)
        action->setIcon(commandIcon(*row.icon));
    action->setShortcuts(row.keys);
    action->setCheckable(row.checkable);
    if (row.run)
        connect(action, &QAction::triggered, this, [run = row.run] { run(); });
    adopt(action, row.place, row.needsImage);
    return action;
}

void CommandTable::adopt(QAction* action, Placement place, bool needsImage)
{
    placeInMenu(action, place);
    if (place.toolBarGroup >= 0)
        placeOnToolBar(action, place.toolBarGroup);
    entries_.push_back(Entry{action, place, needsImage, plainWords(action->text())});
    if (needsImage)
        action->setEnabled(imageOpen_);
}

QMenu* CommandTable::addSubmenu(const QString& title, Placement place)
{
    auto* submenu = new QMenu(title, menu(place.menu));
    adopt(submenu->menuAction(), place, false);
    return submenu;
}

const CommandTable::Entry* CommandTable::entryOf(const QAction* action) const
{
    for (const Entry& entry : entries_)
        if (entry.action == action)
            return &entry;
    return nullptr;
}

void CommandTable::placeInMenu(QAction* action, Placement place)
{
    placeRanked(*menu(place.menu), action, place.section, [this](QAction* shown) -> std::optional<int> {
        const Entry* entry = entryOf(shown);
        return entry ? std::optional(entry->place.section) : std::nullopt;
    });
}

void CommandTable::placeOnToolBar(QAction* action, int group)
{
    placeRanked(*toolBar_, action, group, [this](QAction* shown) -> std::optional<int> {
        const Entry* entry = entryOf(shown);
        return entry && entry->place.toolBarGroup >= 0 ? std::optional(entry->place.toolBarGroup) : std::nullopt;
    });
}

void CommandTable::setImageOpen(bool open)
{
    imageOpen_ = open;
    for (const Entry& entry : entries_)
        if (entry.needsImage)
            entry.action->setEnabled(open);
    emit imageOpenChanged(open);
}

std::vector<CommandTable::Shortcut> CommandTable::shortcuts() const
{
    std::vector<Shortcut> list;
    for (std::size_t m = 0; m < menus_.size(); ++m)
        for (QAction* shown : menus_[m]->actions())
            if (const Entry* entry = entryOf(shown); entry && !shown->shortcuts().isEmpty()) {
                QStringList keys;
                for (const QKeySequence& key : shown->shortcuts())
                    keys << key.toString(QKeySequence::NativeText);
                list.push_back(Shortcut{static_cast<Menu>(m), entry->name, keys.join(QStringLiteral(", "))});
            }
    return list;
}

} // namespace quarry::ui
