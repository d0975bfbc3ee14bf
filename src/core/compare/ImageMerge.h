#pragma once

#include "core/compare/ImageMap.h"
#include "core/rom/DataFiles.h"
#include "core/rom/RomImage.h"

#include <string>
#include <vector>

namespace quarry::compare {

enum class Side { Mine, Theirs };

// Two edits that cannot both be kept, named as the editor names the data.
struct Conflict {
    std::string description;
    std::vector<Bits> bits; // what choosing a side copies from it
    int text = -1;          // a string both sides changed differently
    bool textsDoNotFit = false;
    Place place;
};

// A three-way merge of two edits of one original, field by field as the
// editor shows the data. The outcome is the same whichever edit is "mine",
// except for the side each conflict is settled with.
class ImageMerge {
public:
    // Throws RomError when the three images differ in size or header.
    static ImageMerge plan(const ImageMap& map, const rom::RomImage& original, const rom::RomImage& mine,
                           const rom::RomImage& theirs, const rom::CharTable& table);

    const std::vector<Conflict>& conflicts() const { return conflicts_; }

    // The merged image, each conflict settled by the side at its index
    // (missing entries take `fallback`).
    rom::RomImage result(const std::vector<Side>& choices, Side fallback = Side::Mine) const;

private:
    struct TextPlan {
        bool active = false;                          // both sides changed texts
        std::vector<std::vector<std::uint8_t>> merged; // per string, without its end mark
        std::vector<int> conflictOf;                  // per string: conflict index or -1
        std::vector<std::vector<std::uint8_t>> mine, theirs;
        std::size_t capacity = 0;
    };

    void mergeParts(const ImageMap& map, const rom::CharTable& table);
    void mergeFields(const Part& part, const std::vector<Field>& fields);
    void mergeUncovered(const Part& part, const std::vector<Field>& fields);
    void mergeScreenPointers(const ImageMap& map, const Part& header);
    void mergeFrameTable(const Part& part);
    void mergeTexts(const ImageMap& map, const rom::CharTable& table);
    void mergeOther(const std::vector<std::size_t>& bytes);
    void takeWhole(const std::vector<Span>& spans, Side side);
    void addConflict(std::string description, std::vector<Bits> bits, const Place& place = {});
    const std::vector<std::uint8_t>& side(Side side) const;

    rom::RomImage::Header header_{};
    std::vector<std::uint8_t> original_, mine_, theirs_, merged_;
    std::vector<Conflict> conflicts_;
    TextPlan texts_;
};

// Throws RomError naming both when the images cannot be compared or merged:
// another size or another 16-byte header.
void checkSameShape(const rom::RomImage& a, const std::string& nameA, const rom::RomImage& b,
                    const std::string& nameB);

} // namespace quarry::compare
