#pragma once

#include "support/SyntheticRom.h"

#include <string>
#include <vector>

namespace quarry::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built quarry-cli with `arguments` (each passed as one word).
CliResult runCli(const std::vector<std::string>& arguments);

} // namespace quarry::test
