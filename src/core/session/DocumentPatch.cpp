#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"

namespace quarry::session {

Document::Restored Document::applyPatch(std::span<const std::uint8_t> patch)
{
    const rom::RomImage patched = patch::applyPatchToImage(rom_, patch);
    return replaceBody(patched.body(), "Apply patch");
}

Document::Restored Document::replaceBody(const std::vector<std::uint8_t>& after, const std::string& name)
{
    const auto& before = rom_.body();
    if (after.size() != before.size())
        throw RomError("the new image has " + std::to_string(after.size()) + " bytes after its header, the open one "
                       + std::to_string(before.size()) + ": nothing was changed");
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
