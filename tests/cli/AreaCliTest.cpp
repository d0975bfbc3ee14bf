#include "RunCli.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/Hex.h"
#include "core/session/Document.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quarry;
using namespace quarry::test;

namespace {

std::vector<std::uint8_t> fileOf(const rom::RomImage& image)
{
    std::vector<std::uint8_t> bytes(image.header().begin(), image.header().end());
    bytes.insert(bytes.end(), image.body().begin(), image.body().end());
    return bytes;
}

} // namespace

TEST(AreaCli, InfoAndAreaReportWhatTheDocumentLoads)
{
    WorldFile f;
    const CliResult info = runCli({"info", f.path});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("\"bodySize\": 262144"), std::string::npos);
    session::Document document;
    ASSERT_EQ(document.open(f.path), rom::OpenResult::Loaded);
    EXPECT_NE(info.out.find("\"sprChrBase\": " + std::to_string(rom::sprChrBase(document.rom(), 2))),
              std::string::npos);
    for (bool night : {false, true}) {
        SCOPED_TRACE(night);
        document.loadArea({1, 9, 3}, night);
        const session::LoadedArea& area = *document.area();
        std::vector<std::string> args{"area", f.path, "1", "9", "3"};
        if (night)
            args.push_back("--night");
        const CliResult result = runCli(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
        EXPECT_EQ(json["night"].toBool(), night);
        EXPECT_EQ(json["palettePointer"].toInt(), area.pointers.palettePointer);
        EXPECT_EQ(json["actorPointer"].toInt(), area.pointers.actorPointer);
        const QJsonArray grid = json["mapGrid"].toArray();
        ASSERT_EQ(grid.size(), static_cast<qsizetype>(area.map.mapGrid.size()));
        for (qsizetype i = 0; i < grid.size(); ++i)
            ASSERT_EQ(grid[i].toInt(), area.map.mapGrid[static_cast<std::size_t>(i)]);
        EXPECT_EQ(json["palette"].toArray()[31].toInt(), area.palette[31]);
        EXPECT_EQ(json["actors"].toArray().size(), static_cast<qsizetype>(area.actors.size()));
    }
}

TEST(AreaCli, RenderAndPickerDrawWhatTheDocumentDraws)
{
    WorldFile f;
    session::Document document;
    ASSERT_EQ(document.open(f.path), rom::OpenResult::Loaded);
    document.loadArea({1, 6, 2}, true);
    ASSERT_EQ(runCli({"render", f.path, "1", "6", "2", "--night", "-o", f.file("map.png")}).exitCode, 0);
    ASSERT_EQ(runCli({"picker", f.path, "$1", "0x6", "2", "--night", "-o", f.file("chooser.png")}).exitCode, 0);
    const gfx::Canvas mapPicture = document.area()->mapPicture();
    const std::pair<std::string, const gfx::Canvas*> pictures[] = {{"map.png", &mapPicture},
                                                                   {"chooser.png", &document.area()->chooser}};
    for (const auto& [file, canvas] : pictures) {
        const QImage image(QString::fromStdString(f.file(file)));
        ASSERT_EQ(image.size(), QSize(canvas->width(), canvas->height())) << file;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                ASSERT_EQ(static_cast<gfx::Rgb>(qRed(pixel) | qGreen(pixel) << 8 | qBlue(pixel) << 16),
                          canvas->pixel(x, y))
                    << file << " at " << x << "," << y;
            }
    }
}

TEST(AreaCli, MapEditsWriteOnlyTheOutput)
{
    WorldFile f;
    const auto original = readFileBytes(f.path);
    const auto& map = f.world.game.mapOf({0, 10, 0});
    const std::size_t header = 16 + rom::cpuToBody(map.mapPointer, rom::DataKind::AreaData);

    // Paint: the cell's byte in its screen becomes the metatile, and no other.
    ASSERT_EQ(runCli({"paint", f.path, "0", "10", "0", "40", "70", "$11", "-o", f.file("paint.nes")}).exitCode, 0);
    auto painted = readFileBytes(f.file("paint.nes"));
    const std::size_t cell = 16 + rom::cpuToBody(map.screenTable[0], rom::DataKind::AreaData) + 2 * 8 + 1;
    EXPECT_EQ(painted[cell], 0x11);
    painted[cell] = original[cell];
    EXPECT_EQ(painted, original);

    // Set-pointer: low byte first.
    ASSERT_EQ(runCli({"set-pointer", f.path, "0", "10", "0", "1", "1", "$9ABC", "-o", f.file("ptr.nes")}).exitCode, 0);
    const auto pointed = readFileBytes(f.file("ptr.nes"));
    EXPECT_EQ(pointed[header + 2], 0xBC);
    EXPECT_EQ(pointed[header + 3], 0x9A);

    // Erase: every screen of the map is zero.
    ASSERT_EQ(runCli({"erase-map", f.path, "0", "10", "0", "-o", f.file("erased.nes")}).exitCode, 0);
    const auto erased = readFileBytes(f.file("erased.nes"));
    for (std::uint16_t address : map.screenTable)
        for (std::size_t i = 0; i < 56; ++i)
            ASSERT_EQ(erased[16 + rom::cpuToBody(address, rom::DataKind::AreaData) + i], 0);

    EXPECT_EQ(readFileBytes(f.path), original); // the input is never touched
}

