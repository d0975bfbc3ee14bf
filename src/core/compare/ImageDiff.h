#pragma once

#include "core/compare/ImageMap.h"
#include "core/rom/DataFiles.h"

#include <string>
#include <vector>

namespace quarry::rom {
class RomImage;
}

namespace quarry::compare {

struct FieldChange {
    std::string field;
    std::string before;
    std::string after;
};

// What changed in one part, in the editor's words.
struct PartChange {
    PartKind kind = PartKind::Other;
    std::string name;    // "screen $A038", "actors of Towns / Ashwick / Ashwick"
    std::string summary; // "3 map cells", "12 pixels", "4 sprites -> 3"
    std::vector<FieldChange> changes;
    std::vector<std::string> shownAt; // screens: every map position showing them
    Place place;
    int part = -1; // index in the map, -1 for other bytes
};

// The changes from `original` to `edited`, part by part in the map's order,
// then the other byte ranges. Both images must have the same size; the map
// is `original`'s. Texts are compared as strings (a longer text moves the
// others, which is no change of theirs).
std::vector<PartChange> diffImages(const ImageMap& map, const rom::RomImage& original, const rom::RomImage& edited,
                                   const rom::CharTable& table);

// The part's name with the frames that read it ("layout $A123, frames 4, 5").
std::string partTitle(const Part& part);

} // namespace quarry::compare
