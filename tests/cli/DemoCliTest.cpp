#include "RunCli.h"

#include "core/demo/DemoImage.h"
#include "core/world/AreaCatalogue.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarry;
using namespace quarry::test;
namespace fs = std::filesystem;

TEST(DemoCli, MakeDemoWritesTheDemoImage)
{
    TempDir dir;
    const CliResult result = runCli({"make-demo", "-o", dir.file("demo.nes")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const rom::RomImage demo = demo::buildDemoImage();
    std::vector<std::uint8_t> expected(demo.header().begin(), demo.header().end());
    expected.insert(expected.end(), demo.body().begin(), demo.body().end());
    EXPECT_EQ(readFileBytes(dir.file("demo.nes")), expected);
}

TEST(DemoCli, RenderAllWritesEveryOtherSubmapPastABrokenOneWithProgressAndFails)
{
    TempDir dir;
    SyntheticWorld world;
    // One map table entry below $8000: that submap (day and night) cannot load.
    world.game.setMapPointers(0, world.game.submap({0, 0, 0}).mapNumber, 0x1234, 0x1234);
    world.writeFile(dir.file("game.nes"));
    const std::string out = dir.file("maps/sub");
    // A link in the folder is reported and left, not written through.
    writeFileBytes(dir.file("victim"), {'v'});
    fs::create_directories(out);
    fs::create_symlink(dir.file("victim"), out + "/" + world::findSubmap({0, 10, 1})->key + "-day.png");
    const CliResult result = runCli({"render-all", dir.file("game.nes"), "-o", out});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("links in the folder are not followed"), std::string::npos) << result.err;
    EXPECT_EQ(readFileBytes(dir.file("victim")), std::vector<std::uint8_t>{'v'});
    EXPECT_NE(result.err.find("maps could not be rendered"), std::string::npos) << result.err;
    const std::string all = std::to_string(2 * world::catalogueSubmaps().size());
    EXPECT_NE(result.err.find("rendering " + all + " of " + all), std::string::npos);
    const qsizetype written = QDir(QString::fromStdString(out)).entryList(QDir::Files).size();
    EXPECT_GT(written, 10);
    EXPECT_LT(written, static_cast<qsizetype>(2 * world::catalogueSubmaps().size()));

    // Files are named by the submap's key; render checks their pixels.
    const rom::AreaId id{0, 10, 1};
    const QImage picture(QString::fromStdString(out + "/" + world::findSubmap(id)->key + "-night.png"));
    EXPECT_EQ(picture.size(), QSize(world.game.mapOf(id).wide * 256, world.game.mapOf(id).high * 224));
}
