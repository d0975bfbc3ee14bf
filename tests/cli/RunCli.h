#pragma once

#include "support/SyntheticWorld.h"

#include <sys/resource.h>

#include <string>
#include <vector>

namespace quarry::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built quarry-cli with `arguments` (each passed as one word), with
// writes past `fileSizeLimit` bytes failing as on a full disk. A run that
// takes over 20 seconds is killed, so a hang fails instead of holding.
CliResult runCli(const std::vector<std::string>& arguments, rlim_t fileSizeLimit = RLIM_INFINITY);
// The same for the program at `path`.
CliResult runProgram(const std::string& path, const std::vector<std::string>& arguments,
                     rlim_t fileSizeLimit = RLIM_INFINITY);

// A synthetic image written to a folder of its own.
struct WorldFile {
    TempDir dir;
    SyntheticWorld world;
    std::string path = dir.file("game.nes");
    WorldFile() { world.writeFile(path); }
    std::string file(const std::string& name) const { return dir.file(name); }
};

} // namespace quarry::test
