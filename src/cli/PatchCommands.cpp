// Commands that carry edits between images as IPS or BPS patches: make one
// from an original and an edited image, or apply one to an image.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"

#include <algorithm>

namespace quarry::cli {

namespace {

using Bytes = std::vector<std::uint8_t>;

// The output gets exactly these bytes, also when it replaces a longer file.
void writeWholeFile(const QString& path, const Bytes& bytes)
{
    writeOutputFile(path, bytes);
    printLine(QStringLiteral("wrote %1").arg(path));
}

int runExport(const Arguments& arguments, patch::PatchKind kind)
{
    const QString output = arguments.output();
    const QString& originalPath = arguments.positional[0];
    const QString& editedPath = arguments.positional[1];
    checkOutputIsNotInput(originalPath, output);
    checkOutputIsNotInput(editedPath, output);
    const Bytes original = patch::imageFileBytes(openImage(originalPath));
    const Bytes edited = patch::imageFileBytes(openImage(editedPath));
    // Such a patch would change the size of the image it is applied to,
    // which apply-ips, apply-bps and the editor refuse.
    if (original.size() != edited.size())
        throw RomError(QStringLiteral("%1 holds %2 bytes and %3 holds %4; a patch between images of different sizes "
                                      "would resize the image, so nothing was written")
                           .arg(originalPath)
                           .arg(original.size())
                           .arg(editedPath)
                           .arg(edited.size())
                           .toStdString());
    // Applying such a patch is refused for the same reason, so it is not made.
    if (!std::equal(original.begin(), original.begin() + 16, edited.begin()))
        throw RomError(QStringLiteral("the 16-byte headers of %1 and %2 differ; a patch that changes the header "
                                      "cannot be applied, so nothing was written")
                           .arg(originalPath, editedPath)
                           .toStdString());
    writeWholeFile(output, kind == patch::PatchKind::Ips ? patch::makeIps(original, edited)
                                                         : patch::makeBps(original, edited));
    return 0;
}

int runApply(const Arguments& arguments, patch::PatchKind kind)
{
    const QString output = arguments.output();
    const QString& romPath = arguments.positional[0];
    const QString& patchPath = arguments.positional[1];
    checkOutputIsNotInput(romPath, output);
    checkOutputIsNotInput(patchPath, output);
    const rom::RomImage image = openImage(romPath);
    const Bytes patchBytes = readInputFile(patchPath, patch::kLargestPatchFile);
    const patch::PatchKind found = patch::detectPatch(patchBytes);
    const bool ips = kind == patch::PatchKind::Ips;
    if (found != kind) {
        QString message = QStringLiteral("%1 is not %2 patch (it does not start with \"%3\")")
                              .arg(patchPath, ips ? "an IPS" : "a BPS", ips ? "PATCH" : "BPS1");
        if (found != patch::PatchKind::Unknown)
            message += QStringLiteral("; it is %1 patch, apply it with %2")
                           .arg(ips ? "a BPS" : "an IPS", ips ? "apply-bps" : "apply-ips");
        throw RomError(message.toStdString());
    }
    try {
        writeWholeFile(output, patch::imageFileBytes(patch::applyPatchToImage(image, patchBytes)));
    } catch (const RomError& error) {
        throw RomError(patchPath.toStdString() + ": " + error.what());
    }
    return 0;
}

} // namespace

void addPatchCommands(std::vector<Command>& table)
{
    const std::set<QString> output = {QStringLiteral("-o")};
    table.push_back({QStringLiteral("export-ips"), QStringLiteral("export-ips ORIGINAL EDITED -o PATCH.ips"),
                     QStringLiteral("writes an IPS patch that turns ORIGINAL into EDITED"),
                     QStringLiteral("Both must be images of the same size. Offsets in the patch count the\n"
                                    "16 header bytes; runs of one value are stored as run records."),
                     output, {}, 2, [](const Arguments& a) { return runExport(a, patch::PatchKind::Ips); }});
    table.push_back({QStringLiteral("apply-ips"), QStringLiteral("apply-ips ROM PATCH -o OUT"),
                     QStringLiteral("applies an IPS patch to ROM and writes the result to OUT"),
                     QStringLiteral("Refused, writing nothing, when the patch is malformed (no \"PATCH\", a\n"
                                    "record cut short, no \"EOF\"), writes beyond the image, would change its\n"
                                    "size, or leaves no usable image."),
                     output, {}, 2, [](const Arguments& a) { return runApply(a, patch::PatchKind::Ips); }});
    table.push_back({QStringLiteral("export-bps"), QStringLiteral("export-bps ORIGINAL EDITED -o PATCH.bps"),
                     QStringLiteral("writes a BPS patch that turns ORIGINAL into EDITED"),
                     QStringLiteral("Both must be images of the same size. The patch carries the CRC32 of\n"
                                    "ORIGINAL, of EDITED and of itself."),
                     output, {}, 2, [](const Arguments& a) { return runExport(a, patch::PatchKind::Bps); }});
    table.push_back({QStringLiteral("apply-bps"), QStringLiteral("apply-bps ROM PATCH -o OUT"),
                     QStringLiteral("applies a BPS patch to ROM and writes the result to OUT"),
                     QStringLiteral("Refused, writing nothing, when the patch was made for another image\n"
                                    "(its source size or CRC32 differ), is corrupt (its own CRC32 does not\n"
                                    "match), is malformed, would change the image's size, or leaves no\n"
                                    "usable image."),
                     output, {}, 2, [](const Arguments& a) { return runApply(a, patch::PatchKind::Bps); }});
}

} // namespace quarry::cli
