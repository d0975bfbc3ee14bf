// Replays the fuzzers' seed corpora and every input that once broke a
// target, so a fixed fault stays fixed without running a fuzzer.
#include "FuzzTargets.h"
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

TEST(FuzzReplay, HostileInputsOfEachShape)
{
    // A few fixed shapes the fuzzers start from, so the targets themselves stay honest.
    const std::vector<std::uint8_t> empty;
    std::vector<std::uint8_t> allFF(0x40010, 0xFF);
    allFF[0] = 'N';
    allFF[1] = 'E';
    allFF[2] = 'S';
    std::vector<std::uint8_t> allZero(0x40010, 0x00);
    allZero[0] = 'N';
    allZero[1] = 'E';
    allZero[2] = 'S';
    for (const auto& input : {empty, allFF, allZero}) {
        EXPECT_NO_THROW(quarry::fuzz::openAndExercise(input.data(), input.size()));
    }
    const std::vector<std::uint8_t> patches(400, 0xFF);
    EXPECT_NO_THROW(quarry::fuzz::patchAndExercise(patches.data(), patches.size()));
    const std::string text = "{FF}{fe}{\n/\n\xC3\xA9\xFF\xFE{00}" + std::string(300, 'A');
    EXPECT_NO_THROW(quarry::fuzz::encodeAndCommitTexts(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    EXPECT_NO_THROW(quarry::fuzz::parseSideData(patches.data(), patches.size()));
    const std::string ips = "PATCH\xFF\xFF\xFF\x00\x00\xFF\xFF\x01" "EOF";
    const std::string bps = "BPS1\x80\x80\x80" + std::string(20, '\x7F');
    for (const std::string& patch : {ips, bps, std::string("PATCH"), std::string(19, '\0')})
        EXPECT_NO_THROW(quarry::fuzz::readIps(reinterpret_cast<const std::uint8_t*>(patch.data()), patch.size()));
}
