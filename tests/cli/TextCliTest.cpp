#include "RunCli.h"

#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/text/TextCodec.h"
#include "support/SyntheticText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quarry;
using namespace quarry::test;

namespace {

// The sample texts in the game's layout, string 12 starting with a code the
// table has no character for.
struct TextImage {
    TempDir dir;
    std::string path = dir.file("game.nes");
    std::vector<std::uint8_t> bytes;

    TextImage()
    {
        SyntheticRom rom;
        putSampleTexts(rom);
        const std::size_t entry = layout::kTextPointerTable + 2 * 12;
        const unsigned pointer = rom.body()[entry] | (rom.body()[entry + 1] << 8);
        rom.body()[0xC000 + (pointer & 0x3FFF)] = 0x7A;
        rom.writeFile(path);
        bytes = readFileBytes(path);
    }

    std::string file(const std::string& name) const { return dir.file(name); }
};

rom::RomImage openOutput(const std::string& path)
{
    rom::RomImage image;
    EXPECT_EQ(rom::openRomImage(path, image), rom::OpenResult::Loaded) << path;
    return image;
}

std::string textIn(const std::string& path, int n)
{
    return text::decodeText(openOutput(path), n, defaultTextTable());
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& end = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

} // namespace

TEST(TextCli, TextsPrintsEveryStringAsJson)
{
    TextImage image;
    const CliResult result = runCli({"texts", image.path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> samples = sampleTexts();
    EXPECT_NE(result.out.find("\"" + samples[0] + "\""), std::string::npos);
    EXPECT_NE(result.out.find("\"" + samples[120] + "\""), std::string::npos);
    EXPECT_NE(result.out.find("\"{7A}" + samples[12].substr(1) + "\""), std::string::npos);
    int strings = 0;
    for (const std::string& line : splitLines(result.out))
        strings += line.rfind("    \"", 0) == 0 ? 1 : 0;
    EXPECT_EQ(strings, 121);
}

TEST(TextCli, SetTextWritesTheOutputOrNothing)
{
    TextImage image;
    const std::string out = image.file("out.nes");
    const std::uint16_t pointer3 = openOutput(image.path).readWord(layout::kTextPointerTable + 6);

    const CliResult ok = runCli({"set-text", image.path, "$2", "AB/C 1", "-o", out});
    ASSERT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_EQ(textIn(out, 2), "AB/C 1");
    const int grown = static_cast<int>(std::string("AB/C 1").size() - sampleTexts()[2].size());
    EXPECT_EQ(openOutput(out).readWord(layout::kTextPointerTable + 6), pointer3 + grown);
    EXPECT_EQ(textIn(out, 12).substr(0, 4), "{7A}");
    EXPECT_EQ(readFileBytes(image.path), image.bytes) << "the input is never changed";

    // The sample block is full: one more byte is refused.
    std::filesystem::remove(out);
    const CliResult full = runCli({"set-text", image.path, "0", sampleTexts()[0] + "X", "-o", out});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("1 byte over"), std::string::npos) << full.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const CliResult unknown = runCli({"set-text", image.path, "0", "Hello", "-o", out});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("cannot express: e l o"), std::string::npos) << unknown.err;
    EXPECT_EQ(runCli({"set-text", image.path, "121", "A", "-o", out}).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(readFileBytes(image.path), image.bytes);
}

TEST(TextCli, TheTableComesFromTheDatFolder)
{
    TextImage image;
    std::filesystem::create_directories(image.file("dat"));
    writeText(image.file("dat/TBL.DAT"), "00= \n01=A\n41=\xC3\xA9\n");
    const std::string out = image.file("out.nes");
    const CliResult ok = runCli({"--dat", image.file("dat"), "set-text", image.path, "0", "A\xC3\xA9", "-o", out});
    ASSERT_EQ(ok.exitCode, 0) << ok.err;
    const rom::RomImage written = openOutput(out);
    const std::size_t start = text::textStart(written, 0);
    EXPECT_EQ(written.read(start), 0x01);
    EXPECT_EQ(written.read(start + 1), 0x41);
    EXPECT_EQ(written.read(start + 2), 0xFF);
}

TEST(TextCli, ExportAndImportRoundTrip)
{
    TextImage image;
    const std::string list = image.file("texts.txt");
    const CliResult exported = runCli({"export-texts", image.path, "-o", list});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    std::vector<std::string> lines = splitLines(readText(list));
    ASSERT_EQ(lines.size(), 121u);
    EXPECT_EQ(lines[0], "00: " + sampleTexts()[0]);
    EXPECT_EQ(lines[10], "0A: " + sampleTexts()[10]);
    EXPECT_EQ(lines[120], "78: " + sampleTexts()[120]);
    EXPECT_EQ(lines[12].substr(0, 8), "0C: {7A}");

    // Unchanged, the file gives back the very same image, also as saved by
    // an editor with a byte order mark and CR LF line ends.
    const CliResult same = runCli({"import-texts", image.path, list, "-o", image.file("same.nes")});
    ASSERT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(readFileBytes(image.file("same.nes")), image.bytes);
    writeText(list, "\xEF\xBB\xBF" + joinLines(lines, "\r\n"));
    const CliResult crlf = runCli({"import-texts", image.path, list, "-o", image.file("crlf.nes")});
    ASSERT_EQ(crlf.exitCode, 0) << crlf.err;
    EXPECT_EQ(readFileBytes(image.file("crlf.nes")), image.bytes);

    // An edited line lands in the image; hex digits may be lower case.
    lines[10] = "0a: TEN";
    lines[11] = "0B:  SPACED  ";
    writeText(list, joinLines(lines));
    const CliResult edited = runCli({"import-texts", image.path, list, "-o", image.file("edited.nes")});
    ASSERT_EQ(edited.exitCode, 0) << edited.err;
    EXPECT_EQ(textIn(image.file("edited.nes"), 10), "TEN");
    EXPECT_EQ(textIn(image.file("edited.nes"), 11), " SPACED  ");
    EXPECT_EQ(readFileBytes(image.path), image.bytes);
}

TEST(TextCli, ImportReportsEveryWrongLineAndWritesNothing)
{
    TextImage image;
    const std::string list = image.file("texts.txt");
    ASSERT_EQ(runCli({"export-texts", image.path, "-o", list}).exitCode, 0);
    const std::vector<std::string> good = splitLines(readText(list));
    const std::string out = image.file("out.nes");

    std::vector<std::string> lines = good;
    lines[2] = "02: \xC3";        // not UTF-8
    lines[4] = "4: MISSING DIGIT"; // wrong number
    lines[6] = "07: SWAPPED";      // the number of another line
    lines[8] = "08: lower case";   // not in the table
    writeText(list, joinLines(lines));
    const CliResult bad = runCli({"import-texts", image.path, list, "-o", out});
    EXPECT_EQ(bad.exitCode, 1);
    for (const char* where : {"texts.txt:3: not valid UTF-8", "texts.txt:5: expected \"04: \"",
                              "texts.txt:7: expected \"06: \"", "texts.txt:9: characters the table cannot express"})
        EXPECT_NE(bad.err.find(where), std::string::npos) << where << "\n" << bad.err;
    EXPECT_EQ(bad.err.find("texts.txt:2:"), std::string::npos);
    EXPECT_NE(bad.err.find("nothing was written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));

    lines = good;
    lines.pop_back();
    writeText(list, joinLines(lines));
    const CliResult short_ = runCli({"import-texts", image.path, list, "-o", out});
    EXPECT_EQ(short_.exitCode, 1);
    EXPECT_NE(short_.err.find("120 lines"), std::string::npos) << short_.err;

    // Every line right but the texts too long for the block.
    lines = good;
    lines[0] += "XYZ";
    writeText(list, joinLines(lines));
    const CliResult full = runCli({"import-texts", image.path, list, "-o", out});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("3 bytes over"), std::string::npos) << full.err;

    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(readFileBytes(image.path), image.bytes);
}
