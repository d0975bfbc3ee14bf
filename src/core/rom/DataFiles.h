#pragma once

#include "core/rom/FileAccess.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quarry::rom {

// The text for each byte value of the game's text encoding; unset entries
// are empty.
using CharTable = std::array<std::string, 256>;

// What a description file in dat/obj says about one actor type.
struct ActorTypeInfo {
    std::string name;
    std::uint8_t code = 0;
    std::int16_t controlKind = 0;
    std::array<bool, 6> objectSetFlags{}; // offered in object sets 0 to 5
};

// The side data read from the dat folder beside the program.
struct SideData {
    CharTable charTable;
    std::vector<std::string> partNames;
    std::vector<std::string> weaponNames;
    std::vector<ActorTypeInfo> actorTypes;
};

// Side-data files are text of at most this many bytes.
inline constexpr std::size_t kSideFileLimit = 1u << 20;

// Reads TBL.DAT from `datDir` into `table`. Returns true when the whole file
// was read; on any failure lays the default table over `table` and returns
// false, with `status` (when given) telling why.
bool loadCharTable(const std::string& datDir, CharTable& table, ReadStatus* status = nullptr);
void applyDefaultCharTable(CharTable& table);

// Reads PARTS.DAT and WEAPON.DAT. Returns true when both were read; on any
// failure both lists become the defaults and it returns false.
bool loadNameLists(const std::string& datDir, std::vector<std::string>& partNames,
                   std::vector<std::string>& weaponNames);

// Scans obj/obj00.TXT to obj/objFF.TXT in code order. A file with fewer than
// eight lines still counts: missing lines read as empty.
std::vector<ActorTypeInfo> loadActorTypes(const std::string& datDir);

bool fileExists(const std::string& path);

} // namespace quarry::rom
