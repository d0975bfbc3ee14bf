#include "core/session/Document.h"

#include "core/RomError.h"
#include "core/gfx/BackgroundRenderer.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/session/MapBlocks.h"
#include "core/world/AreaCommit.h"

#include <algorithm>
#include <filesystem>

namespace quarry::session {

rom::OpenResult Document::open(const std::string& path)
{
    endGesture();
    const rom::OpenResult result = rom::openRomImage(path, rom_);
    // A failed open leaves the image that was open as it was, saveable.
    if (result == rom::OpenResult::Loaded) {
        romLoaded_ = true;
        // The new image object does not know who records its writes.
        watchWrites();
        romPath_ = path;
        openedFile_.assign(rom_.header().begin(), rom_.header().end());
        openedFile_.insert(openedFile_.end(), rom_.body().begin(), rom_.body().end());
        backupPending_ = true;
        backupPath_.clear();
        area_.reset();
        textBlock_.reset();
        textBlockError_.clear();
        try {
            textBlock_ = text::TextBlock::measure(rom_);
        } catch (const RomError& error) {
            textBlockError_ = error.what();
        }
        announce(Change{kEverythingChanged, std::nullopt, Change::Origin::Open, {}});
    }
    return result;
}

rom::SaveResult Document::save(const rom::SaveFault& fault, bool withoutBackup)
{
    // With the file's folder gone there is nothing to back up or write: a
    // failed save, not a failed backup.
    std::error_code ec;
    if (!std::filesystem::is_directory(std::filesystem::absolute(romPath_, ec).parent_path(), ec)) {
        rom::checkWritable(romPath_); // notes why for the message
        return rom::SaveResult::WriteFailed;
    }
    // A file that cannot be written gets no backup for a save that cannot
    // happen (a file removed meanwhile is written anew).
    if (std::filesystem::exists(std::filesystem::symlink_status(romPath_, ec))) {
        const rom::SaveResult writable = rom::checkWritable(romPath_);
        if (writable != rom::SaveResult::Written)
            return writable;
    }
    if (backupPending_ && !withoutBackup) {
        std::optional<std::string> written;
        if (!(fault && fault(rom::SaveStep::Backup)))
            written = rom::writeBackup(romPath_, openedFile_);
        if (!written)
            return rom::SaveResult::BackupFailed;
        backupPath_ = *written;
    }
    backupPending_ = false;
    // A failed save keeps the image, its edits and its modified mark: the
    // user may try again or choose Save As.
    return rom::saveRomImage(romPath_, rom_, fault);
}

rom::SaveResult Document::saveAs(const std::string& path, const rom::SaveFault& fault)
{
    std::error_code ec;
    if (!romPath_.empty() && std::filesystem::equivalent(path, romPath_, ec))
        return save(fault);
    const rom::SaveResult result = rom::saveRomImageAs(path, rom_, fault);
    if (result == rom::SaveResult::Written) {
        // The new file holds what we wrote: there is no opened state of it
        // to keep.
        romPath_ = path;
        romLoaded_ = true;
        backupPending_ = false;
        backupPath_.clear();
    }
    return result;
}

const text::TextBlock& Document::textBlock() const
{
    if (!textBlock_)
        throw RomError(textBlockError_.empty() ? std::string("no image is open")
                                               : "the text block cannot be used: " + textBlockError_);
    return *textBlock_;
}

text::Texts Document::decodeTexts() const
{
    return text::decodeTexts(rom_, sideData_.charTable);
}

void Document::commitTexts(const text::Texts& texts)
{
    // Named after the one string that changed, so typing in it makes one
    // step of the history.
    const text::TextBlock& block = textBlock();
    const text::Texts before = decodeTexts();
    int changed = -1;
    int count = 0;
    for (std::size_t n = 0; n < texts.size() && n < before.size(); ++n) {
        if (texts[n] != before[n]) {
            changed = static_cast<int>(n);
            ++count;
        }
    }
    if (count == 0 && texts.size() == before.size())
        return; // nothing to write: repacking would only lay shared strings apart
    EditScope scope = count == 1 ? EditScope(*this, "Edit text " + hexDigits(static_cast<std::uint32_t>(changed), 2),
                                             kTextsChanged, textMergeId(changed))
                                 : EditScope(*this, "Edit texts", kTextsChanged);
    text::commitTexts(rom_, block, texts, sideData_.charTable);
}

LoadedArea& Document::requireArea()
{
    if (!area_)
        throw RomError("no area is loaded");
    return *area_;
}

void Document::loadArea(const rom::AreaId& id, bool night)
{
    endGesture();
    area_ = readLoadedArea(rom_, id, night);
    announce(Change{kEverythingChanged, id, Change::Origin::Load, {}});
}

void Document::reloadMap()
{
    LoadedArea& area = requireArea();
    area.map = rom::decodeAreaMap(rom_, area.pointers.mapPointer);
}

bool Document::paintCell(int x, int y, std::uint8_t metatile)
{
    LoadedArea& area = requireArea();
    const auto cell = cellAtPixel(area.map, x, y);
    if (!cell)
        return false;
    const ScreenPlace place = screenPlaceOf(*cell);
    const std::size_t index = cellGridIndex(area.map, *cell);
    if (area.map.mapGrid[index] == metatile)
        return false;
    EditScope scope(*this, "Paint metatile " + hexDigits(metatile, 2), kMapChanged);
    rom::AreaMap edited = area.map;
    edited.mapGrid[index] = metatile;
    rom::writeScreenToRom(rom_, area.pointers.mapPointer, edited, place.sx, place.sy);
    rereadWritten(scope, false);
    return true;
}

namespace {
constexpr std::uint16_t kLowestScreenPointer = 0x8000;
} // namespace

bool Document::setScreenPointerAt(int x, int y, std::uint16_t pointer)
{
    LoadedArea& area = requireArea();
    const auto cell = cellAtPixel(area.map, x, y);
    if (!cell)
        return false;
    const ScreenPlace place = screenPlaceOf(*cell);
    // Map data lies at $8000-$FFFF; below that the game finds no screen.
    if (pointer < kLowestScreenPointer)
        throw RomError("the pointer " + cpuAddressText(pointer) + " cannot be used: a screen pointer is "
                       + cpuAddressText(kLowestScreenPointer) + "-$FFFF");
    // The screen's 56 bytes must be readable before the pointer may name them.
    const std::size_t screen = rom::cpuToBody(pointer, rom::DataKind::AreaData);
    if (!rom_.contains(screen, layout::kScreenBytes))
        throw RomError("the screen at " + cpuAddressText(pointer) + " would lie outside the image");
    EditScope scope(*this, "Set screen pointer", kMapChanged);
    rom::setScreenPointer(rom_, area.pointers.mapPointer, place.sx, place.sy, pointer);
    rereadWritten(scope, false);
    return true;
}

void Document::eraseMap()
{
    LoadedArea& area = requireArea();
    EditScope scope(*this, "Erase map", kMapChanged | kListsChanged | kMaskChanged);
    rom::AreaMap erased = area.map;
    std::fill(erased.mapGrid.begin(), erased.mapGrid.end(), 0);
    world::commitArea(rom_, world::AreaCommit{area.pointers, erased, area.stairs, area.actors,
                                              area.mask});
    rereadWritten(scope, true);
}


} // namespace quarry::session
