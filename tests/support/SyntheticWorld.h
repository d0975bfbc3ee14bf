#pragma once

#include "support/SyntheticGame.h"
#include "support/SyntheticRom.h"

namespace quarry::test {

// A whole synthetic image of the game: every area table, the graphics
// (metatiles, CHR banks, palette sets) and the texts, so every catalogue
// submap loads and draws, day and night.
class SyntheticWorld {
public:
    SyntheticWorld();

    SyntheticRom rom;
    SyntheticGame game;

    // Writes the image to `path` (header and body).
    void writeFile(const std::string& path) const { rom.writeFile(path); }
};

} // namespace quarry::test
