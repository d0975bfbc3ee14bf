#include "core/patch/Bps.h"
#include "core/patch/Crc32.h"

#include "PatchTestData.h"
#include "core/RomError.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::patch;
using namespace quarry::test;

namespace {

// Builds patches by hand, with correct checksums, to reach the checks that
// come after them.
class HandPatch {
public:
    HandPatch(const Bytes& source, std::uint64_t targetSize) : source_(source)
    {
        bytes_ = bytesOf("BPS1");
        number(source.size());
        number(targetSize);
        number(0);
    }
    HandPatch& number(std::uint64_t value)
    {
        for (;;) {
            const std::uint8_t low = value & 0x7F;
            value >>= 7;
            if (value == 0) {
                bytes_.push_back(0x80 | low);
                return *this;
            }
            bytes_.push_back(low);
            --value;
        }
    }
    HandPatch& action(int kind, std::uint64_t length) { return number(((length - 1) << 2) | kind); }
    HandPatch& offset(long long delta) { return number(delta < 0 ? (std::uint64_t(-delta) << 1) | 1 : std::uint64_t(delta) << 1); }
    HandPatch& data(const Bytes& data)
    {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    Bytes finish(const Bytes& target)
    {
        Bytes out = bytes_;
        for (std::uint32_t crc : {crc32(source_), crc32(target)})
            for (int shift = 0; shift < 32; shift += 8)
                out.push_back(static_cast<std::uint8_t>(crc >> shift));
        const std::uint32_t own = crc32(out);
        for (int shift = 0; shift < 32; shift += 8)
            out.push_back(static_cast<std::uint8_t>(own >> shift));
        return out;
    }

private:
    Bytes source_;
    Bytes bytes_;
};

enum { SourceRead, TargetRead, SourceCopy, TargetCopy };

std::string refusal(const Bytes& source, const Bytes& patch)
{
    try {
        (void)applyBps(source, patch);
    } catch (const RomError& error) {
        return error.what();
    }
    return "(accepted)";
}

} // namespace

TEST(Bps, Crc32MatchesTheCommonCheckValue)
{
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32(Bytes{}), 0u);
}

TEST(Bps, RoundTripsRandomEditsAndSizeChanges)
{
    std::mt19937 rng(11);
    for (int trial = 0; trial < 200; ++trial) {
        const Bytes source = randomBytes(1 + rng() % 3000, rng);
        Bytes target = randomlyEdited(source, rng);
        if (trial % 4 == 1)
            target.resize(target.size() + rng() % 300, static_cast<std::uint8_t>(rng()));
        if (trial % 4 == 2)
            target.resize(rng() % target.size());
        ASSERT_EQ(applyBps(source, makeBps(source, target)), target) << "trial " << trial;
    }
    EXPECT_EQ(applyBps(Bytes{}, makeBps(Bytes{}, Bytes{})), Bytes{});

    // A long run of one changed value costs a few bytes, not its length.
    const Bytes zeros(5000, 0);
    Bytes erased = zeros;
    std::fill(erased.begin() + 10, erased.begin() + 4000, 0xFF);
    const Bytes patch = makeBps(zeros, erased);
    EXPECT_LT(patch.size(), 40u);
    EXPECT_EQ(applyBps(zeros, patch), erased);
}

TEST(Bps, DecodesEveryKindOfAction)
{
    const Bytes source = bytesOf("ABCDEFGH");
    const Bytes target = bytesOf("ABEFGHxyxyxyxBCDA");
    const Bytes patch = HandPatch(source, target.size())
                            .action(SourceRead, 2)
                            .action(SourceCopy, 4).offset(4)   // EFGH
                            .action(TargetRead, 2).data(bytesOf("xy"))
                            .action(TargetCopy, 5).offset(6)   // xyxyx, overlapping itself
                            .action(SourceCopy, 3).offset(-7)  // back from 8 to BCD
                            .action(SourceCopy, 1).offset(-4)  // back to A
                            .finish(target);
    EXPECT_EQ(applyBps(source, patch), target);
}

