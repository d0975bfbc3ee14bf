// The document's record of every write: edit scopes, entries, undo and redo.
#include "core/session/Document.h"

#include "core/RomError.h"

namespace quarry::session {

Document::Document()
{
    watchWrites();
}

void Document::watchWrites()
{
    rom_.setWriteObserver([this](std::size_t index, std::span<const std::uint8_t> before,
                                 std::span<const std::uint8_t> after) { recordWrite(index, before, after); });
}

void Document::recordWrite(std::size_t index, std::span<const std::uint8_t> before,
                           std::span<const std::uint8_t> after)
{
    if (replaying_)
        return;
    if (scopeDepth_ > 0) {
        openEntry_.record(index, before, after);
        return;
    }
    // A write no action announced still goes into the history.
    EditEntry single;
    single.name = kUnnamedEdit;
    single.record(index, before, after);
    deliver(std::move(single));
}

Document::EditScope::EditScope(Document& document, std::string name, int mergeId) : document_(document)
{
    if (document_.scopeDepth_++ == 0) {
        document_.openEntry_ = EditEntry{};
        document_.openEntry_.name = std::move(name);
        document_.openEntry_.mergeId = mergeId;
    }
}

Document::EditScope::~EditScope()
{
    document_.closeScope();
}

void Document::closeScope() noexcept
{
    if (--scopeDepth_ > 0)
        return;
    deliver(std::move(openEntry_));
    openEntry_ = EditEntry{};
}

void Document::deliver(EditEntry entry) noexcept
{
    if (entry.empty() || !listener_)
        return;
    try {
        listener_(std::move(entry));
    } catch (...) {
        // The listener keeps the history; a failure there must not undo the
        // edit that was made, nor leave a scope half-closed.
    }
}

Document::Restored Document::undo(const EditEntry& entry)
{
    return restore(entry, false);
}

Document::Restored Document::redo(const EditEntry& entry)
{
    return restore(entry, true);
}

Document::Restored Document::restore(const EditEntry& entry, bool forward)
{
    if (!entry.fits(rom_))
        throw RomError("the edit \"" + entry.name + "\" does not belong to the open image");
    replaying_ = true;
    try {
        if (forward)
            applyAfter(rom_, entry);
        else
            applyBefore(rom_, entry);
    } catch (...) {
        replaying_ = false;
        throw;
    }
    replaying_ = false;
    return rereadArea();
}

Document::Restored Document::rereadArea()
{
    Restored restored;
    if (!area_)
        return restored;
    try {
        area_ = readLoadedArea(rom_, area_->id, area_->night);
    } catch (const RomError& error) {
        // The image is what the history says; a picture of bytes it no
        // longer holds would be wrong, so the area is unloaded.
        area_.reset();
        restored.areaReloaded = false;
        restored.problem = error.what();
    }
    return restored;
}

} // namespace quarry::session
