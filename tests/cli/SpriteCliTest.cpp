#include "RunCli.h"

#include "core/rom/GameLayout.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/SpriteText.h"
#include "support/SyntheticWorld.h"

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

// The editor's text form with one output line per line.
std::string textLines(const sprites::OamList& list)
{
    std::string text = sprites::oamText(list);
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, "\n");
    return text + "\n";
}

} // namespace

TEST(SpriteCli, FramePrintsTheListAsSixteenLines)
{
    WorldFile f;
    const rom::RomImage image = f.world.rom.image();
    for (int frame : {kSyntheticEmptyFrame, kSyntheticLongFrame}) {
        SCOPED_TRACE(frame);
        const CliResult result = runCli({"frame", f.path, std::to_string(frame)});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        sprites::FrameBuilder builder;
        EXPECT_EQ(result.out, textLines(builder.buildFrameOam(image, sprites::getFramePointer(image, frame))));
    }
    const CliResult example = runCli({"frame", f.path, "$01"});
    ASSERT_EQ(example.exitCode, 0) << example.err;
    EXPECT_EQ(example.out.substr(0, 33), "3711012837130130F8000000F8000000\n");

    EXPECT_EQ(runCli({"frame", f.path, "256"}).exitCode, 2);
    EXPECT_EQ(runCli({"frame", f.path}).exitCode, 2);
}

TEST(SpriteCli, AnimationPrintsRecordAndPointers)
{
    WorldFile f;
    // Frames FE, FF, 00, 01: the pointers wrap with the frame number.
    const CliResult result = runCli({"animation", f.path, std::to_string(kSyntheticWrappingAnimation)});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
    const SyntheticAnimation& record = f.world.sprites.animations[kSyntheticWrappingAnimation];
    EXPECT_EQ(json["frames"].toInt(), record.frames);
    EXPECT_EQ(json["start"].toInt(), record.start);
    EXPECT_EQ(json["timer"].toInt(), record.timer);
    const QJsonArray pointers = json["framePointers"].toArray();
    ASSERT_EQ(pointers.size(), record.frames + 1);
    for (qsizetype i = 0; i < pointers.size(); ++i)
        EXPECT_EQ(pointers[i].toInt(), f.world.sprites.frames[(record.start + static_cast<std::size_t>(i)) & 0xFF].pointer);
    EXPECT_EQ(runCli({"animation", f.path, "64"}).exitCode, 2);

    // An image too short for the tables is refused with a message, not a crash.
    SyntheticRom cut;
    cut.resizeBody(0x1000);
    cut.writeFile(f.dir.file("short.nes"));
    const CliResult refused = runCli({"animation", f.dir.file("short.nes"), "0"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err.rfind("quarry-cli: ", 0), 0u);
}
