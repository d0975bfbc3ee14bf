#include "core/compare/ImageDiff.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextCodec.h"

#include <set>

namespace quarry::compare {

namespace {

using Body = std::vector<std::uint8_t>;

std::string plural(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string hexBytes(const Body& body, std::size_t start, std::size_t end)
{
    std::string text;
    for (std::size_t i = start; i < end; ++i)
        text += (i > start ? " " : "") + hexDigits(body[i], 2);
    return text;
}

PartChange changeOf(const Part& part, int index)
{
    PartChange change;
    change.kind = part.kind;
    change.name = partTitle(part);
    change.shownAt = part.shownAt;
    change.place = part.place;
    change.part = index;
    return change;
}

void diffFields(const ImageMap& map, const Part& part, const Body& a, const Body& b, PartChange& change)
{
    for (const Field& field : map.fieldsOf(part))
        if (fieldValue(field, a) != fieldValue(field, b))
            change.changes.push_back({field.name, fieldText(field, a), fieldText(field, b)});
    const std::size_t count = change.changes.size();
    if (part.kind == PartKind::Screen) {
        change.summary = plural(count, "map cell", "map cells");
    } else if (part.kind == PartKind::Tiles) {
        change.summary = plural(count, "pixel", "pixels");
        change.changes.clear();
    } else if (count == 0) {
        // Bits no field shows (the mask's show bits, a record's padding).
        std::size_t bytes = 0;
        for (const Span& span : part.spans)
            for (std::size_t i = span.start; i < span.start + span.size; ++i)
                bytes += a[i] != b[i];
        change.summary = plural(bytes, "byte", "bytes");
    } else {
        change.summary = plural(count, "change", "changes");
    }
}

// Frames whose sprite count or entry sizes changed are told by count; the
// same shape is told field by field.
void diffFrames(const ImageMap& map, const Part& part, const rom::RomImage& original, const rom::RomImage& edited,
                PartChange& change)
{
    for (const int frame : part.frames) {
        try {
            const sprites::FrameSprites before = sprites::readFrameSprites(original, frame);
            const sprites::FrameSprites after = sprites::readFrameSprites(edited, frame);
            if (before.sprites.size() != after.sprites.size() || before.form != after.form)
                change.changes.push_back({"frame " + sprites::frameNumberList({frame}) + " sprites",
                                          std::to_string(before.sprites.size()), std::to_string(after.sprites.size())});
        } catch (const RomError& error) {
            change.changes.push_back({"frame " + sprites::frameNumberList({frame}), "readable", error.what()});
        }
    }
    if (change.changes.empty()) {
        diffFields(map, part, original.body(), edited.body(), change);
        return;
    }
    change.summary = "sprite count changed";
}

void diffTexts(const ImageMap& map, const rom::RomImage& original, const rom::RomImage& edited,
               const rom::CharTable& table, std::vector<PartChange>& out)
{
    for (int n = 0; n < layout::kTextCount; ++n) {
        std::string before;
        std::string after;
        try {
            before = text::decodeText(original, n, table);
        } catch (const RomError& error) {
            before = error.what();
        }
        try {
            after = text::decodeText(edited, n, table);
        } catch (const RomError& error) {
            after = error.what();
        }
        if (before == after)
            continue;
        const int index = map.findKey("text:" + std::to_string(n));
        PartChange change = changeOf(map.parts()[static_cast<std::size_t>(index)], index);
        change.summary = "text changed";
        change.changes.push_back({"text", before, after});
        out.push_back(std::move(change));
    }
}

void diffOther(const std::vector<std::pair<std::size_t, std::size_t>>& runs, const Body& a, const Body& b,
               std::vector<PartChange>& out)
{
    for (const auto& [start, end] : runs) {
        PartChange change;
        change.name = ImageMap::otherName(start, end);
        std::size_t bytes = 0;
        for (std::size_t i = start; i < end; ++i)
            bytes += a[i] != b[i];
        change.summary = plural(bytes, "byte", "bytes");
        if (end - start <= 16)
            change.changes.push_back({"bytes", hexBytes(a, start, end), hexBytes(b, start, end)});
        out.push_back(std::move(change));
    }
}

} // namespace

std::string partTitle(const Part& part)
{
    if (part.kind != PartKind::FrameTable || part.frames.empty())
        return part.name;
    const std::string frames = (part.frames.size() == 1 ? "frame " : "frames ") + sprites::frameNumberList(part.frames);
    return part.name.rfind("layout", 0) == 0 ? part.name + ", " + frames : frames;
}

std::vector<PartChange> diffImages(const ImageMap& map, const rom::RomImage& original, const rom::RomImage& edited,
                                   const rom::CharTable& table)
{
    const Body& a = original.body();
    const Body& b = edited.body();
    if (a.size() != b.size() || a.size() != map.size())
        throw RomError("the images to compare differ in size");
    std::set<int> touched;
    std::vector<std::pair<std::size_t, std::size_t>> runs; // other bytes, [start, end)
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        const int owner = map.ownerOf(i);
        if (owner >= 0) {
            touched.insert(owner);
        } else if (!runs.empty() && runs.back().second + 4 >= i
                   && i / layout::kPrgBankSize == runs.back().first / layout::kPrgBankSize) {
            runs.back().second = i + 1;
        } else {
            runs.emplace_back(i, i + 1);
        }
    }
    // Fields may reach bytes another part owns (a table both name).
    std::vector<PartChange> out;
    bool texts = false;
    for (const int index : touched) {
        const Part& part = map.parts()[static_cast<std::size_t>(index)];
        if (part.kind == PartKind::Text || part.kind == PartKind::TextSpace) {
            texts = true;
            continue;
        }
        PartChange change = changeOf(part, index);
        if (part.kind == PartKind::FrameTable)
            diffFrames(map, part, original, edited, change);
        else
            diffFields(map, part, a, b, change);
        out.push_back(std::move(change));
    }
    if (texts)
        diffTexts(map, original, edited, table, out);
    diffOther(runs, a, b, out);
    return out;
}

} // namespace quarry::compare
