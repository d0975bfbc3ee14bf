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
