#include "core/rom/DataFiles.h"
#include "core/rom/DataFolder.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace quarry::rom;
using quarry::test::TempDir;

namespace {

void writeText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(CharTable, LineRules)
{
    TempDir dat;
    // "41=A" and "42 B" both map; "1F!" maps $1F to "!" and then "1F" alone
    // overwrites it with its own last character; a line not starting with
    // hex digits names code 0; "7" alone names code 7; CRLF and UTF-8 glyphs.
    writeText(dat.file("TBL.DAT"), "41=A\n42 B\r\n1F!\n1F\nzz#\n7\nC3=\xC3\xA9\n\n");
    CharTable table;
    table[0x50] = "keep";
    EXPECT_TRUE(loadCharTable(dat.path(), table));
    EXPECT_EQ(table[0x41], "A");
    EXPECT_EQ(table[0x42], "B");
    EXPECT_EQ(table[0x1F], "F");
    EXPECT_EQ(table[0x00], "#");
    EXPECT_EQ(table[0x07], "7");
    EXPECT_EQ(table[0xC3], "\xC3\xA9");
    EXPECT_EQ(table[0x50], "keep");
    EXPECT_EQ(table[0x01], ""); // no defaults when the file was read
}

TEST(CharTable, EmptyFileIsSuccessAndMissingFileGivesDefaults)
{
    TempDir dat;
    writeText(dat.file("TBL.DAT"), "");
    CharTable table;
    EXPECT_TRUE(loadCharTable(dat.path(), table));
    for (const auto& entry : table)
        EXPECT_EQ(entry, "");

    // A pipe under the name is read under the rules for every input: not
    // waited on, and told apart from a missing file.
    TempDir piped;
    ASSERT_EQ(::mkfifo(piped.file("TBL.DAT").c_str(), 0600), 0);
    ReadStatus status = ReadStatus::Read;
    EXPECT_FALSE(loadCharTable(piped.path(), table, &status));
    EXPECT_EQ(status, ReadStatus::NotRegularFile);

    TempDir none;
    CharTable defaults;
    defaults[0x80] = "kept";
    EXPECT_FALSE(loadCharTable(none.path() + "/dat", defaults, &status));
    EXPECT_EQ(status, ReadStatus::Unreadable);
    EXPECT_EQ(defaults[0x00], " ");
    EXPECT_EQ(defaults[0x01], "A");
    EXPECT_EQ(defaults[0x1A], "Z");
    EXPECT_EQ(defaults[0x1B], ".");
    EXPECT_EQ(defaults[0x1C], "'");
    EXPECT_EQ(defaults[0x1D], "");
    EXPECT_EQ(defaults[0x1E], ",");
    EXPECT_EQ(defaults[0x36], "0");
    EXPECT_EQ(defaults[0x3F], "9");
    EXPECT_EQ(defaults[0x40], "!");
    EXPECT_EQ(defaults[0x5D], "?");
    EXPECT_EQ(defaults[0x80], "kept"); // entries outside the defaults are left alone
}

TEST(NameLists, BothFilesOrBothDefaults)
{
    TempDir dat;
    writeText(dat.file("PARTS.DAT"), "Nothing\nCoin\r\n");
    std::vector<std::string> parts, weapons;
    // WEAPON.DAT is missing: both lists fall back, even the one that was read.
    EXPECT_FALSE(loadNameLists(dat.path(), parts, weapons));
    ASSERT_EQ(parts.size(), 7u);
    EXPECT_EQ(parts[6], "Crystal");
    ASSERT_EQ(weapons.size(), 10u);
    EXPECT_EQ(weapons[2], "Silver Dagger");
    EXPECT_EQ(weapons[9], "Garlic");

    writeText(dat.file("WEAPON.DAT"), "Bare hands\n");
    EXPECT_TRUE(loadNameLists(dat.path(), parts, weapons));
    EXPECT_EQ(parts, (std::vector<std::string>{"Nothing", "Coin"}));
    EXPECT_EQ(weapons, (std::vector<std::string>{"Bare hands"}));
}

TEST(ActorTypes, ScannedInCodeOrderWithShortFilesTolerated)
{
    TempDir dat;
    EXPECT_TRUE(loadActorTypes(dat.path()).empty());

    writeText(dat.file("obj/obj2A.TXT"), "Lantern Bat\r\n3\r\nT\r\nF\r\nT\r\n\r\nT\r\nt\r\n");
    writeText(dat.file("obj/obj00.TXT"), "Wanderer\n2\n");  // only two lines
    writeText(dat.file("obj/obj2b.TXT"), "lower-case hex is not looked for\n");
    writeText(dat.file("obj/obj30.TXT"), "Big\n99999\nT\n"); // kind out of range
    const auto types = loadActorTypes(dat.path());
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0].code, 0x00);
    EXPECT_EQ(types[0].name, "Wanderer");
    EXPECT_EQ(types[0].controlKind, 2);
    EXPECT_EQ(types[0].objectSetFlags, (std::array<bool, 6>{}));
    EXPECT_EQ(types[1].code, 0x2A);
    EXPECT_EQ(types[1].name, "Lantern Bat");
    EXPECT_EQ(types[1].controlKind, 3);
    EXPECT_EQ(types[1].objectSetFlags, (std::array<bool, 6>{true, false, true, false, true, false}));
    EXPECT_EQ(types[2].controlKind, 0);
    EXPECT_TRUE(types[2].objectSetFlags[0]);

    EXPECT_TRUE(fileExists(dat.file("obj/obj00.TXT")));
    EXPECT_FALSE(fileExists(dat.file("obj")));
    EXPECT_FALSE(fileExists(dat.file("obj/objFF.TXT")));
}

TEST(DataFolder, BesideTheProgramComesFirstThenTheInstalledFolder)
{
    TempDir root;
    const std::string program = root.file("usr/bin");
    std::filesystem::create_directories(program);
    // None there: the folder beside the program is named, for the messages.
    EXPECT_EQ(findDataFolder(program), program + "/dat");
    std::filesystem::create_directories(root.file("usr/share/quarry/dat"));
    EXPECT_EQ(findDataFolder(program), root.file("usr/share/quarry/dat"));
    std::filesystem::create_directories(program + "/dat");
    EXPECT_EQ(findDataFolder(program), program + "/dat");
}
