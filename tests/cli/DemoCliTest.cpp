#include "RunCli.h"

#include "core/session/DemoImage.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::test;

TEST(DemoCli, MakeDemoWritesTheDemoImage)
{
    TempDir dir;
    const CliResult result = runCli({"make-demo", "-o", dir.file("demo.nes")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const rom::RomImage demo = session::buildDemoImage();
    std::vector<std::uint8_t> expected(demo.header().begin(), demo.header().end());
    expected.insert(expected.end(), demo.body().begin(), demo.body().end());
    EXPECT_EQ(readFileBytes(dir.file("demo.nes")), expected);

    EXPECT_EQ(runCli({"make-demo"}).exitCode, 2); // no -o
}

TEST(DemoCli, RenderAllWritesDayAndNightOfEverySubmapWithProgress)
{
    TempDir dir;
    SyntheticWorld world;
    world.writeFile(dir.file("game.nes"));
    const std::string out = dir.file("maps/sub");
    const CliResult result = runCli({"render-all", dir.file("game.nes"), "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::size_t submaps = world::catalogueSubmaps().size();
    EXPECT_EQ(QDir(QString::fromStdString(out)).entryList(QDir::Files).size(), static_cast<qsizetype>(2 * submaps));
    EXPECT_NE(result.err.find("rendering " + std::to_string(2 * submaps) + " of " + std::to_string(2 * submaps)),
              std::string::npos);

    // Files are named by the submap's key; render checks their pixels.
    const rom::AreaId id{0, 10, 1};
    const QImage picture(QString::fromStdString(out + "/" + world::findSubmap(id)->key + "-night.png"));
    EXPECT_EQ(picture.width(), world.game.mapOf(id).wide * 256);
    EXPECT_EQ(picture.height(), world.game.mapOf(id).high * 224);
}

TEST(DemoCli, RenderAllGoesOnPastABrokenSubmapAndFails)
{
    TempDir dir;
    SyntheticWorld world;
    // Break one map table entry: that submap (day and night) cannot load.
    const rom::AreaId broken{0, 0, 0};
    world.game.setMapPointers(0, world.game.submap(broken).mapNumber, 0x1234, 0x1234);
    world.writeFile(dir.file("game.nes"));
    const CliResult result = runCli({"render-all", dir.file("game.nes"), "-o", dir.file("maps")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("maps could not be rendered"), std::string::npos) << result.err;
    const qsizetype written = QDir(QString::fromStdString(dir.file("maps"))).entryList(QDir::Files).size();
    EXPECT_GT(written, 10);
    EXPECT_LT(written, static_cast<qsizetype>(2 * world::catalogueSubmaps().size()));
}
