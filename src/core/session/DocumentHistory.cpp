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
    // A write no action announced still goes into the history, and nobody
    // can tell what it changed.
    EditEntry single;
    single.name = kUnnamedEdit;
    single.changed = kEverythingChanged;
    single.record(index, before, after);
    if (single.empty())
        return;
    const Change change{kEverythingChanged, std::nullopt, Change::Origin::Edit, single.name};
    deliver(std::move(single));
    notify(change);
}

Document::EditScope::EditScope(Document& document, std::string name, unsigned kinds, int mergeId)
    : document_(document), kinds_(kinds), changesAtOpen_(document.openEntry_.changes.size())
{
    if (document_.scopeDepth_++ == 0) {
        document_.openEntry_ = EditEntry{};
        document_.openEntry_.name = std::move(name);
        document_.openEntry_.mergeId = mergeId;
        changesAtOpen_ = 0;
    }
}

Document::EditScope::~EditScope()
{
    document_.closeScope(kinds_, changesAtOpen_);
}

void Document::EditScope::takeBack()
{
    EditEntry& entry = document_.openEntry_;
    document_.replaying_ = true;
    while (entry.changes.size() > changesAtOpen_) {
        document_.rom_.writeBytes(entry.changes.back().index, entry.changes.back().before);
        entry.changes.pop_back();
    }
    document_.replaying_ = false;
}

void Document::rereadWritten(EditScope& scope, bool wholeArea)
{
    const rom::AreaId id = requireArea().id;
    const bool night = area_->night;
    try {
        if (wholeArea)
            loadArea(id, night);
        else
            reloadMap();
    } catch (const RomError& error) {
        scope.takeBack();
        throw RomError(std::string("the edit would leave this map unreadable, so nothing was changed: ")
                       + error.what());
    }
}

void Document::beginGesture(std::string name, int mergeId)
{
    if (!gesture_)
        gesture_.emplace(*this, std::move(name), 0u, mergeId);
}

void Document::endGesture()
{
    gesture_.reset();
}

void Document::closeScope(unsigned kinds, std::size_t changesAtOpen) noexcept
{
    const bool changed = openEntry_.changes.size() > changesAtOpen;
    Change change;
    if (changed) {
        openEntry_.changed |= kinds;
        if ((kinds & kSubmapKinds) && area_ && !openEntry_.area)
            openEntry_.area = area_->id;
        change = Change{kinds, (kinds & kSubmapKinds) && area_ ? std::optional(area_->id) : std::nullopt,
                        Change::Origin::Edit, openEntry_.name};
    }
    if (--scopeDepth_ == 0) {
        // Writes that end where they began (a byte written and written
        // back) are no step of the history and leave the image unmodified.
        if (openEntry_.undoneIn(rom_))
            openEntry_.changes.clear();
        deliver(std::move(openEntry_));
        openEntry_ = EditEntry{};
    }
    if (changed && kinds != 0)
        notify(change);
}

void Document::notify(const Change& change) noexcept
{
    try {
        if (area_ && change.kinds == kEverythingChanged)
            rereadArea();
        else if (area_ && change.touches(kGraphicsKinds))
            rereadGraphics(rom_, *area_);
    } catch (...) {
        // The bytes are written; a loaded area that cannot be read again
        // keeps what it showed, and the views still hear of the change.
    }
    announce(change);
}

void Document::announce(const Change& change) noexcept
{
    if (!changeListener_)
        return;
    try {
        changeListener_(change);
    } catch (...) {
        // A view that fails to redraw must not undo the edit.
    }
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
    endGesture();
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
    Restored restored = rereadArea();
    restored.name = entry.name;
    restored.area = entry.area;
    restored.undone = !forward;
    const unsigned kinds = entry.changed != 0 ? entry.changed : kEverythingChanged;
    announce(Change{kinds, entry.area, forward ? Change::Origin::Redo : Change::Origin::Undo, entry.name});
    return restored;
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
