#include "core/patch/Ips.h"

#include "PatchTestData.h"
#include "core/RomError.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::patch;
using namespace quarry::test;

namespace {

struct Record {
    std::size_t offset;
    std::size_t length; // bytes written
    bool run;
};

// The records of a well-formed patch, as a reader sees them.
std::vector<Record> recordsOf(const Bytes& patch)
{
    std::vector<Record> records;
    std::size_t at = 5;
    for (;;) {
        const std::size_t offset = (patch.at(at) << 16) | (patch.at(at + 1) << 8) | patch.at(at + 2);
        if (offset == 0x454F46)
            return records;
        const std::size_t size = (patch.at(at + 3) << 8) | patch.at(at + 4);
        if (size == 0) {
            records.push_back({offset, std::size_t(patch.at(at + 5) << 8) | patch.at(at + 6), true});
            at += 8;
        } else {
            records.push_back({offset, size, false});
            at += 5 + size;
        }
    }
}

void expectRefused(const Bytes& file, const Bytes& patch, const std::string& reason)
{
    const Bytes before = file;
    try {
        (void)applyIps(file, patch);
        ADD_FAILURE() << "accepted a patch that should be refused for: " << reason;
    } catch (const RomError& error) {
        EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
    }
    EXPECT_EQ(file, before);
}

} // namespace

TEST(Ips, RoundTripsRandomEdits)
{
    std::mt19937 rng(9);
    for (int trial = 0; trial < 200; ++trial) {
        const Bytes original = randomBytes(1 + rng() % 3000, rng);
        const Bytes edited = randomlyEdited(original, rng);
        const Bytes patch = makeIps(original, edited);
        ASSERT_EQ(applyIps(original, patch), edited) << "trial " << trial;
        for (const Record& record : recordsOf(patch))
            EXPECT_GT(record.length, 0u);
    }
    // Identical files give an empty patch.
    const Bytes same = bytesOf("unchanged");
    EXPECT_EQ(makeIps(same, same), bytesOf("PATCHEOF"));
}

TEST(Ips, UsesRunsOnlyWhereTheyAreShorter)
{
    Bytes original(1000, 0);
    Bytes edited = original;
    std::fill_n(edited.begin() + 100, 300, 0xAB);
    // One run record: offset 100, size 0, count 300, value $AB.
    EXPECT_EQ(makeIps(original, edited), (Bytes{'P', 'A', 'T', 'C', 'H', 0, 0, 100, 0, 0, 1, 44, 0xAB, 'E', 'O', 'F'}));

    // A short run stays inside its record.
    edited = original;
    const Bytes mixed = {1, 2, 7, 7, 7, 3};
    std::copy(mixed.begin(), mixed.end(), edited.begin() + 10);
    std::vector<Record> records = recordsOf(makeIps(original, edited));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].run);
    EXPECT_EQ(records[0].length, 6u);

    // A long run between changed bytes splits them into record, run, record.
    edited = original;
    std::fill_n(edited.begin() + 500, 40, 9);
    edited[497] = edited[498] = edited[499] = 1;
    edited[540] = edited[541] = 2;
    const Bytes patch = makeIps(original, edited);
    records = recordsOf(patch);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_TRUE(records[1].run);
    EXPECT_EQ(records[1].offset, 500u);
    EXPECT_EQ(records[1].length, 40u);
    EXPECT_EQ(applyIps(original, patch), edited);

    // Unchanged gaps shorter than a record header (5 bytes) are rewritten,
    // not skipped; a gap of 5 starts a new record.
    edited = original;
    edited[200] = 5;
    edited[205] = 6;
    edited[300] = 7;
    edited[306] = 8;
    records = recordsOf(makeIps(original, edited));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].length, 6u);
}

TEST(Ips, NoRecordStartsAtTheOffsetThatReadsEof)
{
    constexpr std::size_t kEof = 0x454F46;
    const Bytes original(kEof + 70000, 0x20);
    for (const auto& edit : std::vector<std::pair<std::size_t, std::size_t>>{
             {kEof, 1},          // one byte there
             {kEof, 200},        // a run starting there
             {kEof - 65535, 65540}, // a split record whose second part would start there
             {kEof - 1, 1},      // right before it: no shift needed
         }) {
        Bytes edited = original;
        for (std::size_t i = 0; i < edit.second; ++i)
            edited[edit.first + i] = edit.second == 200 ? 0x77 : static_cast<std::uint8_t>(i * 7 + 1);
        const Bytes patch = makeIps(original, edited);
        for (const Record& record : recordsOf(patch))
            EXPECT_NE(record.offset, kEof) << "edit at " << edit.first;
        EXPECT_EQ(applyIps(original, patch), edited) << "edit at " << edit.first;
    }
}

