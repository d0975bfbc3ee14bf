#include "RunCli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace quarry::test;

namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(CompareCli, DiffTellsWhatAnImageOrAPatchChanges)
{
    WorldFile game;
    const std::string mine = game.file("mine.nes"), patch = game.file("mine.ips");
    ASSERT_EQ(runCli({"paint", game.path, "0", "0", "0", "40", "40", "3", "-o", mine}).exitCode, 0);
    ASSERT_EQ(runCli({"export-ips", game.path, mine, "-o", patch}).exitCode, 0);

    const CliResult plain = runCli({"diff", game.path, patch});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_TRUE(contains(plain.out, ": 1 map cell\n")) << plain.out;
    EXPECT_TRUE(contains(plain.out, "    shown at Towns / ")) << plain.out;
    EXPECT_FALSE(contains(plain.out, "cell (row 1, column 1)")) << plain.out;
    const CliResult cells = runCli({"diff", "--cells", game.path, mine});
    EXPECT_TRUE(contains(cells.out, "    cell (row 1, column 1): $")) << cells.out;

    const CliResult json = runCli({"diff", "--json", "--cells", game.path, mine});
    ASSERT_EQ(json.exitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_FALSE(root["same"].toBool());
    const QJsonObject part = root["parts"].toArray().at(0).toObject();
    EXPECT_EQ(part["kind"].toString(), "screen");
    EXPECT_EQ(part["changes"].toArray().at(0).toObject()["field"].toString(), "cell (row 1, column 1)");
    EXPECT_EQ(part["changes"].toArray().at(0).toObject()["new"].toString(), "$03");

    // --check: 3 when they differ, 0 when they are the same.
    EXPECT_EQ(runCli({"diff", "--check", game.path, mine}).exitCode, 3);
    const CliResult same = runCli({"diff", "--check", game.path, game.path});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "no changes\n");
}

TEST(CompareCli, MergeCombinesTwoEditsOrNamesEveryConflict)
{
    WorldFile game;
    const std::string mine = game.file("mine.nes"), theirs = game.file("theirs.nes"), out = game.file("out.nes");
    const std::string clash = game.file("clash.nes"), theirsPatch = game.file("theirs.bps");
    ASSERT_EQ(runCli({"paint", game.path, "0", "0", "0", "40", "40", "3", "-o", mine}).exitCode, 0);
    ASSERT_EQ(runCli({"set-sprite", game.path, "1", "0", "--dx", "9", "-o", theirs}).exitCode, 0);
    ASSERT_EQ(runCli({"export-bps", game.path, theirs, "-o", theirsPatch}).exitCode, 0);

    // Disjoint: both kept, a patch as good as an image, either order.
    const CliResult merged = runCli({"merge", game.path, mine, theirsPatch, "-o", out});
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    const CliResult both = runCli({"diff", game.path, out});
    EXPECT_TRUE(contains(both.out, "1 map cell") && contains(both.out, "frame 01 sprite 0 dx: $F8 -> $09")) << both.out;
    const std::string swapped = game.file("swapped.nes");
    ASSERT_EQ(runCli({"merge", game.path, theirs, mine, "-o", swapped}).exitCode, 0);
    EXPECT_EQ(readFileBytes(swapped), readFileBytes(out));

    // The same cell painted differently: named on standard error, nothing
    // written, exit 3; --take settles it.
    ASSERT_EQ(runCli({"paint", game.path, "0", "0", "0", "40", "40", "5", "-o", clash}).exitCode, 0);
    const std::string none = game.file("none.nes");
    const CliResult conflict = runCli({"merge", game.path, mine, clash, "-o", none});
    EXPECT_EQ(conflict.exitCode, 3);
    EXPECT_TRUE(contains(conflict.err, "conflict: screen $")) << conflict.err;
    EXPECT_TRUE(contains(conflict.err, "cell (row 1, column 1): mine $03, theirs $05 (shown at Towns")) << conflict.err;
    EXPECT_TRUE(readFileBytes(none).empty());
    ASSERT_EQ(runCli({"merge", "--take", "theirs", game.path, mine, clash, "-o", none}).exitCode, 0);
    EXPECT_EQ(readFileBytes(none), readFileBytes(clash));
    EXPECT_EQ(runCli({"merge", "--take", "ours", game.path, mine, clash, "-o", none}).exitCode, 2);
}

TEST(CompareCli, RefusesImagesOfAnotherShapeAndBrokenPatches)
{
    WorldFile game;
    const std::string out = game.file("out.nes");
    SyntheticRom header = game.world.rom;
    header.header()[7] ^= 0x01;
    header.writeFile(game.file("header.nes"));
    SyntheticRom longer = game.world.rom;
    longer.resizeBody(longer.body().size() + 0x4000);
    longer.writeFile(game.file("longer.nes"));

    const CliResult headers = runCli({"diff", game.path, game.file("header.nes")});
    EXPECT_EQ(headers.exitCode, 1);
    EXPECT_TRUE(contains(headers.err, "ORIGINAL and EDITED have different 16-byte headers")) << headers.err;
    const CliResult sizes = runCli({"merge", game.path, game.path, game.file("longer.nes"), "-o", out});
    EXPECT_EQ(sizes.exitCode, 1);
    EXPECT_TRUE(contains(sizes.err, "ORIGINAL and THEIRS differ in size")) << sizes.err;

    // A BPS patch made for another image, and a damaged IPS patch: the
    // messages apply-bps and apply-ips give.
    const std::string other = game.file("other.bps");
    ASSERT_EQ(runCli({"export-bps", game.file("longer.nes"), game.file("longer.nes"), "-o", other}).exitCode, 0);
    const CliResult foreign = runCli({"diff", game.path, other});
    const CliResult applied = runCli({"apply-bps", game.path, other, "-o", out});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_EQ(foreign.err, applied.err);
    writeFileBytes(game.file("cut.ips"), {'P', 'A', 'T', 'C', 'H', 0, 0, 0x20, 0, 4, 1});
    const CliResult cut = runCli({"merge", game.path, game.file("cut.ips"), game.path, "-o", out});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.err, runCli({"apply-ips", game.path, game.file("cut.ips"), "-o", out}).err);
    EXPECT_TRUE(readFileBytes(out).empty());
}
