#pragma once

namespace quarry {

// The program's version and the title its windows and messages carry, set
// by the build from the project's version.
inline constexpr const char* kVersion = QUARRY_VERSION;
inline constexpr const char* kProgramTitle = "Quarry v" QUARRY_VERSION;

} // namespace quarry
