// Writes the fuzzers' seed corpora from our own synthetic builder.
// Usage: quarry-fuzz-seeds CORPUS_DIR
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "FuzzTargets.h"
#include "support/SyntheticRom.h"

#include <cstdio>
#include <filesystem>
#include <string>

using quarry::test::writeFileBytes;

namespace {

void writeText(const std::filesystem::path& path, const std::string& text)
{
    writeFileBytes(path.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarry-fuzz-seeds CORPUS_DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* name : {"open_image", "patched_image", "side_data", "text_commit", "ips_reader"})
        std::filesystem::create_directories(root / name);

    // Sizing bytes (amount, how), eight choosing bytes, then (place, byte) records.
    writeFileBytes((root / "open_image" / "as-built").string(), std::vector<std::uint8_t>(11, 0));
    writeFileBytes((root / "open_image" / "cut-short").string(), {1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    writeFileBytes((root / "open_image" / "grown").string(), {0, 1, 2, 5, 0, 9, 1, 7, 0, 0, 0});
    writeFileBytes((root / "open_image" / "header-only").string(), {17, 0, 3});
    writeFileBytes((root / "open_image" / "not-ines").string(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'X'});

    // Patch records: place, distance past it, two bytes.
    writeFileBytes((root / "patched_image" / "low-pointers").string(), {0, 0, 0x00, 0x10, 7, 2, 0x34, 0x12});
    writeFileBytes((root / "patched_image" / "terminators").string(), {12, 0, 0xFF, 0xFF, 40, 1, 0xFE, 0xFD, 90, 9, 0xFB, 0x00});
    writeFileBytes((root / "patched_image" / "big-map").string(), {30, 0, 0xFF, 0xFF, 31, 0, 0x80, 0x80});

    writeText(root / "side_data" / "defaults",
              std::string("00= \n01=A\n1F!\nzz\n") + '\0' + "None\nRib\n" + '\0' + "None\nDagger\n" + '\0'
                  + "Lamp\n3\nT\nF\nT\nF\nT\nF\n" + '\0' + "Short\n2\n" + '\0' + "Wide\n99999\r\nT\r\n");

    writeText(root / "text_commit" / "escapes", "HELLO/WORLD\n{7A}{fe}\n{G1}{1}{\n\n" + std::string(40, 'Z'));

    // Patches for the fuzzers' small fixed file: literal records, a run, and
    // one record reaching past its end.
    const std::vector<std::uint8_t>& file = quarry::fuzz::patchTargetFile();
    std::vector<std::uint8_t> edited = file;
    edited[3] = 0xAA;
    std::fill(edited.begin() + 40, edited.begin() + 120, 0x5C);
    edited[300] ^= 0xFF;
    writeFileBytes((root / "ips_reader" / "records-and-run.ips").string(), quarry::patch::makeIps(file, edited));
    writeFileBytes((root / "ips_reader" / "edits.bps").string(), quarry::patch::makeBps(file, edited));
    writeFileBytes((root / "ips_reader" / "past-end.ips").string(),
                   {'P', 'A', 'T', 'C', 'H', 0x00, 0x01, 0xFE, 0x00, 0x04, 1, 2, 3, 4, 'E', 'O', 'F'});
    return 0;
}
