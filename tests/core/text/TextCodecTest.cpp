#include "core/RomError.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticText.h"

#include <gtest/gtest.h>

#include <random>

using namespace quarry;
using namespace quarry::text;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A table with every awkward entry a TBL.DAT can give: duplicates, a second
// space, the line-break and brace characters, hex digits that could follow
// an escape, a character of several UTF-8 bytes and an entry of two.
rom::CharTable awkwardTable()
{
    rom::CharTable table = test::defaultTextTable();
    table[0x60] = "A";  // duplicate of $01
    table[0x70] = "#";
    table[0x71] = "#";
    table[0x50] = " ";  // a second space
    table[0x41] = "/";
    table[0x42] = "{";
    table[0x43] = "}";
    table[0x44] = "AB"; // not one character
    table[0x80] = "\xC3\xA9"; // e with acute accent
    table[0x81] = "\xC3";     // lone bytes that together would read as $80
    table[0x82] = "\xA9";
    return table;
}

Bytes roundTrip(const Bytes& bytes, const rom::CharTable& table)
{
    Bytes encoded = encodeText(decodeBytes(bytes, table), table);
    encoded.pop_back(); // the terminator
    return encoded;
}

} // namespace

TEST(TextCodec, EncodingRules)
{
    const rom::CharTable table = test::defaultTextTable();
    EXPECT_EQ(encodeText("", table), Bytes({0xFF}));
    EXPECT_EQ(encodeText("A/B", table), Bytes({0x01, 0xFE, 0x02, 0xFF}));
    EXPECT_EQ(encodeText("HI 09!?", table), Bytes({0x08, 0x09, 0x00, 0x36, 0x3F, 0x40, 0x5D, 0xFF}));
    EXPECT_EQ(encodeText("a#", table), Bytes({0x00, 0x00, 0xFF})) << "characters the table lacks become $00";

    const rom::CharTable awkward = awkwardTable();
    EXPECT_EQ(encodeText(" ", awkward), Bytes({0x00, 0xFF})) << "space is $00 whatever the table says";
    EXPECT_EQ(encodeText("A#", awkward), Bytes({0x01, 0x70, 0xFF})) << "the lowest code wins";
    EXPECT_EQ(encodeText("/", awkward), Bytes({0xFE, 0xFF})) << "a slash is always the line break";
    EXPECT_EQ(encodeText("\xC3\xA9", awkward), Bytes({0x80, 0xFF})) << "one character of two UTF-8 bytes is one code";
    EXPECT_EQ(encodedSize("A\xC3\xA9{1F}", awkward), 4u);

    // One encoder kept for many strings gives what a fresh one gives.
    const TextEncoder encoder(awkward);
    for (const char* text : {"A#", "AB/{", "\xC3\xA9\xC3", "}{7F}z", "\x7F\x01~", ""}) {
        EXPECT_EQ(encoder.encode(text), encodeText(text, awkward)) << text;
        EXPECT_EQ(encoder.encodedSize(text), encodeText(text, awkward).size()) << text;
    }

    rom::CharTable noSpace = table;
    noSpace[0x00] = "";
    noSpace[0x30] = " ";
    EXPECT_EQ(encodeText("A B", noSpace), Bytes({0x01, 0x00, 0x02, 0xFF}));
}

TEST(TextCodec, DecodingShowsUnfaithfulCodesAsEscapes)
{
    const rom::CharTable table = test::defaultTextTable();
    EXPECT_EQ(decodeBytes(Bytes({0x08, 0x09, 0xFE, 0x00, 0x1B}), table), "HI/ .");
    EXPECT_EQ(decodeBytes(Bytes({0x01, 0x20, 0x9A, 0x02}), table), "A{20}{9A}B") << "empty entries, upper-case hex";
    EXPECT_EQ(decodeBytes(Bytes({0x01, 0xFF, 0x02}), table), "A") << "a terminator ends the string";

    const rom::CharTable awkward = awkwardTable();
    EXPECT_EQ(decodeBytes(Bytes({0x60, 0x71, 0x70}), awkward), "{60}{71}#") << "higher duplicates";
    EXPECT_EQ(decodeBytes(Bytes({0x50, 0x41, 0x42, 0x43}), awkward), "{50}{41}{42}}") << "space, slash and brace";
    EXPECT_EQ(decodeBytes(Bytes({0x44, 0x80, 0x81, 0x82}), awkward), "{44}\xC3\xA9{81}{82}");

    rom::CharTable noSpace = table;
    noSpace[0x00] = "";
    EXPECT_EQ(decodeBytes(Bytes({0x00}), noSpace), "{00}");
}

