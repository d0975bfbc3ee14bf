#include "support/IsolatedHome.h"

#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

namespace quarry::test {

namespace {
std::string currentHome;
} // namespace

IsolatedHome::IsolatedHome()
{
    const std::filesystem::path root = dir_.path();
    const auto point = [&root](const char* variable, const char* folder) {
        const std::filesystem::path path = root / folder;
        // Owner-only, as a runtime folder must be.
        std::filesystem::create_directories(path);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        if (::setenv(variable, path.c_str(), 1) != 0)
            throw std::runtime_error(std::string("cannot set ") + variable);
    };
    point("HOME", "home");
    point("XDG_CONFIG_HOME", "config");
    point("XDG_DATA_HOME", "data");
    point("XDG_CACHE_HOME", "cache");
    point("XDG_RUNTIME_DIR", "runtime");
    currentHome = dir_.path();
}

const std::string& isolatedHomePath()
{
    return currentHome;
}

} // namespace quarry::test
