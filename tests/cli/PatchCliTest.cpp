#include "RunCli.h"

#include <gtest/gtest.h>

using namespace quarry::test;

TEST(PatchCli, ExportedIpsAndBpsPatchesApplyBackExactlyOverALongerFile)
{
    TempDir dir;
    SyntheticRom rom;
    rom.fill(0x100, 0x40, 0x11);
    rom.writeFile(dir.file("original.nes"));
    rom.put(0x120, {1, 2, 3}).fill(0x30000, 0x3000, 0xEE);
    rom.writeFile(dir.file("edited.nes"));
    const auto original = readFileBytes(dir.file("original.nes"));
    for (const std::string kind : {"ips", "bps"}) {
        SCOPED_TRACE(kind);
        const std::string patch = dir.file("change." + kind), out = dir.file("out-" + kind + ".nes");
        const CliResult exported = runCli({"export-" + kind, dir.file("original.nes"), dir.file("edited.nes"), "-o", patch});
        ASSERT_EQ(exported.exitCode, 0) << exported.err;
        EXPECT_NE(exported.out.find("wrote " + patch), std::string::npos);
        EXPECT_LT(readFileBytes(patch).size(), 100u);

        writeFileBytes(out, std::vector<std::uint8_t>(0x50000, 0x99));
        const CliResult applied = runCli({"apply-" + kind, dir.file("original.nes"), patch, "-o", out});
        ASSERT_EQ(applied.exitCode, 0) << applied.err;
        EXPECT_EQ(readFileBytes(out), readFileBytes(dir.file("edited.nes")));
        EXPECT_EQ(readFileBytes(dir.file("original.nes")), original);
    }
}
