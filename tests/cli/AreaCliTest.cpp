#include "RunCli.h"

#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::test;

namespace {

struct WorldFile {
    TempDir dir;
    SyntheticWorld world;
    std::string path;
    WorldFile() : path(dir.file("game.nes")) { world.writeFile(path); }
};

QJsonObject areaJson(const std::string& path, const rom::AreaId& id, bool night)
{
    std::vector<std::string> args{"area", path, std::to_string(id.objectSet), std::to_string(id.area),
                                  std::to_string(id.submap)};
    if (night)
        args.push_back("--night");
    const CliResult result = runCli(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
}

} // namespace

TEST(AreaCli, AreaReportsWhatTheDocumentLoads)
{
    WorldFile f;
    session::Document document;
    ASSERT_EQ(document.open(f.path), rom::OpenResult::Loaded);
    const rom::AreaId id{1, 9, 3};
    for (bool night : {false, true}) {
        SCOPED_TRACE(night);
        document.loadArea(id, night);
        const session::LoadedArea& area = *document.area();
        const QJsonObject json = areaJson(f.path, id, night);
        EXPECT_EQ(json["night"].toBool(), night);
        EXPECT_EQ(json["mapPointer"].toInt(), area.pointers.mapPointer);
        EXPECT_EQ(json["palettePointer"].toInt(), area.pointers.palettePointer);
        EXPECT_EQ(json["actorPointer"].toInt(), area.pointers.actorPointer);
        EXPECT_EQ(json["screensWide"].toInt(), area.map.screensWide);
        const QJsonArray grid = json["mapGrid"].toArray();
        ASSERT_EQ(grid.size(), static_cast<qsizetype>(area.map.mapGrid.size()));
        for (qsizetype i = 0; i < grid.size(); ++i)
            ASSERT_EQ(grid[i].toInt(), area.map.mapGrid[static_cast<std::size_t>(i)]);
        const QJsonArray palette = json["palette"].toArray();
        ASSERT_EQ(palette.size(), 32);
        EXPECT_EQ(palette[0].toInt(), area.palette[0]);
        EXPECT_EQ(json["actors"].toArray().size(), static_cast<qsizetype>(area.actors.size()));
        EXPECT_EQ(json["stairs"].toArray().size(), static_cast<qsizetype>(area.stairs.size()));
        EXPECT_EQ(json["emphasis"].toInt(), area.mask.emphasis);
        EXPECT_EQ(json["bgChrBase"].toInt(), static_cast<int>(rom::bgChrBase(document.rom(), id.objectSet)));
        EXPECT_EQ(json["doors"].toArray().size(), 6);
    }
}

TEST(AreaCli, PicturesMatchTheDocument)
{
    WorldFile f;
    session::Document document;
    ASSERT_EQ(document.open(f.path), rom::OpenResult::Loaded);
    document.loadArea({1, 6, 2}, true);
    const CliResult render = runCli({"render", f.path, "1", "6", "2", "--night", "-o", f.dir.file("map.png")});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const CliResult picker = runCli({"picker", f.path, "$1", "0x6", "2", "--night", "-o", f.dir.file("chooser.png")});
    ASSERT_EQ(picker.exitCode, 0) << picker.err;

    const gfx::Canvas mapPicture = document.area()->mapPicture();
    const struct {
        std::string file;
        const gfx::Canvas& canvas;
    } pictures[] = {{"map.png", mapPicture}, {"chooser.png", document.area()->chooser}};
    for (const auto& picture : pictures) {
        const QImage image(QString::fromStdString(f.dir.file(picture.file)));
        ASSERT_EQ(image.width(), picture.canvas.width());
        ASSERT_EQ(image.height(), picture.canvas.height());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const gfx::Rgb expected = picture.canvas.pixel(x, y);
                ASSERT_EQ(static_cast<gfx::Rgb>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16), expected)
                    << picture.file << " at " << x << "," << y;
            }
    }
}

TEST(AreaCli, MapEditsWriteOnlyTheOutput)
{
    WorldFile f;
    const auto original = readFileBytes(f.path);
    const rom::AreaId id{0, 10, 0};
    const auto& map = f.world.game.mapOf(id);
    const std::size_t header = 16 + rom::cpuToBody(map.mapPointer, rom::DataKind::AreaData);

    // Paint: the cell's byte in its screen becomes the metatile, and no other.
    ASSERT_EQ(runCli({"paint", f.path, "0", "10", "0", "40", "70", "$11", "-o", f.dir.file("paint.nes")}).exitCode, 0);
    auto painted = readFileBytes(f.dir.file("paint.nes"));
    const std::size_t cell = 16 + rom::cpuToBody(map.screenTable[0], rom::DataKind::AreaData) + 2 * 8 + 1;
    EXPECT_EQ(painted[cell], 0x11);
    painted[cell] = original[cell];
    EXPECT_EQ(painted, original);

    // Set-pointer: low byte first.
    ASSERT_EQ(runCli({"set-pointer", f.path, "0", "10", "0", "1", "1", "$9ABC", "-o", f.dir.file("ptr.nes")}).exitCode, 0);
    const auto pointed = readFileBytes(f.dir.file("ptr.nes"));
    EXPECT_EQ(pointed[header + 2], 0xBC);
    EXPECT_EQ(pointed[header + 3], 0x9A);

    // Erase: every screen of the map is zero.
    ASSERT_EQ(runCli({"erase-map", f.path, "0", "10", "0", "-o", f.dir.file("erased.nes")}).exitCode, 0);
    const auto erased = readFileBytes(f.dir.file("erased.nes"));
    for (std::uint16_t address : map.screenTable)
        for (std::size_t i = 0; i < 56; ++i)
            ASSERT_EQ(erased[16 + rom::cpuToBody(address, rom::DataKind::AreaData) + i], 0);

    EXPECT_EQ(readFileBytes(f.path), original); // the input is never touched
}

TEST(AreaCli, RefusalsAndUsage)
{
    WorldFile f;
    EXPECT_EQ(runCli({"area", f.path, "1", "5", "0"}).exitCode, 2); // object set 1 has no area 5
    EXPECT_EQ(runCli({"area", f.path, "zero", "0", "0"}).exitCode, 2);
    EXPECT_EQ(runCli({"render", f.path, "0", "0", "0"}).exitCode, 2); // no -o
    const CliResult low = runCli({"set-pointer", f.path, "0", "10", "0", "1", "1", "$7FFF", "-o", f.dir.file("low.nes")});
    EXPECT_EQ(low.exitCode, 1);
    EXPECT_EQ(low.err.rfind("quarry-cli: ", 0), 0u);
    EXPECT_TRUE(readFileBytes(f.dir.file("low.nes")).empty());

    // A map table entry below $8000: a clear error, never a crash.
    const int mapNumber = f.world.game.submap({0, 0, 0}).mapNumber;
    f.world.rom.putWord(f.world.game.mapTableEntry(0, mapNumber), 0x1234);
    f.world.writeFile(f.path);
    const CliResult broken = runCli({"render", f.path, "0", "0", "0", "-o", f.dir.file("b.png")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("$1234"), std::string::npos);
    EXPECT_TRUE(readFileBytes(f.dir.file("b.png")).empty());
}
