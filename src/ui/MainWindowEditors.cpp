// The main window's editor windows: each is one row of the command table,
// created on first use, set up afresh every time it is opened, following
// the document while open, and closed before the image goes away.
#include "ui/MainWindow.h"

#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/Texts.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"

namespace quarry::ui {

EditorWindow* MainWindow::editorWindow(Command command) const
{
    for (const EditorSlot& slot : editors_)
        if (slot.command == command)
            return slot.window;
    return nullptr;
}

void MainWindow::openEditor(Command command)
{
    for (EditorSlot& slot : editors_) {
        if (slot.command != command)
            continue;
        if (!slot.window)
            slot.window = slot.make();
        EditorWindow* window = slot.window;
        if (window->needsArea() && !document_.area()) {
            dialogs_.showMessage(this, texts::kSelectAnArea);
            return;
        }
        bool shown = false;
        if (!runGuarded(dialogs_, this, [&] { shown = window->setUpFor(document_.area()); }) || !shown)
            return;
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
}

void MainWindow::openPaletteEditor()
{
    openEditor(Command::PaletteEditor);
}

void MainWindow::openMetatileEditor()
{
    openEditor(Command::MetatileEditor);
}

void MainWindow::openSpriteEditor()
{
    openEditor(Command::SpriteEditor);
}

void MainWindow::openTextEditor()
{
    openEditor(Command::TextEditor);
}

void MainWindow::openGlobalProperties()
{
    openEditor(Command::GlobalProperties);
}

void MainWindow::openMapInfo()
{
    openEditor(Command::MapInfo);
}

bool MainWindow::closeEditors()
{
    for (const EditorSlot& slot : editors_)
        if (slot.window && slot.window->isVisible() && !slot.window->close())
            return false;
    return true;
}

PaletteEditor* MainWindow::paletteEditor() const
{
    return qobject_cast<PaletteEditor*>(editorWindow(Command::PaletteEditor));
}

MetatileEditor* MainWindow::metatileEditor() const
{
    return qobject_cast<MetatileEditor*>(editorWindow(Command::MetatileEditor));
}

SpriteEditor* MainWindow::spriteEditor() const
{
    return qobject_cast<SpriteEditor*>(editorWindow(Command::SpriteEditor));
}

TextEditor* MainWindow::textEditor() const
{
    return qobject_cast<TextEditor*>(editorWindow(Command::TextEditor));
}

MapInfo* MainWindow::mapInfo() const
{
    return qobject_cast<MapInfo*>(editorWindow(Command::MapInfo));
}

GlobalProperties* MainWindow::globalProperties() const
{
    return qobject_cast<GlobalProperties*>(editorWindow(Command::GlobalProperties));
}

} // namespace quarry::ui
