// What the sprite table says about where a sprite's attribute comes from.
#include "ui/editors/SpriteEditor.h"

#include "ui/HexText.h"
#include "ui/editors/EditorTexts.h"

namespace quarry::ui {

QString SpriteEditor::attributeText(int row, QString* tip) const
{
    namespace t = texts::sprite;
    const sprites::StoredSprite& sprite = frameSprites_.sprites.at(static_cast<std::size_t>(row));
    tip->clear();
    if (sprite.ownAttribute)
        return QString::fromLatin1(t::kOwnAttribute);
    if (sprite.attributeFrom)
        return QString::fromLatin1(t::kCarriedFrom).arg(*sprite.attributeFrom);
    // The row shows the value the frame starts with, while the picture keeps
    // whatever the frame drawn before left over; say which one it drew.
    if (row >= sprites::kOamEntries)
        return QString::fromLatin1(t::kCarriedFromBefore);
    const int drawn = sprites::oamEntry(frameList_, row).attribute;
    *tip = QString::fromLatin1(t::kCarriedFromBeforeTip).arg(hexByte(sprite.attribute), hexByte(drawn));
    return QString::fromLatin1(t::kCarriedFromBeforeDrawn).arg(hexByte(drawn));
}

} // namespace quarry::ui
