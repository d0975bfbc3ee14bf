#include "RunCli.h"

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

TEST(PatchCli, RefusalsWriteNothing)
{
    // The readers' own refusals are the core's to check; here, that one
    // reaches the user, and what the tool adds itself.
    PatchFiles files;
    const std::string out = files.file("out.nes");
    const std::string bps = files.file("change.bps");
    ASSERT_EQ(runCli({"export-bps", files.original, files.edited, "-o", bps}).exitCode, 0);
    expectRefused(runCli({"apply-ips", files.original, bps, "-o", out}), "apply it with apply-bps", out);
    expectRefused(runCli({"apply-bps", files.edited, bps, "-o", out}), "made for another image", out);

    Bytes longer = files.editedBytes;
    longer.resize(longer.size() + 0x4000);
    writeFileBytes(files.file("longer.nes"), longer);
    expectRefused(runCli({"export-ips", files.original, files.file("longer.nes"), "-o", files.file("p.ips")}),
                  "different sizes", files.file("p.ips"));

    // A refused patch leaves an existing output as it was.
    writeFileBytes(out, {'o', 'l', 'd'});
    EXPECT_EQ(runCli({"apply-bps", files.edited, bps, "-o", out}).exitCode, 1);
    EXPECT_EQ(readFileBytes(out), (Bytes{'o', 'l', 'd'}));

    // Writing over an input is a usage error.
    EXPECT_EQ(runCli({"apply-ips", files.original, files.file("p.ips"), "-o", files.original}).exitCode, 2);
    EXPECT_EQ(readFileBytes(files.original), files.originalBytes);
}
