// The main window's editor windows: each is created on first use, set up
// afresh every time it is opened, and closed before the image goes away.
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

#include <initializer_list>

namespace quarry::ui {

void MainWindow::openPaletteEditor()
{
    if (!paletteEditor_)
        paletteEditor_ = new PaletteEditor(document_, dialogs_, [this] { refreshGraphicsEdits(); }, this);
    paletteEditor_->close();
    const session::LoadedArea* area = document_.area();
    if (!area) {
        dialogs_.showMessage(this, texts::kSelectAnArea);
        return;
    }
    paletteEditor_->initEditor(area->palette, area->pointers.palettePointer, area->mask);
    refreshUndoEnabled();
    paletteEditor_->show();
    paletteEditor_->raise();
}

void MainWindow::openMetatileEditor()
{
    if (!metatileEditor_)
        metatileEditor_ = new MetatileEditor(document_, dialogs_, [this] { refreshGraphicsEdits(); }, this);
    metatileEditor_->close();
    const session::LoadedArea* area = document_.area();
    if (!area) {
        dialogs_.showMessage(this, texts::kSelectAnArea);
        return;
    }
    if (!runGuarded(dialogs_, this,
                    [&] { metatileEditor_->setupEditor(area->id.objectSet, area->palette, area->mask); }))
        return;
    refreshUndoEnabled();
    metatileEditor_->show();
    metatileEditor_->raise();
}

void MainWindow::openSpriteEditor()
{
    if (!spriteEditor_)
        spriteEditor_ = new SpriteEditor(document_, dialogs_, [this] { refreshGraphicsEdits(); }, this);
    spriteEditor_->close();
    const session::LoadedArea* area = document_.area();
    if (!area) {
        dialogs_.showMessage(this, texts::kSelectAnArea);
        return;
    }
    if (!runGuarded(dialogs_, this, [&] { spriteEditor_->setupEditor(area->palette, area->mask); }))
        return;
    spriteEditor_->show();
    spriteEditor_->raise();
}

bool MainWindow::closeEditors()
{
    // The order in which the editors are closed; each may write the image.
    for (QWidget* editor : std::initializer_list<QWidget*>{spriteEditor_, mapInfo_, globalProperties_, metatileEditor_,
                                                           paletteEditor_, textEditor_}) {
        if (editor && editor->isVisible() && !editor->close())
            return false;
    }
    return true;
}

void MainWindow::openTextEditor()
{
    if (!textEditor_) {
        textEditor_ = new TextEditor(document_, dialogs_, this);
        textEditor_->setWindowFlag(Qt::Window);
    }
    if (textEditor_->setupEditor() || textEditor_->hasUnwrittenChanges()) {
        textEditor_->show();
        textEditor_->raise();
        textEditor_->activateWindow();
    }
}

void MainWindow::openGlobalProperties()
{
    runGuarded(dialogs_, this, [this] {
        if (!globalProperties_) {
            globalProperties_ = new GlobalProperties(document_, this);
            globalProperties_->setWindowFlag(Qt::Window);
        }
        globalProperties_->setupEditor();
        globalProperties_->show();
        globalProperties_->raise();
    });
}

void MainWindow::openMapInfo()
{
    runGuarded(dialogs_, this, [this] {
        if (!mapInfo_) {
            mapInfo_ = new MapInfo(document_, this);
            mapInfo_->setWindowFlag(Qt::Window);
        }
        mapInfo_->initInfo();
        mapInfo_->show();
        mapInfo_->raise();
    });
}

} // namespace quarry::ui
