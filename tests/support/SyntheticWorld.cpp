#include "support/SyntheticWorld.h"

#include "support/SyntheticGraphics.h"
#include "support/SyntheticText.h"

namespace quarry::test {

SyntheticWorld::SyntheticWorld() : game(rom)
{
    fillGraphics(rom, SyntheticGame::kDefaultPpuMask);
    putSampleTexts(rom);
    sprites = fillSprites(rom);
}

} // namespace quarry::test
