// The menu bar: every tool bar command again, in menus with their shortcuts.
#include "ui/MainWindow.h"
#include "ui/RecentFiles.h"

#include "ui/Dialogs.h"
#include "ui/MapBlockActions.h"
#include "ui/Texts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace quarry::ui {

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    const struct {
        Menu which;
        const char* title;
    } titles[] = {{Menu::File, "&File"}, {Menu::Edit, "&Edit"}, {Menu::View, "&View"}, {Menu::Tools, "&Tools"},
                  {Menu::Help, "&Help"}};
    for (const auto& entry : titles)
        menus_[static_cast<std::size_t>(entry.which)] = bar->addMenu(QString::fromLatin1(entry.title));

    buildHistoryActions();
    QMenu* file = menu(Menu::File);
    file->addAction(commandAction(Command::Open));
    recent_ = new RecentFiles(file->addMenu(QString::fromLatin1(texts::kMenuRecent)), this);
    connect(recent_, &RecentFiles::chosen, this, &MainWindow::openRecent);
    file->addAction(commandAction(Command::Save));
    file->addAction(saveAsAction_);
    file->addSeparator();
    file->addAction(commandAction(Command::Exit));

    QMenu* edit = menu(Menu::Edit);
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addAction(historyAction_);
    edit->addSeparator();
    for (QAction* action : {blocks_->cutAction(), blocks_->copyAction(), blocks_->pasteAction(),
                            blocks_->deleteAction(), blocks_->selectAllAction(), blocks_->deselectAction()})
        edit->addAction(action);
    edit->addSeparator();
    edit->addAction(commandAction(Command::EraseMap));

    QMenu* tools = menu(Menu::Tools);
    for (Command command : {Command::TextEditor, Command::MetatileEditor, Command::PaletteEditor, Command::SpriteEditor,
                            Command::GlobalProperties, Command::MapInfo})
        tools->addAction(commandAction(command));
    tools->addSeparator();
    for (EditMode mode : {EditMode::Map, EditMode::Actor, EditMode::Stair, EditMode::Pointer, EditMode::Solidity,
                          EditMode::Select, EditMode::Fill, EditMode::Pick}) {
        QAction* action = modeAction(mode);
        // The tool bar shows the one-letter caption; the menu the mode's name.
        // The key is the button's; the menu only shows it.
        QString text = action->toolTip();
        if (!action->shortcut().isEmpty())
            text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::NativeText);
        QAction* item = tools->addAction(text);
        item->setCheckable(true);
        connect(item, &QAction::triggered, action, &QAction::trigger);
        connect(action, &QAction::toggled, item, &QAction::setChecked);
        connect(action, &QAction::changed, item, [item, action] { item->setEnabled(action->isEnabled()); });
        item->setChecked(action->isChecked());
        item->setEnabled(action->isEnabled());
    }

    QAction* about = menu(Menu::Help)->addAction(QStringLiteral("&About Quarry"));
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

QMenu* MainWindow::menu(Menu which) const
{
    return menus_[static_cast<std::size_t>(which)];
}

void MainWindow::showAbout()
{
    dialogs_.showMessage(this, texts::kAbout);
}

} // namespace quarry::ui