TEST(AreaCli, BlockCommandsMatchTheDocumentAndRefuseWithoutWriting)
{
    WorldFile f;
    session::Document document;
    ASSERT_EQ(document.open(f.path), rom::OpenResult::Loaded);
    document.loadArea({0, 10, 0}, false);

    // copy prints the block between two pixels in either order; stamping it
    // elsewhere writes what the document's stamp writes.
    const CliResult copied = runCli({"copy", f.path, "0", "10", "0", "300", "100", "40", "10"});
    ASSERT_EQ(copied.exitCode, 0) << copied.err;
    const session::MetatileBlock block = session::copyBlock(document.area()->map, {1, 0, 9, 4});
    EXPECT_EQ(copied.out, session::blockText(block));
    writeFileBytes(f.file("block.txt"), std::vector<std::uint8_t>(copied.out.begin(), copied.out.end()));
    ASSERT_EQ(runCli({"stamp", f.path, "0", "10", "0", "200", "70", f.file("block.txt"), "-o", f.file("s.nes")})
                  .exitCode,
              0);
    document.stampBlock({6, 2}, block, "Stamp block");
    EXPECT_EQ(readFileBytes(f.file("s.nes")), fileOf(document.rom()));

    ASSERT_EQ(runCli({"fill", f.path, "0", "10", "0", "5", "5", "1", "-o", f.file("f.nes")}).exitCode, 0);
    session::Document filled;
    ASSERT_EQ(filled.open(f.path), rom::OpenResult::Loaded);
    filled.loadArea({0, 10, 0}, false);
    filled.fillCells({0, 0}, 1);
    EXPECT_EQ(readFileBytes(f.file("f.nes")), fileOf(filled.rom()));

    // Refusals: exit 1, one line, no output file.
    writeFileBytes(f.file("bad.txt"), {'0', '1', ' ', '0', '2', '\n', 'x', '\n'});
    const std::vector<std::vector<std::string>> refused = {
        {"stamp", f.path, "0", "10", "0", "0", "0", f.file("bad.txt"), "-o", f.file("r.nes")},
        {"fill", f.path, "0", "10", "0", "0", "0", "255", "-o", f.file("r.nes")},
        {"fill", f.path, "0", "10", "0", "99999", "0", "1", "-o", f.file("r.nes")},
        {"copy", f.path, "0", "10", "0", "0", "0", "0", "99999"},
    };
    for (const auto& args : refused) {
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 1) << args[0];
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(f.file("r.nes")));
    }
    EXPECT_NE(runCli(refused[0]).err.find("line 2"), std::string::npos);
}

TEST(AreaCli, StampFillAndPaintTakeExactlyWhatTheLimitByteOffers)
{
    // Object set 0 has room for 67 metatiles; the limit byte alone decides.
    WorldFile f;
    const std::size_t cell = 16 + rom::cpuToBody(f.world.game.mapOf({0, 10, 0}).screenTable[0], rom::DataKind::AreaData);
    const int cases[][2] = {{0, 0}, {1, 0}, {2, 0}, {72, 70}, {73, 71}, {255, 71}};
    for (const auto& [limit, last] : cases) {
        auto bytes = readFileBytes(f.path);
        bytes[16 + gfx::metatileLimitIndex(0)] = static_cast<std::uint8_t>(limit);
        writeFileBytes(f.file("limit.nes"), bytes);
        for (const int metatile : {last, last + 1}) {
            const std::string hex = hexDigits(static_cast<std::uint32_t>(metatile), 2);
            writeFileBytes(f.file("b.txt"), {std::uint8_t(hex[0]), std::uint8_t(hex[1]), '\n'});
            for (const std::string command : {"fill", "stamp", "paint"}) {
                if (command == "paint" && limit != 255) // paint: 71, not L - 2, is the last
                    continue;
                std::filesystem::remove(f.file("o.nes"));
                const std::string what = command == "stamp" ? f.file("b.txt") : std::to_string(metatile);
                const CliResult r =
                    runCli({command, f.file("limit.nes"), "0", "10", "0", "5", "5", what, "-o", f.file("o.nes")});
                if (metatile == last) {
                    ASSERT_EQ(r.exitCode, 0) << command << " L=" << limit << ": " << r.err;
                    EXPECT_EQ(readFileBytes(f.file("o.nes"))[cell], last) << command << " L=" << limit;
                } else {
                    EXPECT_NE(r.err.find("metatile " + hex + " is not offered"), std::string::npos) << r.err;
                    EXPECT_FALSE(std::filesystem::exists(f.file("o.nes")));
                }
            }
        }
    }
}
