#pragma once

#include "core/rom/AreaDirectory.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::compare {

// What a stretch of the body is to the editor.
enum class PartKind {
    Directory,      // pointer tables and records that lead to the data
    MapHeader,      // a map's size and screen pointers
    Screen,         // the 56 cells of one screen
    Actors,
    Stairs,
    Doors,
    Palette,        // a background or sprite palette set
    PpuMask,
    Tiles,          // one background or sprite tile
    Metatile,
    MetatileLimit,
    Thresholds,
    Text,           // one string and its pointer
    TextSpace,      // the text block's bytes no string uses
    FrameTable,     // a frame's sprites, or a layout several frames share
    FramePointer,
    Animation,
    Ferryman,
    ActorTexts,     // the actors' text table
    Other,
};

// The kind's word in messages and in the diff's JSON ("screen", "actors").
const char* kindName(PartKind kind);

// Some bits of one body byte.
struct Bits {
    std::uint32_t index = 0;
    std::uint8_t mask = 0xFF;
};

// How a field's value reads to the user.
enum class FieldForm { Byte, Word, Position, StairPosition, StairDirection, Pixel, Quarter, MaskSettings };

// One value as the editor shows it: one to two pieces of bytes (a 16-bit
// pointer, an actor's x and y, a pixel's two bit-planes).
struct Field {
    std::string name;
    Bits bits[2];
    std::uint8_t count = 1;
    FieldForm form = FieldForm::Byte;
};

std::uint32_t fieldValue(const Field& field, const std::vector<std::uint8_t>& body);
std::string fieldText(const Field& field, const std::vector<std::uint8_t>& body);

struct Span {
    std::uint32_t start = 0;
    std::uint32_t size = 0;
};

// Where the editor shows a part: the submap to load and the item in it, or
// the object set, bank, number of a tile, metatile, text or frame.
struct Place {
    std::optional<rom::AreaId> area;
    bool night = false;
    int objectSet = -1;
    int number = -1; // tile, metatile, text, frame, animation, actor list index
    std::size_t bank = 0; // CHR body index of a tile's bank
    bool sprites = false; // a tile of a sprite bank
};

struct Part {
    PartKind kind = PartKind::Other;
    std::string name;
    std::vector<Span> spans;   // the body bytes attributed to it
    std::vector<Field> fields; // screens and tiles make theirs from the spans
    Place place;
    std::vector<std::string> shownAt; // screens: every map position showing them
    std::vector<int> frames;          // frame tables: the frames reading them
    std::uint16_t screenAddress = 0;  // screens: the CPU address
    std::uint32_t origin = 0;         // screens and tiles: body index of their first byte
};

// Every byte of the body attributed to the part it belongs to, read with
// the editor's own readers. Bytes no part claims are "other".
class ImageMap {
public:
    static ImageMap build(const rom::RomImage& rom);

    const std::vector<Part>& parts() const { return parts_; }
    // The part a body byte belongs to, or -1 for "other".
    int ownerOf(std::size_t index) const;
    std::size_t size() const { return owner_.size(); }
    // The fields of a part, made from its bytes where it has none listed.
    std::vector<Field> fieldsOf(const Part& part) const;
    // "other bytes, bank 5 $8123-$8130" for a run of unclaimed bytes.
    static std::string otherName(std::size_t start, std::size_t end);
    // The map position strings of the screen at body index `start`.
    const Part* screenAt(std::size_t start) const;

    // Used by the builders.
    int addPart(Part part, const std::string& key = {});
    int findKey(const std::string& key) const;
    Part& part(int index) { return parts_[static_cast<std::size_t>(index)]; }
    // Attributes the bytes not yet claimed to `part`; returns how many.
    std::size_t claim(int part, std::size_t start, std::size_t size);

private:
    std::vector<Part> parts_;
    std::vector<std::int32_t> owner_;
    std::map<std::string, int> keys_;
};

// The builders, one per group of the editor's data.
void mapDirectoryAndWorld(ImageMap& map, const rom::RomImage& rom);
void mapGraphics(ImageMap& map, const rom::RomImage& rom);
void mapTextsAndSprites(ImageMap& map, const rom::RomImage& rom);

// "Towns / Ashwick / Ashwick" as the area tree shows a submap.
std::string placeName(const rom::AreaId& id);

} // namespace quarry::compare
