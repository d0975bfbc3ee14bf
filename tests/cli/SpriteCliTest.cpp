#include "RunCli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quarry::test;

TEST(SpriteCli, FramePrintsItsListAndAnimationItsRecordAndWrappingPointers)
{
    WorldFile f;
    const CliResult frame = runCli({"frame", f.path, "$01"});
    ASSERT_EQ(frame.exitCode, 0) << frame.err;
    EXPECT_EQ(frame.out.substr(0, 33), "3711012837130130F8000000F8000000\n");
    EXPECT_EQ(std::count(frame.out.begin(), frame.out.end(), '\n'), 16);

    // Frames FE, FF, 00, 01: the pointers wrap with the frame number.
    const CliResult animation = runCli({"animation", f.path, std::to_string(kSyntheticWrappingAnimation)});
    ASSERT_EQ(animation.exitCode, 0) << animation.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(animation.out)).object();
    const SyntheticAnimation& record = f.world.sprites.animations[kSyntheticWrappingAnimation];
    EXPECT_EQ(json["frames"].toInt(), record.frames);
    EXPECT_EQ(json["start"].toInt(), record.start);
    EXPECT_EQ(json["timer"].toInt(), record.timer);
    const QJsonArray pointers = json["framePointers"].toArray();
    ASSERT_EQ(pointers.size(), record.frames + 1);
    for (qsizetype i = 0; i < pointers.size(); ++i)
        EXPECT_EQ(pointers[i].toInt(), f.world.sprites.frames[(record.start + static_cast<std::size_t>(i)) & 0xFF].pointer);
}

TEST(SpriteCli, FrameSpritesPrintsStoredEntriesAndSetAndDeleteWriteOrRefuse)
{
    WorldFile f;
    const CliResult listed = runCli({"frame-sprites", f.path, std::to_string(kSyntheticAliasFrame)});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(listed.out)).object();
    EXPECT_EQ(json["form"].toString(), "plain");
    EXPECT_TRUE(json["layout"].isNull());
    EXPECT_EQ(json["sharedWith"].toArray(), QJsonArray{kSyntheticExampleFrame});
    const QJsonArray sprites = json["sprites"].toArray();
    ASSERT_EQ(sprites.size(), 2);
    EXPECT_EQ(sprites[1].toObject(), (QJsonObject{{"dy", -8}, {"tile", 0x13}, {"attribute", 1}, {"ownAttribute", false}, {"dx", 0}}));

    const std::string out = f.file("out.nes");
    const CliResult set = runCli({"set-sprite", f.path, "1", "1", "--dy", "-64", "--tile", "$20", "-o", out});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const std::vector<std::uint8_t> written = readFileBytes(out);
    const std::size_t entry = 16 + (f.world.sprites.frames[1].pointer & 0x3FFF) + 5; // header, then 4 bytes
    EXPECT_EQ(written[entry], 0x81);
    EXPECT_EQ(written[entry + 1], 0x20);

    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"set-sprite", f.path, "1", "1", "--attribute", "3", "-o", out + "2"},
          {"set-sprite", f.path, "1", "0", "--dy", "64", "-o", out + "2"},
          {"delete-sprite", f.path, "1", "0", "-o", out + "2"},
          {"delete-sprite", f.path, "1", "2", "-o", out + "2"}}) {
        const CliResult result = runCli(refused);
        EXPECT_EQ(result.exitCode, 1) << refused[0];
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(readFileBytes(out + "2").empty());
    }
    // The command takes frame numbers in decimal; its refusals give them so.
    EXPECT_NE(runCli({"delete-sprite", f.path, "255", "5", "-o", out + "2"}).err.find("frame 255 ($FF) has 2 sprites"),
              std::string::npos);
    ASSERT_EQ(runCli({"delete-sprite", f.path, "1", "1", "-o", out}).exitCode, 0);
    EXPECT_EQ(readFileBytes(out)[entry - 5], 0x01);
}
