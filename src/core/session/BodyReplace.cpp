#include "core/session/BodyReplace.h"

#include "core/RomError.h"
#include "core/session/Document.h"

namespace quarry::session {

void replaceBody(Document& document, const std::vector<std::uint8_t>& after, const std::string& name)
{
    rom::RomImage& rom = document.rom();
    if (after.size() != rom.size())
        throw RomError("the new image has " + std::to_string(after.size()) + " bytes after its header, the open one "
                       + std::to_string(rom.size()) + ": nothing was changed");
    // One scope: one step, and one announcement that anything may have
    // changed once it closes.
    Document::EditScope scope(document, name, kEverythingChanged);
    std::size_t i = 0;
    while (i < after.size()) {
        if (rom.body()[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < after.size() && rom.body()[end] != after[end])
            ++end;
        rom.writeBytes(i, std::span<const std::uint8_t>(after.data() + i, end - i));
        i = end;
    }
}

} // namespace quarry::session
