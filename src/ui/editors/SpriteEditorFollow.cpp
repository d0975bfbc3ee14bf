// The sprite editor following the loaded submap.
#include "ui/editors/SpriteEditor.h"

#include "core/session/Document.h"
#include "core/session/LoadedArea.h"
#include "ui/RomDocument.h"
#include "ui/editors/TileKit.h"

namespace quarry::ui {

void SpriteEditor::followDocument()
{
    // The frames are the image's and stay as chosen; the colours are the
    // loaded submap's.
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return EditorWindow::followDocument();
    palette_ = area->palette;
    mask_ = area->mask;
    palettePointer_ = area->pointers.palettePointer;
    drawPaletteSwatches();
    tileKit_->setColours(palette_, mask_);
}

} // namespace quarry::ui
