#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"

namespace quarry::session {

Document::Restored Document::applyPatch(std::span<const std::uint8_t> patch)
{
    return replaceImage(patch::applyPatchToImage(rom_, patch), "Apply patch");
}

Document::Restored Document::replaceImage(const rom::RomImage& image, const std::string& name)
{
    if (image.size() != rom_.size() || image.header() != rom_.header())
        throw RomError("the new image differs in size or header from the open one; nothing was changed");
    const auto& before = rom_.body();
    const auto& after = image.body();
    {
        // The views hear of it once the loaded area was read again.
        EditScope scope(*this, name, 0);
        // Only the runs that differ are written, so the step holds just them.
        std::size_t i = 0;
        while (i < after.size()) {
            if (before[i] == after[i]) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < after.size() && before[end] != after[end])
                ++end;
            rom_.writeBytes(i, std::span<const std::uint8_t>(after.data() + i, end - i));
            i = end;
        }
    }
    Restored restored = rereadArea();
    announce(Change{kEverythingChanged, std::nullopt, Change::Origin::Edit, name});
    return restored;
}

std::vector<std::uint8_t> Document::makePatch(bool bps, const std::vector<std::uint8_t>& original) const
{
    const std::vector<std::uint8_t> edited = patch::imageFileBytes(rom_);
    return bps ? patch::makeBps(original, edited) : patch::makeIps(original, edited);
}

} // namespace quarry::session