TEST(Bps, RefusesAPatchForAnotherImage)
{
    const Bytes source = bytesOf("the image the patch was made for");
    const Bytes target = bytesOf("the image the patch turns it into");
    const Bytes patch = makeBps(source, target);

    Bytes other = source;
    other[3] ^= 1;
    const std::string wrongCrc = refusal(other, patch);
    EXPECT_NE(wrongCrc.find("made for another image"), std::string::npos) << wrongCrc;
    EXPECT_NE(wrongCrc.find("CRC32"), std::string::npos) << wrongCrc;

    const std::string wrongSize = refusal(bytesOf("short"), patch);
    EXPECT_NE(wrongSize.find("made for another image"), std::string::npos) << wrongSize;
    EXPECT_NE(wrongSize.find("32 bytes"), std::string::npos) << wrongSize;
}

TEST(Bps, RefusesCorruptAndTruncatedPatches)
{
    std::mt19937 rng(5);
    const Bytes source = randomBytes(300, rng);
    const Bytes target = randomlyEdited(source, rng);
    const Bytes patch = makeBps(source, target);
    // Any one changed byte is caught: by the magic, or by the patch's checksum.
    for (std::size_t i = 0; i < patch.size(); ++i) {
        Bytes corrupt = patch;
        corrupt[i] ^= 0x10;
        const std::string message = refusal(source, corrupt);
        EXPECT_TRUE(message.find("corrupt") != std::string::npos || (i < 4 && message.find("not a BPS patch") != std::string::npos))
            << "byte " << i << ": " << message;
    }
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{4}, std::size_t{18}, patch.size() / 2, patch.size() - 1}) {
        const std::string message = refusal(source, Bytes(patch.begin(), patch.begin() + static_cast<std::ptrdiff_t>(size)));
        EXPECT_NE(message, "(accepted)") << size;
        EXPECT_TRUE(message.find("truncated") != std::string::npos || message.find("not a BPS patch") != std::string::npos)
            << size << ": " << message;
    }
}

TEST(Bps, RefusesActionsOutsideSourceTargetOrPatch)
{
    const Bytes source = bytesOf("ABCDEFGH");
    const Bytes four = bytesOf("ABCD");
    const auto expectMalformed = [&](const Bytes& patch, const std::string& reason) {
        const std::string message = refusal(source, patch);
        EXPECT_NE(message.find("malformed"), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    };
    expectMalformed(HandPatch(source, 4).action(SourceRead, 5).finish(four), "writes past the end of the result");
    expectMalformed(HandPatch(source, 12).action(SourceRead, 10).finish(four), "reads past the end of the source");
    expectMalformed(HandPatch(source, 4).action(SourceCopy, 2).offset(-1).finish(four), "before the beginning");
    expectMalformed(HandPatch(source, 4).action(SourceCopy, 2).offset(7).finish(four), "copies past the end of the source");
    expectMalformed(HandPatch(source, 4).action(SourceCopy, 2).offset(9).finish(four), "past the end of its data");
    expectMalformed(HandPatch(source, 4).action(TargetCopy, 2).offset(0).finish(four), "not yet written");
    expectMalformed(HandPatch(source, 4).action(SourceRead, 1).action(TargetCopy, 2).offset(2).finish(four), "past the end of its data");
    expectMalformed(HandPatch(source, 4).action(TargetRead, 4).data(bytesOf("AB")).finish(four), "runs past the end of the patch");
    expectMalformed(HandPatch(source, 4).action(SourceRead, 2).finish(four), "end after 2 of 4");
    expectMalformed(HandPatch(source, 4).data({0x00, 0x00}).finish(four), "ends inside a number");
    expectMalformed(HandPatch(source, 4).data(Bytes(12, 0x00)).finish(four), "too large");
    expectMalformed(HandPatch(source, std::uint64_t{1} << 40).finish(four), "describes a result of");

    // Well-formed, but the result is not what the patch promises.
    const std::string message = refusal(source, HandPatch(source, 4).action(SourceRead, 4).finish(bytesOf("ABCE")));
    EXPECT_NE(message.find("did not produce the file it describes"), std::string::npos) << message;
}
