#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

using namespace quarry;
using namespace quarry::rom;
using quarry::test::SyntheticRom;
using quarry::test::TempDir;

TEST(RomImageOpen, ResultCodesForGoodAndBrokenFiles)
{
    TempDir dir;
    RomImage image;

    SyntheticRom good;
    good.header()[3] = 0x00; // only "NES" is tested, not the fourth magic byte
    good.body()[0x1234] = 0x5A;
    good.writeFile(dir.file("good.nes"));
    ASSERT_EQ(openRomImage(dir.file("good.nes"), image), OpenResult::Loaded);
    EXPECT_EQ(image.size(), layout::kMinimumBodySize);
    EXPECT_EQ(image.read(0x1234), 0x5A);
    EXPECT_EQ(image.header()[0], 'N');

    test::writeFileBytes(dir.file("sixteen.nes"), std::vector<std::uint8_t>(16, 'N'));
    EXPECT_EQ(openRomImage(dir.file("sixteen.nes"), image), OpenResult::ReadFailed);
    EXPECT_EQ(openRomImage(dir.file("missing.nes"), image), OpenResult::ReadFailed);
    EXPECT_EQ(openRomImage(dir.path(), image), OpenResult::NotRegularFile);

    SyntheticRom badMagic;
    badMagic.header()[1] = 'X';
    badMagic.writeFile(dir.file("magic.nes"));
    EXPECT_EQ(openRomImage(dir.file("magic.nes"), image), OpenResult::NotInes);

    SyntheticRom shortBody;
    shortBody.resizeBody(layout::kMinimumBodySize - 1);
    shortBody.writeFile(dir.file("short.nes"));
    EXPECT_EQ(openRomImage(dir.file("short.nes"), image), OpenResult::TooShort);

    // None of the failures replaced the image that was open.
    EXPECT_EQ(image.size(), layout::kMinimumBodySize);
    EXPECT_EQ(image.read(0x1234), 0x5A);
}

TEST(RomImageAccess, EveryAccessIsBoundsChecked)
{
    RomImage empty;
    EXPECT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty.read(0), 0);
    EXPECT_THROW(empty.read(1), RomError);
    EXPECT_THROW(empty.readWord(0), RomError);

    RomImage image = SyntheticRom().image();
    const std::size_t end = image.size();
    image.writeWord(end - 2, 0xBEEF);
    EXPECT_EQ(image.read(end - 2), 0xEF); // low byte first
    EXPECT_EQ(image.readWord(end - 2), 0xBEEF);
    EXPECT_THROW(image.readWord(end - 1), RomError);
    EXPECT_THROW(image.write(end, 1), RomError);
    EXPECT_THROW(image.bytes(end - 4, 5), RomError);
    EXPECT_THROW(image.bytes(SIZE_MAX, 2), RomError); // no wrap-around
    const std::uint8_t two[2] = {1, 2};
    EXPECT_THROW(image.writeBytes(end - 1, two), RomError);
    EXPECT_EQ(image.read(end - 1), 0xBE); // a refused write changes nothing
    try {
        image.read(end);
        FAIL();
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find("outside the image"), std::string::npos);
    }
}

TEST(RomImageAccess, ObserverSeesOldAndNewBytes)
{
    RomImage image = SyntheticRom().image();
    image.write(10, 7);
    std::vector<std::uint8_t> before, after;
    std::size_t where = 0;
    image.setWriteObserver([&](std::size_t index, std::span<const std::uint8_t> b, std::span<const std::uint8_t> a) {
        where = index;
        before.assign(b.begin(), b.end());
        after.assign(a.begin(), a.end());
    });
    image.writeWord(10, 0x0102);
    EXPECT_EQ(where, 10u);
    EXPECT_EQ(before, (std::vector<std::uint8_t>{7, 0}));
    EXPECT_EQ(after, (std::vector<std::uint8_t>{2, 1}));
}

TEST(RomImageSave, UnchangedImageIsWrittenBackByteIdentical)
{
    TempDir dir;
    SyntheticRom source;
    for (std::size_t i = 0; i < source.body().size(); i += 97)
        source.body()[i] = static_cast<std::uint8_t>(i * 31);
    source.header()[7] = 0x42; // header bytes beyond the magic are kept as read
    source.writeFile(dir.file("game.nes"));

    RomImage image;
    ASSERT_EQ(openRomImage(dir.file("game.nes"), image), OpenResult::Loaded);
    ASSERT_EQ(saveRomImage(dir.file("game.nes"), image), SaveResult::Written);
    EXPECT_EQ(test::readFileBytes(dir.file("game.nes")), source.fileBytes());
    // No temporary is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RomImageSave, KeepsTrailingBytesAndPermissions)
{
    TempDir dir;
    SyntheticRom source;
    source.writeFile(dir.file("game.nes"));
    RomImage image;
    ASSERT_EQ(openRomImage(dir.file("game.nes"), image), OpenResult::Loaded);

    // The file grew after it was opened: the extra bytes must survive a save.
    std::vector<std::uint8_t> grown = source.fileBytes();
    grown.insert(grown.end(), {0xAA, 0xBB, 0xCC});
    test::writeFileBytes(dir.file("game.nes"), grown);
    ::chmod(dir.file("game.nes").c_str(), 0640);

    image.write(5, 0x99);
    ASSERT_EQ(saveRomImage(dir.file("game.nes"), image), SaveResult::Written);
    std::vector<std::uint8_t> expected = grown;
    expected[16 + 5] = 0x99;
    EXPECT_EQ(test::readFileBytes(dir.file("game.nes")), expected);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("game.nes").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(RomImageSave, FailureAtAnyStepLeavesTheOriginalUntouched)
{
    TempDir dir;
    SyntheticRom source;
    source.writeFile(dir.file("game.nes"));
    RomImage image;
    ASSERT_EQ(openRomImage(dir.file("game.nes"), image), OpenResult::Loaded);
    image.write(0, 0xFF);

    for (SaveStep failing : {SaveStep::Write, SaveStep::Flush, SaveStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(failing));
        EXPECT_EQ(saveRomImage(dir.file("game.nes"), image, [&](SaveStep step) { return step == failing; }),
                  SaveResult::WriteFailed);
        EXPECT_EQ(test::readFileBytes(dir.file("game.nes")), source.fileBytes());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
    EXPECT_EQ(saveRomImage(dir.file("no-such-folder/game.nes"), image), SaveResult::WriteFailed);
    EXPECT_EQ(saveRomImage(dir.path(), image), SaveResult::NotRegularFile);
}

TEST(RomImageSave, WritingUnderANewNameLeavesNothingOfTheOldFile)
{
    TempDir dir;
    SyntheticRom source;
    std::vector<std::uint8_t> longer(source.fileBytes().size() + 100, 0xEE);
    test::writeFileBytes(dir.file("other.nes"), longer);
    ASSERT_EQ(saveRomImageAs(dir.file("other.nes"), source.image()), SaveResult::Written);
    EXPECT_EQ(test::readFileBytes(dir.file("other.nes")), source.fileBytes());
}
