#include "core/compare/EditInput.h"

#include "core/RomError.h"
#include "core/patch/PatchFile.h"

namespace quarry::compare {

std::optional<rom::RomImage> patchedImage(const rom::RomImage& original, std::span<const std::uint8_t> bytes,
                                          const std::string& name)
{
    if (patch::detectPatch(bytes) == patch::PatchKind::Unknown)
        return std::nullopt;
    try {
        return patch::applyPatchToImage(original, bytes);
    } catch (const RomError& error) {
        throw RomError(name + ": " + error.what());
    }
}

} // namespace quarry::compare
