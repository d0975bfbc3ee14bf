#include "core/compare/ImageMerge.h"

#include "core/RomError.h"
#include "core/compare/ImageDiff.h"
#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"

#include <map>
#include <set>

namespace quarry::compare {

namespace {

using Body = std::vector<std::uint8_t>;

void copyBits(Body& out, const Body& from, const Bits& bits)
{
    out[bits.index] = static_cast<std::uint8_t>((out[bits.index] & ~bits.mask) | (from[bits.index] & bits.mask));
}

std::string shownText(const Part& part)
{
    std::string text;
    for (const std::string& place : part.shownAt)
        text += (text.empty() ? " (shown at " : "; ") + place;
    return text.empty() ? text : text + ")";
}

} // namespace

void checkSameShape(const rom::RomImage& a, const std::string& nameA, const rom::RomImage& b,
                    const std::string& nameB)
{
    if (a.size() != b.size())
        throw RomError(nameA + " and " + nameB + " differ in size (" + std::to_string(a.size() + 16) + " and "
                       + std::to_string(b.size() + 16) + " bytes); they are not edits of one image");
    if (a.header() != b.header())
        throw RomError(nameA + " and " + nameB + " have different 16-byte headers; they are not edits of one image");
}

const Body& ImageMerge::side(Side which) const
{
    return which == Side::Mine ? mine_ : theirs_;
}

ImageMerge ImageMerge::plan(const ImageMap& map, const rom::RomImage& original, const rom::RomImage& mine,
                            const rom::RomImage& theirs, const rom::CharTable& table)
{
    checkSameShape(original, "ORIGINAL", mine, "MINE");
    checkSameShape(original, "ORIGINAL", theirs, "THEIRS");
    if (map.size() != original.size())
        throw RomError("the image map was not made for ORIGINAL");
    ImageMerge merge;
    merge.header_ = original.header();
    merge.original_ = original.body();
    merge.mine_ = mine.body();
    merge.theirs_ = theirs.body();
    merge.merged_ = original.body();
    merge.mergeParts(map, table);
    return merge;
}

void ImageMerge::addConflict(std::string description, std::vector<Bits> bits, const Place& place)
{
    Conflict conflict;
    conflict.description = std::move(description);
    conflict.bits = std::move(bits);
    conflict.place = place;
    conflicts_.push_back(std::move(conflict));
}

void ImageMerge::mergeParts(const ImageMap& map, const rom::CharTable& table)
{
    std::set<int> touched;
    std::vector<std::size_t> other;
    for (std::size_t i = 0; i < original_.size(); ++i) {
        if (original_[i] == mine_[i] && original_[i] == theirs_[i])
            continue;
        const int owner = map.ownerOf(i);
        if (owner >= 0)
            touched.insert(owner);
        else
            other.push_back(i);
    }
    bool texts = false;
    for (const int index : touched) {
        const Part& part = map.parts()[static_cast<std::size_t>(index)];
        switch (part.kind) {
        case PartKind::Text:
        case PartKind::TextSpace:
            texts = true;
            break;
        case PartKind::FrameTable:
            mergeFrameTable(part);
            break;
        default: {
            const std::vector<Field> fields = map.fieldsOf(part);
            mergeFields(part, fields);
            mergeUncovered(part, fields);
            if (part.kind == PartKind::MapHeader)
                mergeScreenPointers(map, part);
        }
        }
    }
    mergeOther(other);
    if (texts)
        mergeTexts(map, table);
}

void ImageMerge::mergeFields(const Part& part, const std::vector<Field>& fields)
{
    for (const Field& field : fields) {
        const std::uint32_t o = fieldValue(field, original_);
        const std::uint32_t m = fieldValue(field, mine_);
        const std::uint32_t t = fieldValue(field, theirs_);
        const Body* from = nullptr;
        if (m == o && t != o)
            from = &theirs_;
        else if (m != o && (t == o || t == m))
            from = &mine_;
        if (from) {
            for (int k = 0; k < field.count; ++k)
                copyBits(merged_, *from, field.bits[k]);
        } else if (m != o) {
            addConflict(partTitle(part) + ": " + field.name + ": mine " + fieldText(field, mine_) + ", theirs "
                            + fieldText(field, theirs_) + shownText(part),
                        std::vector<Bits>(field.bits, field.bits + field.count), part.place);
        }
    }
}

// Bits of the part's bytes no field shows merge bit by bit; the mask's
// show bits are set by every write, so they come out set when either side
// wrote the byte.
void ImageMerge::mergeUncovered(const Part& part, const std::vector<Field>& fields)
{
    std::map<std::uint32_t, std::uint8_t> covered;
    for (const Field& field : fields)
        for (int k = 0; k < field.count; ++k)
            covered[field.bits[k].index] |= field.bits[k].mask;
    for (const Span& span : part.spans) {
        for (std::uint32_t i = span.start; i < span.start + span.size; ++i) {
            const auto mask = static_cast<std::uint8_t>(~covered[i]);
            if (mask == 0)
                continue;
            const int o = original_[i] & mask;
            const int m = mine_[i] & mask;
            const int t = theirs_[i] & mask;
            if (part.kind == PartKind::PpuMask) {
                if (mine_[i] != original_[i] || theirs_[i] != original_[i])
                    merged_[i] |= layout::kPpuMaskShowBits & mask;
            } else if (m == o && t != o) {
                copyBits(merged_, theirs_, {i, mask});
            } else if (m != o && (t == o || t == m)) {
                copyBits(merged_, mine_, {i, mask});
            } else if (m != o) {
                addConflict(partTitle(part) + ": byte " + fileOffsetText(i) + ": mine $" + hexDigits(mine_[i], 2)
                                + ", theirs $" + hexDigits(theirs_[i], 2),
                            {{i, mask}}, part.place);
            }
        }
    }
}

// A screen pointer one side changed while the other changed the screen it
// named: neither edit means what its author saw once both are kept.
void ImageMerge::mergeScreenPointers(const ImageMap& map, const Part& header)
{
    for (const Field& field : header.fields) {
        if (field.form != FieldForm::Word)
            continue;
        const std::uint32_t o = fieldValue(field, original_);
        const bool mineMoved = fieldValue(field, mine_) != o;
        const bool theirsMoved = fieldValue(field, theirs_) != o;
        if (mineMoved == theirsMoved)
            continue;
        const Body& still = mineMoved ? theirs_ : mine_;
        const std::uint16_t address = static_cast<std::uint16_t>(original_[field.bits[0].index]
                                                                 | (original_[field.bits[1].index] << 8));
        std::size_t start = 0;
        try {
            start = rom::bodyIndexOf(address, rom::DataKind::AreaData, "a screen");
        } catch (const RomError&) {
            continue;
        }
        bool touched = false;
        for (std::size_t i = start; i < start + layout::kScreenBytes && i < still.size(); ++i)
            touched = touched || still[i] != original_[i];
        if (!touched)
            continue;
        std::vector<Bits> bits(field.bits, field.bits + field.count);
        for (std::size_t i = start; i < start + layout::kScreenBytes && i < still.size(); ++i)
            bits.push_back({static_cast<std::uint32_t>(i), 0xFF});
        const Part* screen = map.screenAt(start);
        addConflict(partTitle(header) + ": " + field.name + " changed by " + (mineMoved ? "mine" : "theirs")
                        + " while " + (mineMoved ? "theirs" : "mine") + " changed screen " + cpuAddressText(address)
                        + " it named" + (screen ? shownText(*screen) : std::string()),
                    std::move(bits), header.place);
    }
}

void ImageMerge::mergeOther(const std::vector<std::size_t>& bytes)
{
    std::vector<Bits> run;
    std::size_t runStart = 0;
    const auto flush = [&] {
        if (run.empty())
            return;
        const std::size_t end = run.back().index + 1;
        addConflict(ImageMap::otherName(runStart, end) + ": changed differently by mine and theirs", run);
        run.clear();
    };
    for (const std::size_t i : bytes) {
        const std::uint8_t o = original_[i];
        const std::uint8_t m = mine_[i];
        const std::uint8_t t = theirs_[i];
        if (m == o || m == t) {
            merged_[i] = t == o ? m : t;
            continue;
        }
        if (t == o) {
            merged_[i] = m;
            continue;
        }
        if (!run.empty() && run.back().index + 1 != i)
            flush();
        if (run.empty())
            runStart = i;
        run.push_back({static_cast<std::uint32_t>(i), 0xFF});
    }
    flush();
}

void ImageMerge::takeWhole(const std::vector<Span>& spans, Side which)
{
    const Body& from = side(which);
    for (const Span& span : spans)
        for (std::size_t i = span.start; i < span.start + span.size; ++i)
            merged_[i] = from[i];
}

} // namespace quarry::compare
