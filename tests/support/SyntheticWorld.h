#pragma once

#include "support/SyntheticGame.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticSprites.h"

namespace quarry::test {

// A whole synthetic image of the game: every area table, the graphics
// (metatiles, CHR banks, palette sets), the texts, and the sprite frames and
// animations, so every catalogue submap loads and draws, day and night, and
// every frame and animation builds.
class SyntheticWorld {
public:
    SyntheticWorld();

    SyntheticRom rom;
    SyntheticGame game;
    SyntheticSprites sprites;

    // Writes the image to `path` (header and body).
    void writeFile(const std::string& path) const { rom.writeFile(path); }
};

} // namespace quarry::test