TEST(Ips, SplitsRecordsAndRunsLongerThan65535Bytes)
{
    std::mt19937 rng(3);
    const Bytes original(400000, 0);
    Bytes edited = original;
    for (std::size_t i = 100; i < 150100; ++i)
        edited[i] = static_cast<std::uint8_t>(1 + rng() % 255);
    std::fill(edited.begin() + 200000, edited.begin() + 340000, 0x11);
    const Bytes patch = makeIps(original, edited);
    const std::vector<Record> records = recordsOf(patch);
    std::size_t runs = 0, written = 0;
    for (const Record& record : records) {
        EXPECT_LE(record.length, 65535u);
        runs += record.run;
        written += record.length;
    }
    EXPECT_EQ(runs, 3u);
    EXPECT_EQ(written, 150000u + 140000u);
    EXPECT_EQ(applyIps(original, patch), edited);
}

TEST(Ips, GrowthIsWrittenAndShrinkingCarriesTheTruncationSize)
{
    const Bytes original = {1, 2, 3, 4};
    const Bytes grown = {1, 2, 9, 4, 0, 0, 0, 5};
    const Bytes growth = makeIps(original, grown);
    // The whole growth, zeros too, so any file of the new size becomes `grown`.
    EXPECT_EQ(applyIps(Bytes{1, 2, 3, 4, 0xEE, 0xEE, 0xEE, 0xEE}, growth), grown);
    expectRefused(original, growth, "writes beyond the image");

    const Bytes shrunk = {1, 2, 8};
    const Bytes cut = makeIps(original, shrunk);
    EXPECT_EQ(Bytes(cut.end() - 6, cut.end()), (Bytes{'E', 'O', 'F', 0, 0, 3}));
    expectRefused(original, cut, "would cut the file to 3 bytes");
    // A truncation to the size the file already has changes nothing.
    EXPECT_EQ(applyIps(Bytes{1, 2, 3}, cut), shrunk);

    // Offsets have three bytes: a change beyond them cannot be expressed.
    Bytes huge(0x1000001, 0);
    Bytes hugeEdited = huge;
    hugeEdited.back() = 1;
    EXPECT_THROW((void)makeIps(huge, hugeEdited), RomError);
}

TEST(Ips, RefusesMalformedPatchesAndWritesPastTheEnd)
{
    const Bytes file(64, 0x55);
    const Bytes head = bytesOf("PATCH");
    const auto with = [&](Bytes tail) {
        Bytes patch = head;
        patch.insert(patch.end(), tail.begin(), tail.end());
        return patch;
    };
    expectRefused(file, {}, "not an IPS patch");
    expectRefused(file, {'P', 'A', 'T', 'C', 'X', 0, 0, 1, 0, 1, 0x42, 'E', 'O', 'F'}, "not an IPS patch");
    expectRefused(file, head, "without its \"EOF\" marker");
    expectRefused(file, with({0, 0, 1, 0, 1, 0x42}), "without its \"EOF\" marker");
    expectRefused(file, with({0, 0, 1, 0}), "truncated");
    expectRefused(file, with({0, 0, 1, 0, 10, 1, 2, 3}), "truncated");
    expectRefused(file, with({0, 0, 1, 0, 0, 0, 4}), "truncated");
    expectRefused(file, with({0, 0, 1, 0, 0, 0, 0, 9, 'E', 'O', 'F'}), "run of zero bytes");
    expectRefused(file, with({'E', 'O', 'F', 1, 2}), "2 unexpected bytes follow");
    expectRefused(file, with({0, 0, 62, 0, 3, 1, 2, 3, 'E', 'O', 'F'}), "writes beyond the image");
    expectRefused(file, with({0, 0, 60, 0, 0, 0, 5, 9, 'E', 'O', 'F'}), "writes beyond the image");
    expectRefused(file, with({0xFF, 0xFF, 0xFF, 0, 1, 1, 'E', 'O', 'F'}), "writes beyond the image");
    // A good record before a bad one: nothing of the patch is applied.
    expectRefused(file, with({0, 0, 0, 0, 1, 9, 0, 0, 64, 0, 1, 1, 'E', 'O', 'F'}), "0x000040");

    // Records that end exactly at the end of the file are fine.
    Bytes expected = file;
    expected[60] = expected[61] = 1;
    expected[62] = expected[63] = 2;
    EXPECT_EQ(applyIps(file, with({0, 0, 60, 0, 2, 1, 1, 0, 0, 62, 0, 0, 0, 2, 2, 'E', 'O', 'F'})), expected);
}
