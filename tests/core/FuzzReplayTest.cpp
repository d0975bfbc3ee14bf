// Replays the fuzzers' seed corpora and every input that once broke a
// target, so a fixed fault stays fixed without running a fuzzer.
#include "FuzzTargets.h"
#include "SubmapTargets.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace {

const std::map<std::string, std::function<void(const std::uint8_t*, std::size_t)>> kTargets = {
    {"open_image", quarry::fuzz::openAndExercise},
    {"patched_image", quarry::fuzz::patchAndExercise},
    {"side_data", quarry::fuzz::parseSideData},
    {"text_commit", quarry::fuzz::encodeAndCommitTexts},
    {"ips_reader", quarry::fuzz::readIps},
    {"one_submap", quarry::fuzz::loadOneSubmap},
    {"write_ops", quarry::fuzz::writeAndCheck},
};

int replayFolder(const std::filesystem::path& folder, const std::function<void(const std::uint8_t*, std::size_t)>& run)
{
    int count = 0;
    if (!std::filesystem::is_directory(folder))
        return 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> input = quarry::test::readFileBytes(entry.path().string());
        EXPECT_NO_THROW(run(input.data(), input.size()));
        ++count;
    }
    return count;
}

} // namespace

TEST(FuzzReplay, SeedsAndRegressionsEndInAResultOrACleanError)
{
    const std::filesystem::path fuzz = std::filesystem::path(QUARRY_SOURCE_DIR) / "fuzz";
    // fuzz/run keeps its findings there: a renamed folder must not go unread.
    ASSERT_TRUE(std::filesystem::is_directory(fuzz / "regressions"));
    for (const auto& [name, run] : kTargets) {
        SCOPED_TRACE(name);
        EXPECT_GT(replayFolder(fuzz / "corpus" / name, run), 0) << "every target has seeds";
        replayFolder(fuzz / "regressions" / name, run);
    }
}

TEST(FuzzReplay, ImagesOfOneRepeatedByteEndInAResultOrACleanError)
{
    for (std::uint8_t fill : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        std::vector<std::uint8_t> image(0x40010, fill);
        image[0] = 'N';
        image[1] = 'E';
        image[2] = 'S';
        EXPECT_NO_THROW(quarry::fuzz::openFileAndExercise(image)) << int(fill);
        EXPECT_NO_THROW(quarry::fuzz::patchAndExercise(image.data(), 400)) << int(fill);
    }
}
