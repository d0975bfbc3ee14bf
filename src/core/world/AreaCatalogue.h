#pragma once

#include "core/rom/AreaDirectory.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarry::world {

// The places of the game world the editor offers, built into the program
// (the image holds no such list): object sets, their areas and the areas'
// submaps, each with the key and caption of its tree node.
struct SubmapNode {
    rom::AreaId id;
    std::string key;     // "town001001": prefix, then set, area, submap as two digits
    std::string caption; // a place name, "Church" or "(room)"
};

struct AreaNode {
    int area = 0;
    std::string key;     // "obj0a10"
    std::string caption; // "Area 10"
    std::vector<SubmapNode> submaps;
};

struct ObjectSetNode {
    int objectSet = 0;
    std::string key;       // "objset0"
    std::string caption;   // "Towns"
    std::string keyPrefix; // "town"
    std::vector<AreaNode> areas;
};

// The catalogue, object sets 0 to 5, areas and submaps in ascending order.
const std::vector<ObjectSetNode>& areaCatalogue();

// Every node in the order the area tree adds them: an object set, then each
// of its areas followed at once by that area's submaps.
enum class NodeLevel { ObjectSet, Area, Submap };
struct CatalogueNode {
    NodeLevel level = NodeLevel::ObjectSet;
    std::string key;
    std::string caption;
    std::string parentKey;       // empty for object sets
    std::optional<rom::AreaId> id; // submaps only
};
std::vector<CatalogueNode> catalogueNodes();

// Every submap of the catalogue, in tree order.
std::vector<rom::AreaId> catalogueSubmaps();
// The catalogue's submap node for `id`, or null when it is not listed.
const SubmapNode* findSubmap(const rom::AreaId& id);

// Reads the identity from a submap key: a key without "obj" holding four
// letters and three two-digit decimal numbers. Object set and area keys, and
// anything not of that form, give no value.
std::optional<rom::AreaId> parseSubmapKey(std::string_view key);

// Whether a tree node key names a whole object set ("objset0"), where a
// submap-wide command such as erasing a map has no submap to work on.
bool namesObjectSet(std::string_view key);

} // namespace quarry::world
