#pragma once

#include "core/rom/DataFiles.h"
#include "core/rom/RomImage.h"
#include "core/session/Change.h"
#include "core/session/EditHistory.h"
#include "core/session/LoadedArea.h"
#include "core/session/MapBlocks.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextBlock.h"
#include "core/world/Dragging.h"
#include "core/world/Ferryman.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quarry::session {

// The open image and everything the editor knows about it. Every edit goes
// through here so one place sees each change of the image.
//
// Every write into the body is recorded: the writes of one user action make
// one EditEntry, handed to the edit listener when the action ends, and
// undo() / redo() write an entry's old or new bytes back.
class Document {
public:
    Document();
    // The image reports its writes to this object, so it stays where it is.
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Groups the writes made while it lives into one entry named `name`.
    // Scopes opened inside another fold into the outermost one, so an
    // action made of several edits is still one entry. When the outermost
    // scope ends (also by an exception) the entry goes to the listener,
    // unless nothing changed. Writes made outside any scope are recorded
    // too, each as an entry of its own named kUnnamedEdit.
    //
    // When a scope that changed bytes ends, the loaded area is brought up to
    // date for its `kinds` and the change listener hears of them, so views
    // follow every edit as it happens, also inside a longer gesture.
    class EditScope {
    public:
        EditScope(Document& document, std::string name, unsigned kinds = kEverythingChanged, int mergeId = kNoMerge);
        ~EditScope();
        EditScope(const EditScope&) = delete;
        EditScope& operator=(const EditScope&) = delete;
        // Takes back every write made since the scope opened, leaving none
        // of them in the history: for an edit found unsound once written.
        void takeBack();

    private:
        Document& document_;
        unsigned kinds_;
        std::size_t changesAtOpen_;
    };
    static constexpr const char* kUnnamedEdit = "Edit image";

    // A gesture (a brush stroke, a pixel stroke, a drag) is one entry from
    // its beginning to its end, however many edits it makes. Edits that
    // come while it is open fold into it. Beginning while a gesture is open
    // does nothing; undo, redo, opening and loading end an open gesture.
    void beginGesture(std::string name, int mergeId = kNoMerge);
    void endGesture();
    bool gestureOpen() const { return gesture_.has_value(); }

    using ChangeListener = std::function<void(const Change&)>;
    void setChangeListener(ChangeListener listener) { changeListener_ = std::move(listener); }

    using EditListener = std::function<void(EditEntry)>;
    void setEditListener(EditListener listener) { listener_ = std::move(listener); }

    // What undo() and redo() could show afterwards.
    struct Restored {
        bool areaReloaded = true; // false: the area could not be read again and is unloaded
        std::string problem;      // why, for the user
        std::string name;         // the step's name
        // The submap a map or list change of the step was made in; it may
        // be another than the loaded one.
        std::optional<rom::AreaId> area;
        bool undone = false;      // the step was taken back, not done again
    };
    // Writes the entry's old (undo) or new (redo) bytes back without
    // recording them, then reads the loaded area again (same submap, same
    // day or night). An entry that does not fit the image is refused with
    // RomError before anything is written.
    Restored undo(const EditEntry& entry);
    // ---- patches
    // Applies an IPS or BPS patch to the image as one step of the history
    // ("Apply patch"), then reads the loaded area again. Refuses, writing
    // nothing, a malformed patch, one made for another image, one whose
    // result has another size or is no iNES image, and one that changes the
    // 16-byte header (the header is kept as it was opened).
    Restored applyPatch(std::span<const std::uint8_t> patch);
    // The same for a whole image of the same size and header (a merge).
    Restored replaceImage(const rom::RomImage& image, const std::string& name);
    // A patch that turns `original` (a whole file) into the image as it is
    // now; IPS or BPS.
    std::vector<std::uint8_t> makePatch(bool bps, const std::vector<std::uint8_t>& original) const;

    Restored redo(const EditEntry& entry);

    const rom::RomImage& rom() const { return rom_; }
    rom::RomImage& rom() { return rom_; }

    // True once an image was opened; failed opens and saves keep it.
    bool romLoaded() const { return romLoaded_; }
    void setRomLoaded(bool loaded) { romLoaded_ = loaded; }
    const std::string& romPath() const { return romPath_; }

