#include "core/patch/PatchFile.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace quarry::patch {

namespace {

bool startsWith(std::span<const std::uint8_t> data, std::string_view magic)
{
    return data.size() >= magic.size()
           && std::equal(magic.begin(), magic.end(), data.begin(),
                         [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

} // namespace

PatchKind detectPatch(std::span<const std::uint8_t> patch)
{
    if (startsWith(patch, "PATCH"))
        return PatchKind::Ips;
    if (startsWith(patch, "BPS1"))
        return PatchKind::Bps;
    return PatchKind::Unknown;
}

std::vector<std::uint8_t> imageFileBytes(const rom::RomImage& image)
{
    std::vector<std::uint8_t> file(image.header().begin(), image.header().end());
    file.insert(file.end(), image.body().begin(), image.body().end());
    return file;
}

rom::RomImage applyPatchToImage(const rom::RomImage& image, std::span<const std::uint8_t> patch)
{
    const std::vector<std::uint8_t> file = imageFileBytes(image);
    std::vector<std::uint8_t> result;
    switch (detectPatch(patch)) {
    case PatchKind::Ips:
        result = applyIps(file, patch);
        break;
    case PatchKind::Bps:
        result = applyBps(file, patch);
        break;
    case PatchKind::Unknown:
        throw RomError("this is neither an IPS nor a BPS patch (it starts with neither \"PATCH\" nor \"BPS1\")");
    }
    if (result.size() != file.size())
        throw RomError("the patch makes a file of " + std::to_string(result.size()) + " bytes from an image of "
                       + std::to_string(file.size()) + "; images are never resized, so nothing was applied");
    // The header is kept as it was opened, by the editor and the command
    // line alike.
    // (A lost "NES" magic has a message of its own below.)
    const bool keepsMagic = result.size() >= 3 && result[0] == 'N' && result[1] == 'E' && result[2] == 'S';
    if (keepsMagic && result.size() >= rom::RomImage::kHeaderSize
        && !std::equal(file.begin(), file.begin() + rom::RomImage::kHeaderSize, result.begin()))
        throw RomError("the patch changes the image's 16-byte header, which Quarry keeps as it was opened; "
                       "nothing was applied");
    rom::RomImage patched;
    switch (rom::openRomBytes(std::move(result), patched)) {
    case rom::OpenResult::Loaded:
        return patched;
    case rom::OpenResult::NotInes:
        throw RomError("the patch removes the image's \"NES\" magic; nothing was applied");
    case rom::OpenResult::ReadFailed:
    case rom::OpenResult::TooShort:
    case rom::OpenResult::NotRegularFile:
    case rom::OpenResult::TooLarge:
        break;
    }
    throw RomError("the patched file is no longer a usable image; nothing was applied");
}

} // namespace quarry::patch
