#pragma once

#include <string>
#include <vector>

namespace quarry::rom {

// Where the side data lives: the "dat" folder beside the program first, so a
// built tree or a copied folder runs as it is; then the shared data folder
// of an installed package (../share/quarry/dat from the program's folder,
// then /usr/share/quarry/dat). When none exists the folder beside the
// program is named, so the messages about missing files point there.
std::string findDataFolder(const std::string& programFolder);

// The folders findDataFolder tries, in order.
std::vector<std::string> dataFolderCandidates(const std::string& programFolder);

} // namespace quarry::rom
