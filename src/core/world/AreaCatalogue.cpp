#include "core/world/AreaCatalogue.h"

#include <cctype>
#include <initializer_list>

namespace quarry::world {

namespace {

// One area of the catalogue: its number and its submaps' captions in order.
struct AreaEntry {
    int area;
    std::vector<std::string> captions;
};

struct ObjectSetEntry {
    const char* caption;
    const char* prefix;
    std::vector<AreaEntry> areas;
};

std::vector<std::string> parts(const std::string& name, int count)
{
    std::vector<std::string> captions;
    for (int i = 1; i <= count; ++i)
        captions.push_back(name + " (Pt" + std::to_string(i) + ")");
    return captions;
}

std::vector<std::string> rooms(int count)
{
    return std::vector<std::string>(static_cast<std::size_t>(count), "(room)");
}

std::vector<ObjectSetEntry> catalogueTable()
{
    std::vector<ObjectSetEntry> sets;

    ObjectSetEntry towns{"Towns", "town", {}};
    const char* townNames[] = {"Ashwick", "Fenholt", "Rookhaven", "Cinderby", "Mossgrave", "Duskmere", "Briarton"};
    for (int area = 0; area < 7; ++area)
        towns.areas.push_back({area, {townNames[area]}});
    towns.areas.push_back({7, {"Church"}});
    for (int area = 8; area <= 23; ++area) {
        const bool twoRooms = area == 10 || (area >= 13 && area <= 17);
        towns.areas.push_back({area, rooms(twoRooms ? 2 : 1)});
    }
    sets.push_back(std::move(towns));

    const char* mansionNames[] = {"Ashen Manor", "Raven Hall", "Bleak Spire", "Hollow Keep", "Thorn Abbey"};
    const int mansionParts[] = {4, 2, 2, 4, 2};
    ObjectSetEntry mansions{"Mansion", "mans", {}};
    for (int i = 0; i < 5; ++i)
        mansions.areas.push_back({i, {std::string(mansionNames[i]) + " (door)"}});
    for (int i = 0; i < 5; ++i) // there is no area 5
        mansions.areas.push_back({6 + i, parts(mansionNames[i], mansionParts[i])});
    sets.push_back(std::move(mansions));

    sets.push_back({"Woods 1", "wood",
                    {{0, parts("Fenholt Road", 4)},
                     {1, {"Mirewood"}},
                     {2, {"Crow Bridge"}},
                     {3, parts("Old Pass", 4)},
                     {4, parts("Ashen Marsh", 2)},
                     {5, parts("Greyfen", 2)},
                     {6, {"Lantern Ford"}},
                     {7, parts("Wolfbrake", 3)},
                     {8, parts("Deepwold", 3)},
                     {9, parts("Sallow Vale", 3)}}});
    sets.push_back({"Woods 2", "wdii",
                    {{0, parts("Blackthorn", 2)},
                     {1, {"Weeping Rock"}},
                     {2, parts("Shroud Fen", 2)},
                     {3, parts("Hemlock Trail", 5)},
                     {4, {"Stone Circle"}}}});
    sets.push_back({"Woods 3", "ceme",
                    {{0, parts("Lychgate", 2)},
                     {1, parts("Yew Cemetery", 2)},
                     {2, {"Bone Mill"}},
                     {3, parts("Pale Barrows", 2)}}});
    sets.push_back({"Vesperhold", "vspr", {{0, parts("Vesperhold", 2)}}});
    return sets;
}

std::string twoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

std::vector<ObjectSetNode> buildCatalogue()
{
    std::vector<ObjectSetNode> catalogue;
    int objectSet = 0;
    for (const ObjectSetEntry& set : catalogueTable()) {
        ObjectSetNode setNode{objectSet, "objset" + std::to_string(objectSet), set.caption, set.prefix, {}};
        for (const AreaEntry& area : set.areas) {
            AreaNode areaNode{area.area, "obj" + std::to_string(objectSet) + "a" + std::to_string(area.area),
                              "Area " + std::to_string(area.area), {}};
            int submap = 0;
            for (const std::string& caption : area.captions) {
                areaNode.submaps.push_back({rom::AreaId{objectSet, area.area, submap},
                                            set.prefix + twoDigits(objectSet) + twoDigits(area.area) + twoDigits(submap),
                                            caption});
                ++submap;
            }
            setNode.areas.push_back(std::move(areaNode));
        }
        catalogue.push_back(std::move(setNode));
        ++objectSet;
    }
    return catalogue;
}

} // namespace

const std::vector<ObjectSetNode>& areaCatalogue()
{
    // Constant data, built once.
    static const std::vector<ObjectSetNode> catalogue = buildCatalogue();
    return catalogue;
}

std::vector<CatalogueNode> catalogueNodes()
{
    std::vector<CatalogueNode> nodes;
    for (const ObjectSetNode& set : areaCatalogue()) {
        nodes.push_back({NodeLevel::ObjectSet, set.key, set.caption, {}, std::nullopt});
        for (const AreaNode& area : set.areas) {
            nodes.push_back({NodeLevel::Area, area.key, area.caption, set.key, std::nullopt});
            for (const SubmapNode& submap : area.submaps)
                nodes.push_back({NodeLevel::Submap, submap.key, submap.caption, area.key, submap.id});
        }
    }
    return nodes;
}

std::vector<rom::AreaId> catalogueSubmaps()
{
    std::vector<rom::AreaId> ids;
    for (const ObjectSetNode& set : areaCatalogue())
        for (const AreaNode& area : set.areas)
            for (const SubmapNode& submap : area.submaps)
                ids.push_back(submap.id);
    return ids;
}

const SubmapNode* findSubmap(const rom::AreaId& id)
{
    for (const ObjectSetNode& set : areaCatalogue())
        for (const AreaNode& area : set.areas)
            for (const SubmapNode& submap : area.submaps)
                if (submap.id == id)
                    return &submap;
    return nullptr;
}

std::optional<rom::AreaId> parseSubmapKey(std::string_view key)
{
    if (key.find("obj") != std::string_view::npos || key.size() != 10)
        return std::nullopt;
    for (std::size_t i = 0; i < 4; ++i)
        if (!std::isalpha(static_cast<unsigned char>(key[i])))
            return std::nullopt;
    for (std::size_t i = 4; i < 10; ++i)
        if (!std::isdigit(static_cast<unsigned char>(key[i])))
            return std::nullopt;
    auto number = [&](std::size_t at) { return (key[at] - '0') * 10 + (key[at + 1] - '0'); };
    return rom::AreaId{number(4), number(6), number(8)};
}

bool namesObjectSet(std::string_view key)
{
    return key.find("objset") != std::string_view::npos;
}

} // namespace quarry::world
