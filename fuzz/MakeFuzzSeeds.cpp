// Writes the fuzzers' seed corpora from our own synthetic builder, and packs
// or unpacks whole-image inputs as differences from the synthetic image.
// Usage: quarry-fuzz-seeds CORPUS_DIR
//        quarry-fuzz-seeds --pack|--unpack BASE FROM_DIR TO_DIR
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "FuzzTargets.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <cstdio>
#include <filesystem>
#include <string>

using quarry::test::writeFileBytes;

namespace {

void writeText(const std::filesystem::path& path, const std::string& text)
{
    writeFileBytes(path.string(), std::vector<std::uint8_t>(text.begin(), text.end()));
}

// A corpus of whole images would be megabytes: an input of the base image's
// size is kept as the IPS patch that makes it from the base (NAME.diff.ips),
// and unpacked again before fuzzing. Other inputs are copied as they are.
int packOrUnpack(bool pack, const std::string& basePath, const std::filesystem::path& from,
                 const std::filesystem::path& to)
{
    const std::vector<std::uint8_t> base = quarry::test::readFileBytes(basePath);
    const std::string suffix = quarry::fuzz::kPackedSuffix;
    std::filesystem::create_directories(to);
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        const std::vector<std::uint8_t> bytes = quarry::test::readFileBytes(entry.path().string());
        const bool packed = name.size() > suffix.size() && name.ends_with(suffix);
        if (pack && !base.empty() && bytes.size() == base.size())
            writeFileBytes((to / (name + suffix)).string(), quarry::patch::makeIps(base, bytes));
        else if (!pack && packed)
            writeFileBytes((to / name.substr(0, name.size() - suffix.size())).string(),
                           quarry::patch::applyIps(base, bytes));
        else
            writeFileBytes((to / name).string(), bytes);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (argc == 5 && (mode == "--pack" || mode == "--unpack"))
        return packOrUnpack(mode == "--pack", argv[2], argv[3], argv[4]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarry-fuzz-seeds CORPUS_DIR\n"
                             "       quarry-fuzz-seeds --pack|--unpack BASE FROM_DIR TO_DIR\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* name : {"open_image", "patched_image", "side_data", "text_commit", "ips_reader"})
        std::filesystem::create_directories(root / name);

    quarry::test::SyntheticWorld world;
    world.writeFile((root / "open_image" / "synthetic-world.nes").string());
    writeText(root / "open_image" / "header-only.nes", std::string("NES\x1A", 4) + std::string(13, '\0'));

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
