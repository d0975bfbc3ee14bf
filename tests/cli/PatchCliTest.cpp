#include "RunCli.h"

#include "core/patch/Bps.h"
#include "core/patch/Ips.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quarry;
using namespace quarry::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// An original image and an edited copy: body bytes and a long run.
struct PatchFiles {
    TempDir dir;
    std::string original = dir.file("original.nes");
    std::string edited = dir.file("edited.nes");
    Bytes originalBytes;
    Bytes editedBytes;

    PatchFiles()
    {
        SyntheticRom rom;
        rom.fill(0x100, 0x40, 0x11);
        rom.writeFile(original);
        rom.put(0x120, {1, 2, 3}).fill(0x30000, 0x3000, 0xEE);
        rom.writeFile(edited);
        originalBytes = readFileBytes(original);
        editedBytes = readFileBytes(edited);
    }

    std::string file(const std::string& name) const { return dir.file(name); }
};

void expectRefused(const CliResult& result, const std::string& reason, const std::string& output)
{
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err.rfind("quarry-cli: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(output)) << output;
}

} // namespace

TEST(PatchCli, IpsAndBpsRoundTrips)
{
    PatchFiles files;
    for (const std::string kind : {"ips", "bps"}) {
        SCOPED_TRACE(kind);
        const std::string patchPath = files.file("change." + kind);
        const CliResult exported = runCli({"export-" + kind, files.original, files.edited, "-o", patchPath});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find("wrote " + patchPath), std::string::npos);
        const Bytes patch = readFileBytes(patchPath);
        EXPECT_LT(patch.size(), 100u);

        // The output replaces a longer file that was there, exactly.
        const std::string out = files.file("out-" + kind + ".nes");
        writeFileBytes(out, Bytes(0x50000, 0x99));
        const CliResult applied = runCli({"apply-" + kind, files.original, patchPath, "-o", out});
        ASSERT_EQ(applied.exitCode, 0) << applied.err;
        EXPECT_EQ(readFileBytes(out), files.editedBytes);
        EXPECT_EQ(readFileBytes(files.original), files.originalBytes);
    }
}

TEST(PatchCli, RefusesBadPatchesAndWritesNothing)
{
    PatchFiles files;
    const std::string out = files.file("out.nes");
    const auto patchFile = [&](const std::string& name, const Bytes& bytes) {
        writeFileBytes(files.file(name), bytes);
        return files.file(name);
    };

    const std::string noEof = patchFile("no-eof.ips", {'P', 'A', 'T', 'C', 'H', 0, 0, 0x20, 0, 1, 5});
    expectRefused(runCli({"apply-ips", files.original, noEof, "-o", out}), "\"EOF\"", out);

    const std::size_t end = files.originalBytes.size();
    const std::string pastEnd = patchFile("past-end.ips", {'P', 'A', 'T', 'C', 'H', std::uint8_t(end >> 16),
                                                           std::uint8_t(end >> 8), std::uint8_t(end - 1), 0, 2, 1, 2,
                                                           'E', 'O', 'F'});
    expectRefused(runCli({"apply-ips", files.original, pastEnd, "-o", out}), "writes beyond the image", out);

    Bytes broken = files.originalBytes;
    broken[0] = 'X';
    const std::string unusable = patchFile("unusable.ips", patch::makeIps(files.originalBytes, broken));
    expectRefused(runCli({"apply-ips", files.original, unusable, "-o", out}), "\"NES\" magic", out);

    const std::string bps = files.file("change.bps");
    ASSERT_EQ(runCli({"export-bps", files.original, files.edited, "-o", bps}).exitCode, 0);
    expectRefused(runCli({"apply-ips", files.original, bps, "-o", out}), "apply it with apply-bps", out);
    expectRefused(runCli({"apply-bps", files.original, noEof, "-o", out}), "not a BPS patch", out);
    expectRefused(runCli({"apply-bps", files.edited, bps, "-o", out}), "made for another image", out);

    Bytes corrupt = readFileBytes(bps);
    corrupt[corrupt.size() / 2] ^= 0x01;
    const std::string corruptPath = patchFile("corrupt.bps", corrupt);
    expectRefused(runCli({"apply-bps", files.original, corruptPath, "-o", out}), "corrupt", out);

    Bytes grown = files.originalBytes;
    grown.push_back(0);
    const std::string resizing = patchFile("resizing.bps", patch::makeBps(files.originalBytes, grown));
    expectRefused(runCli({"apply-bps", files.original, resizing, "-o", out}), "never resized", out);

    // A refused patch leaves an existing output as it was.
    writeFileBytes(out, {'o', 'l', 'd'});
    EXPECT_EQ(runCli({"apply-bps", files.original, corruptPath, "-o", out}).exitCode, 1);
    EXPECT_EQ(readFileBytes(out), (Bytes{'o', 'l', 'd'}));
}

TEST(PatchCli, RefusesInputsThatAreNoImagesOrDifferInSize)
{
    PatchFiles files;
    const std::string out = files.file("out.ips");
    writeFileBytes(files.file("longer.nes"), [&] {
        Bytes longer = files.editedBytes;
        longer.resize(longer.size() + 0x4000);
        return longer;
    }());
    expectRefused(runCli({"export-ips", files.original, files.file("longer.nes"), "-o", out}), "different sizes", out);
    expectRefused(runCli({"export-bps", files.original, files.file("longer.nes"), "-o", out}), "different sizes", out);
    writeFileBytes(files.file("text.nes"), Bytes(100, 'a'));
    expectRefused(runCli({"export-ips", files.file("text.nes"), files.edited, "-o", out}), "not an iNES image", out);
    expectRefused(runCli({"apply-ips", files.original, files.file("missing.ips"), "-o", files.file("x.nes")}),
                  "cannot read", files.file("x.nes"));

    EXPECT_EQ(runCli({"export-ips", files.original, files.edited, "-o", files.edited}).exitCode, 2);
    EXPECT_EQ(runCli({"apply-ips", files.original, files.file("p.ips"), "-o", files.original}).exitCode, 2);
    EXPECT_EQ(runCli({"apply-bps", files.original}).exitCode, 2);
    EXPECT_EQ(readFileBytes(files.edited), files.editedBytes);
    EXPECT_EQ(readFileBytes(files.original), files.originalBytes);
}
