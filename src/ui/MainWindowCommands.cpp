// The main window's command table: every command of its own and every
// editor window, one row each. Menus, tool bar, enabled states and the
// shortcut list are built from the rows; a new editor window is one class
// and one row here.
#include "ui/MainWindow.h"

#include "ui/Dialogs.h"
#include "ui/RecentFiles.h"
#include "ui/Texts.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/shell/ShortcutList.h"

#include <QAction>
#include <QMenu>

namespace quarry::ui {

namespace {

QString words(const char* text)
{
    return QString::fromLatin1(text);
}

QList<QKeySequence> key(const QKeySequence& sequence)
{
    return {sequence};
}

} // namespace

void MainWindow::buildCommands()
{
    commands_ = new CommandTable(*this);
    addCommand(Command::Open, {.caption = "&Open...", .tip = words(texts::kTipOpen), .keys = key(QKeySequence::Open),
                               .place = places::kFile, .icon = IconKind::Open, .needsImage = false,
                               .run = [this] { openFile(); }});
    recent_ = new RecentFiles(commands_->addSubmenu(words(texts::kMenuRecent), places::kFileMenuOnly), this);
    connect(recent_, &RecentFiles::chosen, this, &MainWindow::openRecent);
    addCommand(Command::Save, {.caption = "&Save", .tip = words(texts::kTipSave), .keys = key(QKeySequence::Save),
                               .place = places::kFile, .icon = IconKind::Save, .run = [this] { saveFile(); }});
    buildHistoryActions();

    // In the order of the tool bar; they close in the reverse order.
    addEditorWindow(Command::TextEditor,
                    {.caption = "&Text Editor", .tip = words(texts::kTipTextEditor), .keys = key(Qt::CTRL | Qt::Key_1),
                     .place = places::kEditors, .icon = IconKind::Text},
                    [this] { return new TextEditor(*live_, dialogs_, this); });
    addEditorWindow(Command::MetatileEditor,
                    {.caption = "&Background Editor", .tip = words(texts::kTipMetatileEditor),
                     .keys = key(Qt::CTRL | Qt::Key_2), .place = places::kEditors, .icon = IconKind::Background},
                    [this] { return new MetatileEditor(*live_, dialogs_, this); });
    addEditorWindow(Command::PaletteEditor,
                    {.caption = "&Palette Editor", .tip = words(texts::kTipPaletteEditor),
                     .keys = key(Qt::CTRL | Qt::Key_3), .place = places::kEditors, .icon = IconKind::Palette},
                    [this] { return new PaletteEditor(*live_, dialogs_, this); });
    addEditorWindow(Command::SpriteEditor,
                    {.caption = "&Sprite Editor", .tip = words(texts::kTipSpriteEditor),
                     .keys = key(Qt::CTRL | Qt::Key_4), .place = places::kEditors, .icon = IconKind::Sprite},
                    [this] { return new SpriteEditor(*live_, dialogs_, this); });
    addEditorWindow(Command::GlobalProperties,
                    {.caption = "&Global Editor", .tip = words(texts::kTipGlobalProperties),
                     .keys = key(Qt::CTRL | Qt::Key_5), .place = places::kEditors, .icon = IconKind::Global},
                    [this] { return new GlobalProperties(*live_, dialogs_, this); });
    addEditorWindow(Command::MapInfo,
                    {.caption = "&Map Info", .tip = words(texts::kTipMapInfo), .keys = key(Qt::CTRL | Qt::Key_6),
                     .place = places::kEditors, .icon = IconKind::MapInfo},
                    [this] { return new MapInfo(*live_, dialogs_, this); });

    addCommand(Command::EraseMap, {.caption = "&Erase Map...", .tip = words(texts::kTipEraseMap),
                                   .place = places::kErase, .icon = IconKind::Erase, .run = [this] { eraseMap(); }});
    addCommand(Command::Exit, {.caption = "E&xit", .tip = words(texts::kTipExit), .keys = key(Qt::CTRL | Qt::Key_Q),
                               .place = places::kExit, .icon = IconKind::Exit, .needsImage = false,
                               .run = [this] { exitProgram(); }});
    commands_->add({.caption = "&Keyboard Shortcuts", .keys = key(QKeySequence::HelpContents),
                    .place = places::kHelpLists, .needsImage = false, .run = [this] { showShortcuts(); }});
    commands_->add({.caption = "&About Quarry", .place = places::kAbout, .needsImage = false,
                    .run = [this] { showAbout(); }});
}

void MainWindow::addEditorWindow(Command command, CommandRow row, std::function<EditorWindow*()> make)
{
    row.run = [this, command] { openEditor(command); };
    addCommand(command, std::move(row));
    // Each may write the image as it closes: the text editor, first in
    // the table, closes last.
    editors_.insert(editors_.begin(), EditorSlot{command, std::move(make), nullptr});
}

void MainWindow::showAbout()
{
    dialogs_.showMessage(this, texts::kAbout);
}

void MainWindow::showShortcuts()
{
    auto* list = findChild<ShortcutList*>();
    if (!list)
        list = new ShortcutList(*commands_, this);
    list->showList();
}

} // namespace quarry::ui
