#include "core/world/AreaCatalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace quarry {
namespace {

using world::NodeLevel;

TEST(AreaCatalogue, NodesInTreeOrderWithKeysInTheirForms)
{
    const auto nodes = world::catalogueNodes();
    int sets = 0, areas = 0, submaps = 0;
    std::set<std::string> keys;
    for (const auto& node : nodes) {
        EXPECT_TRUE(keys.insert(node.key).second) << node.key;
        switch (node.level) {
        case NodeLevel::ObjectSet: ++sets; EXPECT_TRUE(node.parentKey.empty()); break;
        case NodeLevel::Area: ++areas; break;
        case NodeLevel::Submap:
            ++submaps;
            ASSERT_TRUE(node.id.has_value());
            EXPECT_EQ(world::parseSubmapKey(node.key), node.id) << node.key;
            EXPECT_FALSE(node.caption.empty());
            break;
        }
    }
    EXPECT_EQ(sets, 6);
    EXPECT_EQ(areas, 54);
    EXPECT_EQ(submaps, 93);
    ASSERT_GE(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].key, "objset0");
    EXPECT_EQ(nodes[0].caption, "Towns");
    EXPECT_EQ(nodes[1].key, "obj0a0");
    EXPECT_EQ(nodes[1].caption, "Area 0");
    EXPECT_EQ(nodes[2].key, "town000000");
    EXPECT_EQ(nodes[2].parentKey, "obj0a0");
}

TEST(AreaCatalogue, ObjectSetsAreasAndCaptions)
{
    const auto& catalogue = world::areaCatalogue();
    ASSERT_EQ(catalogue.size(), 6u);
    const char* captions[] = {"Towns", "Mansion", "Woods 1", "Woods 2", "Woods 3", "Vesperhold"};
    const char* prefixes[] = {"town", "mans", "wood", "wdii", "ceme", "vspr"};
    const std::vector<std::vector<int>> submapCounts = {
        {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1},
        {1, 1, 1, 1, 1, 4, 2, 2, 4, 2},
        {4, 1, 1, 4, 2, 2, 1, 3, 3, 3},
        {2, 1, 2, 5, 1},
        {2, 2, 1, 2},
        {2}};
    for (std::size_t s = 0; s < 6; ++s) {
        EXPECT_EQ(catalogue[s].caption, captions[s]);
        EXPECT_EQ(catalogue[s].keyPrefix, prefixes[s]);
        std::vector<int> counts;
        for (const auto& area : catalogue[s].areas)
            counts.push_back(static_cast<int>(area.submaps.size()));
        EXPECT_EQ(counts, submapCounts[s]) << "object set " << s;
    }
    for (const auto& area : catalogue[1].areas)
        EXPECT_NE(area.area, 5); // the mansions have no area 5

    EXPECT_EQ(world::findSubmap({0, 7, 0})->caption, "Church");
    EXPECT_EQ(world::findSubmap({0, 15, 1})->caption, "(room)");
    EXPECT_EQ(world::findSubmap({0, 10, 1})->key, "town001001");
    EXPECT_NE(world::findSubmap({1, 2, 0})->caption.find(" (door)"), std::string::npos);
    EXPECT_NE(world::findSubmap({1, 9, 3})->caption.find(" (Pt4)"), std::string::npos);
    EXPECT_EQ(world::findSubmap({0, 5, 1}), nullptr);
}

TEST(AreaCatalogue, OnlySubmapKeysParse)
{
    EXPECT_EQ(world::parseSubmapKey("wdii030204"), (rom::AreaId{3, 2, 4}));
    EXPECT_EQ(world::parseSubmapKey("objset0"), std::nullopt);
    EXPECT_EQ(world::parseSubmapKey("obj0a10"), std::nullopt);
    EXPECT_EQ(world::parseSubmapKey("town00100"), std::nullopt);
    EXPECT_EQ(world::parseSubmapKey("town0010x1"), std::nullopt);
    EXPECT_EQ(world::parseSubmapKey("townx01001"), std::nullopt);
    EXPECT_EQ(world::parseSubmapKey(""), std::nullopt);

    // Object set nodes have no submap of their own to erase.
    EXPECT_TRUE(world::namesObjectSet("objset0"));
    EXPECT_TRUE(world::namesObjectSet("objset5"));
    EXPECT_FALSE(world::namesObjectSet("obj0a10"));
    EXPECT_FALSE(world::namesObjectSet("wdii030204"));
    EXPECT_FALSE(world::namesObjectSet(""));
}

} // namespace
} // namespace quarry