TEST(TextCodec, EveryByteSequenceRoundTrips)
{
    for (const rom::CharTable& table : {test::defaultTextTable(), awkwardTable(), rom::CharTable{}}) {
        Bytes all;
        for (int b = 0; b < 0xFF; ++b)
            all.push_back(static_cast<std::uint8_t>(b));
        EXPECT_EQ(roundTrip(all, table), all);
        const Bytes reversed(all.rbegin(), all.rend());
        EXPECT_EQ(roundTrip(reversed, table), reversed);

        std::mt19937 random(7);
        std::uniform_int_distribution<int> byte(0, 0xFE);
        for (int run = 0; run < 200; ++run) {
            Bytes bytes(static_cast<std::size_t>(run % 40));
            for (auto& b : bytes)
                b = static_cast<std::uint8_t>(byte(random));
            ASSERT_EQ(roundTrip(bytes, table), bytes) << "run " << run;
        }
    }
}

TEST(TextCodec, EscapesAndStrayBraces)
{
    const rom::CharTable table = test::defaultTextTable();
    EXPECT_EQ(encodeText("{1f}{1F}", table), Bytes({0x1F, 0x1F, 0xFF})) << "either case of hex digits";
    EXPECT_EQ(encodeText("{01}{fe}{00}", table), Bytes({0x01, 0xFE, 0x00, 0xFF}));
    EXPECT_EQ(decodeBytes(encodeText("{01}", table), table), "A");

    // Anything that is not "{", two hex digits, "}" is ordinary text; braces
    // the table lacks become $00 like any such character.
    EXPECT_EQ(encodeText("{", table), Bytes({0x00, 0xFF}));
    EXPECT_EQ(encodeText("}", table), Bytes({0x00, 0xFF}));
    EXPECT_EQ(encodeText("{G1}", table), Bytes({0x00, 0x07, 0x37, 0x00, 0xFF}));
    EXPECT_EQ(encodeText("{1}", table), Bytes({0x00, 0x37, 0x00, 0xFF}));
    EXPECT_EQ(encodeText("{123}", table), Bytes({0x00, 0x37, 0x38, 0x39, 0x00, 0xFF}));
    EXPECT_EQ(encodeText("A{4", table), Bytes({0x01, 0x00, 0x3A, 0xFF}));
    EXPECT_EQ(encodeText("{{41}}", table), Bytes({0x00, 0x41, 0x00, 0xFF}));
    // A terminator in the middle would cut the string short: no escape.
    EXPECT_EQ(encodeText("{FF}", table), Bytes({0x00, 0x06, 0x06, 0x00, 0xFF}));

    rom::CharTable withBraces = table;
    withBraces[0x90] = "{";
    EXPECT_EQ(encodeText("{1}", withBraces), Bytes({0x90, 0x37, 0x00, 0xFF})) << "a stray brace uses the table";
}

