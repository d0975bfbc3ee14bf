// Writes a whole synthetic image of the game, for trying the programs by
// hand and for screenshots. Usage: quarry-synthetic-image OUT.nes
#include "core/rom/GameLayout.h"
#include "support/SyntheticWorld.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    // An option is never taken for the file to write.
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: quarry-synthetic-image OUT.nes\n");
        return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 2;
    }
    try {
        quarry::test::SyntheticWorld world;
        // Full colour, no emphasis, for looking at.
        world.rom.put(quarry::layout::kPpuMaskByte, {0x1E});
        world.writeFile(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quarry-synthetic-image: %s\n", error.what());
        return 1;
    }
    return 0;
}
