#include "RunCli.h"

#include "core/rom/RomImage.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quarry;
using namespace quarry::test;

namespace {

// The sample texts, string 12 starting with a code the table has no character for.
struct TextFile : WorldFile {
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> lines; // as export-texts writes them
    TextFile()
    {
        world.rom.body()[text::textStart(world.rom.image(), 12)] = 0x7A;
        world.writeFile(path);
        bytes = readFileBytes(path);
    }
    std::string textIn(const std::string& file, int n) const
    {
        rom::RomImage image;
        EXPECT_EQ(rom::openRomImage(file, image), rom::OpenResult::Loaded) << file;
        return text::decodeText(image, n, defaultTextTable());
    }
    // Writes `list` as the text list and imports it into `output`.
    CliResult import(const std::vector<std::string>& list, const std::string& output, const std::string& end = "\n")
    {
        std::ofstream text(file("texts.txt"), std::ios::binary);
        for (const std::string& line : list)
            text << line << end;
        text.close();
        return runCli({"import-texts", path, file("texts.txt"), "-o", file(output)});
    }
};

std::vector<std::string> linesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(TextCli, TextsPrintsEveryStringAndSetTextUsesTheDatFoldersTable)
{
    TextFile f;
    const CliResult texts = runCli({"texts", f.path});
    ASSERT_EQ(texts.exitCode, 0) << texts.err;
    EXPECT_NE(texts.out.find("    \"" + sampleTexts()[120] + "\"\n"), std::string::npos);
    EXPECT_NE(texts.out.find("    \"{7A}" + sampleTexts()[12].substr(1) + "\","), std::string::npos);

    std::filesystem::create_directories(f.file("dat"));
    std::ofstream(f.file("dat/TBL.DAT"), std::ios::binary) << "00= \n01=A\n41=\xC3\xA9\n";
    const CliResult set = runCli({"--dat", f.file("dat"), "set-text", f.path, "$0", "A\xC3\xA9", "-o", f.file("out.nes")});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    rom::RomImage written;
    ASSERT_EQ(rom::openRomImage(f.file("out.nes"), written), rom::OpenResult::Loaded);
    const std::size_t start = text::textStart(written, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(written.body().begin() + start, written.body().begin() + start + 3),
              (std::vector<std::uint8_t>{0x01, 0x41, 0xFF}));
    EXPECT_EQ(readFileBytes(f.path), f.bytes);
}

TEST(TextCli, ExportedTextsImportBackExactlyAndAnEditedLineLands)
{
    TextFile f;
    ASSERT_EQ(runCli({"export-texts", f.path, "-o", f.file("texts.txt")}).exitCode, 0);
    std::vector<std::string> lines = linesOf(f.file("texts.txt"));
    ASSERT_EQ(lines.size(), 121u);
    EXPECT_EQ(lines[10], "0A: " + sampleTexts()[10]);
    EXPECT_EQ(lines[12].substr(0, 8), "0C: {7A}");

    // Also as saved by an editor with a byte order mark and CR LF line ends.
    ASSERT_EQ(f.import(lines, "same.nes").exitCode, 0);
    EXPECT_EQ(readFileBytes(f.file("same.nes")), f.bytes);
    std::vector<std::string> marked = lines;
    marked[0] = "\xEF\xBB\xBF" + marked[0];
    ASSERT_EQ(f.import(marked, "crlf.nes", "\r\n").exitCode, 0);
    EXPECT_EQ(readFileBytes(f.file("crlf.nes")), f.bytes);

    lines[10] = "0a: TEN"; // hex digits may be lower case
    lines[11] = "0B:  SPACED  ";
    const CliResult edited = f.import(lines, "edited.nes");
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    EXPECT_EQ(f.textIn(f.file("edited.nes"), 10), "TEN");
    EXPECT_EQ(f.textIn(f.file("edited.nes"), 11), " SPACED  ");
    EXPECT_EQ(readFileBytes(f.path), f.bytes);
}

TEST(TextCli, ImportReportsEveryWrongLineOnALineOfItsOwnAndWritesNothing)
{
    TextFile f;
    ASSERT_EQ(runCli({"export-texts", f.path, "-o", f.file("texts.txt")}).exitCode, 0);
    const std::vector<std::string> good = linesOf(f.file("texts.txt"));
    std::vector<std::string> lines = good;
    lines[2] = "02: \xC3";         // not UTF-8
    lines[4] = "4: MISSING DIGIT"; // wrong number
    lines[6] = "07: SWAPPED";      // the number of another line
    lines[8] = "08: lower case";   // not in the table
    const CliResult bad = f.import(lines, "out.nes");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 5) << bad.err;
    for (const char* said : {"texts.txt:3: not valid UTF-8\n", "texts.txt:5: expected \"04: \"",
                             "texts.txt:7: expected \"06: \"", "texts.txt:9: characters the table cannot express",
                             "wrong lines; nothing was written\n"})
        EXPECT_NE(bad.err.find(said), std::string::npos) << said << "\n" << bad.err;

    lines = good;
    lines.pop_back();
    const CliResult shorter = f.import(lines, "out.nes");
    EXPECT_EQ(shorter.exitCode, 1);
    EXPECT_NE(shorter.err.find("120 lines"), std::string::npos) << shorter.err;
    EXPECT_FALSE(std::filesystem::exists(f.file("out.nes")));
}
