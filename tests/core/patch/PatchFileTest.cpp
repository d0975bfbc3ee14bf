#include "core/patch/PatchFile.h"

#include "PatchTestData.h"
#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::patch;
using namespace quarry::test;

namespace {

std::string refusal(const rom::RomImage& image, const Bytes& patch)
{
    try {
        (void)applyPatchToImage(image, patch);
    } catch (const RomError& error) {
        return error.what();
    }
    return "(accepted)";
}

} // namespace

TEST(PatchFile, TellsTheFormatsApart)
{
    EXPECT_EQ(detectPatch(bytesOf("PATCHEOF")), PatchKind::Ips);
    EXPECT_EQ(detectPatch(bytesOf("BPS1....")), PatchKind::Bps);
    EXPECT_EQ(detectPatch(bytesOf("PATC")), PatchKind::Unknown);
    EXPECT_EQ(detectPatch(bytesOf("NES\x1A")), PatchKind::Unknown);
    EXPECT_EQ(detectPatch(Bytes{}), PatchKind::Unknown);
}

TEST(PatchFile, AppliesBothFormatsToTheBodyAndRefusesHeaderChanges)
{
    SyntheticRom original;
    SyntheticRom edited;
    edited.put(0x1F7AB, {1, 2, 3}).fill(0x20000, 0x800, 0x5A);
    const Bytes from = imageFileBytes(original.image());
    const Bytes to = imageFileBytes(edited.image());
    EXPECT_EQ(from, original.fileBytes());
    edited.header()[6] = 0x42;
    const Bytes toHeader = imageFileBytes(edited.image());

    for (bool bps : {false, true}) {
        const rom::RomImage patched = applyPatchToImage(original.image(), bps ? makeBps(from, to) : makeIps(from, to));
        EXPECT_EQ(patched.body(), edited.body());
        EXPECT_EQ(patched.header(), original.image().header());
        // The command line and the editor share this one rule.
        EXPECT_NE(refusal(original.image(), bps ? makeBps(from, toHeader) : makeIps(from, toHeader)).find("16-byte header"),
                  std::string::npos);
    }
}

TEST(PatchFile, RefusesResultsTheEditorCannotUse)
{
    SyntheticRom rom;
    const rom::RomImage image = rom.image();
    const Bytes file = imageFileBytes(image);

    Bytes longer = file;
    longer.push_back(0);
    EXPECT_NE(refusal(image, makeBps(file, longer)).find("never resized"), std::string::npos);
    Bytes shorter(file.begin(), file.end() - 1);
    EXPECT_NE(refusal(image, makeBps(file, shorter)).find("never resized"), std::string::npos);
    EXPECT_NE(refusal(image, makeIps(file, longer)).find("beyond the image"), std::string::npos);

    Bytes noMagic = file;
    noMagic[1] = 'X';
    EXPECT_NE(refusal(image, makeIps(file, noMagic)).find("\"NES\" magic"), std::string::npos);

    EXPECT_NE(refusal(image, bytesOf("UPS1whatever")).find("neither an IPS nor a BPS patch"), std::string::npos);

    SyntheticRom other;
    other.put(5, {1});
    const Bytes otherFile = imageFileBytes(other.image());
    EXPECT_NE(refusal(image, makeBps(otherFile, file)).find("made for another image"), std::string::npos);
}