    // Opens `path`. On failure the image that was open stays as it was, and
    // stays saveable. An image opened is announced to the change listener.
    rom::OpenResult open(const std::string& path);
    // Writes the image back to romPath(); a failure keeps the image open and
    // saveable (and WriteFailed when the file's folder is gone). The first
    // save after opening first keeps the file as it was opened in a backup
    // beside it (rom::writeBackup: never through a link, never over an
    // existing file). When no backup can be written nothing is saved
    // (BackupFailed) unless `withoutBackup`: the user chose to save anyway,
    // and this opening asks no more.
    rom::SaveResult save(const rom::SaveFault& fault = {}, bool withoutBackup = false);
    // Writes the image to `path`, which then becomes romPath(). Saving over
    // the opened file itself is a save().
    rom::SaveResult saveAs(const std::string& path, const rom::SaveFault& fault = {});
    // The backup written for this opening; empty until the first save.
    const std::string& backupPath() const { return backupPath_; }
    // The whole file (header and body) as it was opened.
    const std::vector<std::uint8_t>& openedFile() const { return openedFile_; }

    // The character table, name lists and actor types from the dat folder.
    rom::SideData& sideData() { return sideData_; }
    const rom::SideData& sideData() const { return sideData_; }

    // The text block as measured when the image was opened. Kept for the
    // whole session so room freed by shortening texts stays usable. Throws
    // RomError when the open image's strings could not be measured.
    const text::TextBlock& textBlock() const;
    text::Texts decodeTexts() const;
    // Rewrites the whole text block; throws TextBlockFull or RomError and
    // writes nothing when the texts cannot be stored.
    void commitTexts(const text::Texts& texts);

    // ------------------------------------------------------------ areas

    // The loaded submap, or null before the first load.
    const LoadedArea* area() const { return area_ ? &*area_ : nullptr; }
    // Reads the submap completely and only then replaces the loaded one; a
    // RomError leaves the loaded area and the image as they were. The load
    // is announced to the change listener like an edit.
    void loadArea(const rom::AreaId& id, bool night);

    // A press at map pixel (x, y) in Map Edit Mode: the cell becomes
    // `metatile`, its screen is written back and the whole map re-read, so
    // every position sharing that screen shows the change. Returns false
    // (changing nothing) for a pixel outside the map or a cell that already
    // holds the metatile.
    bool paintCell(int x, int y, std::uint8_t metatile);
    // A press at map pixel (x, y) in Pointer Edit Mode answered `pointer`.
    // Returns false, writing nothing, for a pixel outside the map. A pointer
    // the game could not read a screen from is refused with RomError before
    // anything is written.
    bool setScreenPointerAt(int x, int y, std::uint16_t pointer);
    // Every cell of the map becomes metatile 0; the area is committed and
    // loaded again.
    void eraseMap();

    // ---- block edits of the loaded map
    // Each is one step of the history and one write plan: every screen
    // address is checked, and every metatile must be one the chooser offers
    // (else RomError naming the numbers that do not fit), before the first
    // byte changes. Only the cells named are written, byte by byte, so a
    // screen shown at several positions keeps the cells not named.
    struct CellEdit {
        std::vector<MapCell> cells;       // the cells named, row by row
        std::set<std::size_t> bodyBytes;  // the bytes that changed
        std::set<int> positions;          // the screen positions written through
        bool empty() const { return cells.empty(); }
    };
    // The Fill tool: the region of fillRegion() becomes `metatile`. Nothing
    // is written when the region already holds it or `start` lies outside
    // `within`.
    CellEdit fillCells(MapCell start, std::uint8_t metatile, const std::optional<CellRect>& within = {});
    // Writes `block` with its top-left cell at `at`, clipped to the map, row
    // by row from the top left (where two cells land on one byte the later
    // stays). `name` names the step ("Paste 4 x 3 block"). Cells that hold
    // their metatiles already make an empty edit: nothing is written.
    CellEdit stampBlock(MapCell at, const MetatileBlock& block, const std::string& name);
    // The metatiles among `metatiles` the loaded area's chooser does not
    // offer, as a sentence for the user; empty when all fit.
    std::string unofferedMetatiles(const std::vector<std::uint8_t>& metatiles) const;
    // ---- graphics edits
    // The graphics editors' writes. The loaded area shows each at once.

    // Writes background entries 0-15 and sprite entries 24-31 of `palette`
    // into the sets named by the palette record at `palettePointer` (bank 2),
    // the record of the area the palette editor was opened for. The set
    // numbers are read now, so areas sharing a set all change. Throws
    // RomError, writing nothing, for an invalid address.
    void writeAreaPalette(std::uint16_t palettePointer, const gfx::AreaPalette& palette);
    // Stores the game-wide greyscale and emphasis in the PPU mask byte (the
    // show bits always set); the loaded area takes the settings at once.
    void writePpuMask(const gfx::PpuMaskSettings& settings);
    // Encodes whole tiles (64 pixels each) at body index `start`.
    void writeTiles(std::size_t start, std::span<const std::uint8_t> tiles);
    // Encodes the 256 tiles of `tiles` into the object set's background bank.
    void writeBackgroundTiles(int objectSet, std::span<const std::uint8_t> tiles);
    // Encodes the 256 tiles of `tiles` into the object set's sprite bank.
    void writeSpriteTiles(int objectSet, std::span<const std::uint8_t> tiles);
    // Metatile cells and attributes: written at once. Throw RomError,
    // writing nothing, for a metatile the object set's table has no room for.
    void setMetatileTile(int objectSet, int metatile, int position, std::uint8_t tile);
    void setMetatileAttribute(int objectSet, int metatile, std::uint8_t value);
    // Writes the object set's three thresholds; the loaded area re-reads its
    // own at once (object sets may share the bytes).
    void setSolidityThresholds(int objectSet, const rom::SolidityThresholds& thresholds);