TEST(TextCodec, CharactersNotInTable)
{
    const rom::CharTable table = test::defaultTextTable();
    EXPECT_TRUE(charactersNotInTable("HELLO/THERE {20}{9a}!", table).empty());
    EXPECT_EQ(charactersNotInTable("H\xC3\xA9LLO #1 {zz} #", table),
              std::vector<std::string>({"\xC3\xA9", "#", "{", "z", "}"}));
    EXPECT_EQ(charactersNotInTable("A\xFF" "B", table), std::vector<std::string>({"\xFF"})) << "stray byte";
    EXPECT_EQ(charactersNotInTable("\xE3\x82\xA2\xF0\x9F\x98\x80\xF1\x90\x80\x80", table),
              std::vector<std::string>({"\xE3\x82\xA2", "\xF0\x9F\x98\x80", "\xF1\x90\x80\x80"}))
        << "characters of three and four UTF-8 bytes";

    rom::CharTable noSpace = table;
    noSpace[0x00] = "";
    EXPECT_TRUE(charactersNotInTable("A B", noSpace).empty()) << "space is always $00";
}

TEST(TextCodec, ReadsStringsFromTheImage)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putTextBytes(rom, 0xD000, test::textBytes("HI/THERE"));
    test::putTextBytes(rom, 0xD008, {0xFF});
    test::putTextPointer(rom, 0, 0x9000);
    test::putTextPointer(rom, 1, 0x1000); // no range test: still body $D000
    test::putTextPointer(rom, 120, 0xD000);
    const rom::RomImage image = rom.image();
    EXPECT_EQ(decodeTextAt(image, 0xD000, table), "HI/THERE");
    EXPECT_EQ(storedSizeAt(image, 0xD000), 9u);
    EXPECT_EQ(decodeText(image, 0, table), "HI/THERE");
    EXPECT_EQ(decodeText(image, 1, table), "HI/THERE");
    EXPECT_EQ(decodeText(image, 120, table), "HI/THERE");
    EXPECT_NO_THROW(decodeText(image, 255, table)) << "numbers past 120 read past the table, inside the image";
    EXPECT_THROW(decodeText(image, 256, table), RomError);
    EXPECT_THROW(decodeText(image, -1, table), RomError);
}

TEST(TextCodec, StringsWithoutTerminatorStopAfter256Bytes)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    rom::RomImage image = [&] {
        test::putTextBytes(rom, 0xE000, Bytes(300, 0x01));
        test::putTextBytes(rom, 0xE200, Bytes(255, 0x02));
        test::putTextBytes(rom, 0xE200 + 255, {0xFF});
        return rom.image();
    }();
    EXPECT_EQ(decodeTextAt(image, 0xE000, table), std::string(256, 'A'));
    EXPECT_EQ(storedSizeAt(image, 0xE000), 256u);
    EXPECT_EQ(decodeTextAt(image, 0xE200, table), std::string(255, 'B'));
    EXPECT_EQ(storedSizeAt(image, 0xE200), 256u);

    // At the last byte of bank 3 a string runs on into the next bank, as the
    // game would read it.
    test::putTextBytes(rom, 0xFFFF, {0x03});
    image = rom.image();
    EXPECT_EQ(decodeTextAt(image, 0xFFFF, table), "C" + std::string(255, ' '));
}

TEST(TextCodec, StringsNeverReadPastTheImage)
{
    const rom::CharTable table = test::defaultTextTable();
    test::SyntheticRom rom;
    test::putTextBytes(rom, 0xFFF0, Bytes(16, 0x01));
    test::putTextPointer(rom, 0, 0xBFF0);
    rom.resizeBody(0x10008);
    EXPECT_THROW(decodeText(rom.image(), 0, table), RomError);
    EXPECT_THROW(storedSizeAt(rom.image(), 0x10008), RomError) << "a start past the end";

    rom.resizeBody(0x10010);
    rom.put(0x1000F, {0xFF});
    EXPECT_EQ(decodeText(rom.image(), 0, table), std::string(16, 'A') + std::string(15, ' '));

    test::SyntheticRom tiny;
    tiny.resizeBody(0x100);
    EXPECT_THROW(decodeText(tiny.image(), 0, table), RomError) << "no pointer table at all";
}

TEST(TextCodec, ListLines)
{
    EXPECT_EQ(textListLine(0, ""), "00: ");
    EXPECT_EQ(textListLine(0x78, "HI/THERE"), "78: HI/THERE");
}
