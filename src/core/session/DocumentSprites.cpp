#include "core/session/Document.h"

#include "core/rom/Hex.h"

namespace quarry::session {

namespace {

std::string spriteStep(const char* what, int frame, int index)
{
    return std::string(what) + " sprite " + std::to_string(index) + " of frame "
           + hexDigits(static_cast<std::uint32_t>(frame & 0xFF), 2);
}

} // namespace

void Document::setFrameSprite(int frame, int index, const sprites::SpriteChange& change)
{
    EditScope scope(*this, spriteStep("Change", frame, index), kSpritesChanged);
    sprites::setFrameSprite(rom_, frame, index, change);
}

std::vector<int> Document::setSharedSpriteAttribute(int frame, int index, std::uint8_t attribute)
{
    EditScope scope(*this, spriteStep("Change the attribute of", frame, index), kSpritesChanged);
    return sprites::setSharedAttribute(rom_, frame, index, attribute);
}

void Document::deleteFrameSprite(int frame, int index)
{
    EditScope scope(*this, spriteStep("Remove", frame, index), kSpritesChanged);
    sprites::deleteFrameSprite(rom_, frame, index);
}

} // namespace quarry::session