    // ---- world edits
    // Actor and stair edits of the loaded submap. Moves, type changes and
    // turns run the area commit at once; a refused or failed edit changes
    // neither the list nor the image. Indexes outside the list throw RomError.

    // A drag released: `start` and `end` in map pixels, the picture's size
    // for the map-size checks. Returns false when the drag was refused
    // (saying why in `refusal` when given) or leaves the actor where it was
    // (nothing is written then).
    bool moveActor(int index, world::MapPoint start, world::MapPoint end, int pictureWidth, int pictureHeight,
                   std::string* refusal = nullptr);
    void setActorType(int index, std::uint8_t type);
    // Writes the parameter byte of the actor's record, and nothing else.
    void setActorControl(int index, std::uint8_t control);
    bool moveStair(int index, world::MapPoint start, world::MapPoint end, int pictureWidth, int pictureHeight,
                   std::string* refusal = nullptr);
    // The next of the four directions; false (nothing changed) when the stair
    // could not be stored that way.
    bool turnStair(int index, std::string* refusal = nullptr);
    // Typed values: the actor's foot point or the stair's top-left corner in
    // map pixels, and a stair's direction. The checks and step names are the
    // drag's and the turn's; false, writing nothing, when refused or when the
    // record stays as it is.
    bool placeActor(int index, world::MapPoint foot, int pictureWidth, int pictureHeight,
                    std::string* refusal = nullptr);
    bool placeStair(int index, world::MapPoint corner, int pictureWidth, int pictureHeight,
                    std::string* refusal = nullptr);
    bool setStairDirection(int index, std::uint8_t upDown, std::uint8_t leftRight, std::string* refusal = nullptr);
    world::FerrymanSettings ferryman() const;
    void setFerryman(const world::FerrymanSettings& settings);

    // ---- sprite frame edits
    // Each writes the frame's bytes in place as one step of the history
    // (folded into an open gesture), or throws RomError, writing nothing,
    // when the frame data cannot take it.

    void setFrameSprite(int frame, int index, const sprites::SpriteChange& change);
    // Returns the sprites of the frame that show the same attribute byte.
    std::vector<int> setSharedSpriteAttribute(int frame, int index, std::uint8_t attribute);
    void deleteFrameSprite(int frame, int index);

private:
    LoadedArea& requireArea();
    void watchWrites();
    void recordWrite(std::size_t index, std::span<const std::uint8_t> before, std::span<const std::uint8_t> after);
    void closeScope(unsigned kinds, std::size_t changesAtOpen) noexcept;
    // Brings the loaded area up to date and tells the change listener.
    void notify(const Change& change) noexcept;
    void announce(const Change& change) noexcept;
    void deliver(EditEntry entry) noexcept;
    Restored restore(const EditEntry& entry, bool forward);
    Restored rereadArea();
    // Re-reads the map from the image (its picture follows the grid).
    void reloadMap();
    // Reads the map (or the whole area) back after `scope`'s writes. Bytes
    // that leave it unreadable, such as a screen lying over the map's own
    // header, are taken back and the edit is refused.
    void rereadWritten(EditScope& scope, bool wholeArea);
    CellEdit writeCells(const std::vector<PlacedCell>& cells, const std::string& name);
    // Commits a moved or turned record of the loaded submap as one step;
    // false when there is none or it equals the one in the list.
    bool storeActor(std::size_t index, const std::optional<world::ActorRecord>& moved);
    bool storeStair(std::size_t index, const std::optional<world::StairRecord>& moved, const char* step);

    rom::RomImage rom_;
    std::string romPath_;
    bool romLoaded_ = false;
    rom::SideData sideData_;
    std::optional<text::TextBlock> textBlock_;
    std::optional<LoadedArea> area_;
    std::string textBlockError_;
    std::vector<std::uint8_t> openedFile_;
    bool backupPending_ = false;
    std::string backupPath_;

    EditListener listener_;
    ChangeListener changeListener_;
    int scopeDepth_ = 0;
    EditEntry openEntry_;
    bool replaying_ = false; // undo or redo writing: nothing is recorded
    // Last, so an open gesture ends while the rest still lives.
    std::optional<EditScope> gesture_;
};

} // namespace quarry::session
