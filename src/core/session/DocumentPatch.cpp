#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"

namespace quarry::session {

Document::Restored Document::applyPatch(std::span<const std::uint8_t> patch)
{
    const rom::RomImage patched = patch::applyPatchToImage(rom_, patch);
    const auto& before = rom_.body();
    const auto& after = patched.body();
    {
        // The views hear of it once the loaded area was read again.
        EditScope scope(*this, "Apply patch", 0);
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
    announce(Change{kEverythingChanged, std::nullopt, Change::Origin::Edit, "Apply patch"});
    return restored;
}

std::vector<std::uint8_t> Document::makePatch(bool bps, const std::vector<std::uint8_t>& original) const
{
    const std::vector<std::uint8_t> edited = patch::imageFileBytes(rom_);
    return bps ? patch::makeBps(original, edited) : patch::makeIps(original, edited);
}

} // namespace quarry::session
