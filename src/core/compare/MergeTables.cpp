// The merge of the tables that move their own bytes: the text block, which
// is packed again, and sprite tables, whose entries shift when a sprite goes.
#include "core/compare/ImageMerge.h"

#include "core/RomError.h"
#include "core/compare/ImageDiff.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/sprites/FrameSprites.h"
#include "core/text/TextBlock.h"
#include "core/text/TextCodec.h"

#include <algorithm>

namespace quarry::compare {

namespace {

using Body = std::vector<std::uint8_t>;
using Strings = std::vector<std::vector<std::uint8_t>>;

rom::RomImage imageOf(const rom::RomImage::Header& header, const Body& body)
{
    return rom::RomImage(header, body);
}

// Each string's bytes up to its end mark, as the pointer table finds them.
Strings readStrings(const rom::RomImage& image)
{
    Strings strings;
    for (int n = 0; n < layout::kTextCount; ++n) {
        const std::size_t start = text::textStart(image, n);
        const auto stored = image.bytes(start, text::storedSizeAt(image, start));
        std::vector<std::uint8_t> bytes(stored.begin(), stored.end());
        if (!bytes.empty() && bytes.back() == layout::kTextTerminator)
            bytes.pop_back();
        strings.push_back(std::move(bytes));
    }
    return strings;
}

std::vector<Span> textSpans(const ImageMap& map)
{
    std::vector<Span> spans;
    for (const Part& part : map.parts())
        if (part.kind == PartKind::Text || part.kind == PartKind::TextSpace)
            spans.insert(spans.end(), part.spans.begin(), part.spans.end());
    return spans;
}

// Both sides made the same change: it is taken once, whatever it is.
bool sameIn(const Body& a, const Body& b, const std::vector<Span>& spans)
{
    for (const Span& span : spans)
        if (!std::equal(a.begin() + span.start, a.begin() + span.start + span.size, b.begin() + span.start))
            return false;
    return true;
}

bool changedIn(const Body& a, const Body& b, const std::vector<Span>& spans)
{
    for (const Span& span : spans)
        for (std::size_t i = span.start; i < span.start + span.size; ++i)
            if (a[i] != b[i])
                return true;
    return false;
}

// The frames' stored shape: where each sprite's bytes lie and how many.
bool sameShape(const rom::RomImage& a, const rom::RomImage& b, const std::vector<int>& frames)
{
    for (const int frame : frames) {
        try {
            const sprites::FrameSprites x = sprites::readFrameSprites(a, frame);
            const sprites::FrameSprites y = sprites::readFrameSprites(b, frame);
            if (x.form != y.form || x.layout != y.layout || x.sprites.size() != y.sprites.size())
                return false;
            for (std::size_t s = 0; s < x.sprites.size(); ++s)
                if (x.sprites[s].entryAt != y.sprites[s].entryAt || x.sprites[s].entrySize != y.sprites[s].entrySize
                    || x.sprites[s].tileAt != y.sprites[s].tileAt)
                    return false;
        } catch (const RomError&) {
            return false;
        }
    }
    return true;
}

} // namespace

void ImageMerge::mergeFrameTable(const Part& part)
{
    const bool mineChanged = changedIn(original_, mine_, part.spans);
    const bool theirsChanged = changedIn(original_, theirs_, part.spans);
    if (!(mineChanged && theirsChanged) || sameIn(mine_, theirs_, part.spans)) {
        takeWhole(part.spans, mineChanged ? Side::Mine : Side::Theirs);
        return;
    }
    const rom::RomImage original = imageOf(header_, original_);
    if (sameShape(original, imageOf(header_, mine_), part.frames)
        && sameShape(original, imageOf(header_, theirs_), part.frames)) {
        mergeFields(part, part.fields);
        mergeUncovered(part, part.fields);
        return;
    }
    std::vector<Bits> bits;
    for (const Span& span : part.spans)
        for (std::uint32_t i = span.start; i < span.start + span.size; ++i)
            bits.push_back({i, 0xFF});
    addConflict(partTitle(part) + ": sprites changed on both sides, and their count or places differ",
                std::move(bits), part.place);
}

void ImageMerge::mergeTexts(const ImageMap& map, const rom::CharTable& table)
{
    const std::vector<Span> spans = textSpans(map);
    const bool mineChanged = changedIn(original_, mine_, spans);
    const bool theirsChanged = changedIn(original_, theirs_, spans);
    if (!(mineChanged && theirsChanged) || sameIn(mine_, theirs_, spans)) {
        takeWhole(spans, mineChanged ? Side::Mine : Side::Theirs);
        return;
    }
    const rom::RomImage original = imageOf(header_, original_);
    const Strings o = readStrings(original);
    texts_.mine = readStrings(imageOf(header_, mine_));
    texts_.theirs = readStrings(imageOf(header_, theirs_));
    texts_.capacity = text::TextBlock::measure(original).capacity();
    texts_.active = true;
    texts_.merged = o;
    texts_.conflictOf.assign(o.size(), -1);

    std::size_t largest = 0; // the block with the longer side of each conflict
    std::string changed;
    std::vector<Conflict> strings;
    for (std::size_t n = 0; n < o.size(); ++n) {
        const auto& m = texts_.mine[n];
        const auto& t = texts_.theirs[n];
        if (m != o[n] || t != o[n])
            changed += (changed.empty() ? "" : ", ") + std::string("$") + hexDigits(static_cast<std::uint32_t>(n), 2);
        std::size_t size = t.size();
        if (m == o[n] || m == t) {
            texts_.merged[n] = t;
        } else if (t == o[n]) {
            texts_.merged[n] = m;
            size = m.size();
        } else {
            Conflict conflict;
            conflict.text = static_cast<int>(n);
            conflict.place.number = static_cast<int>(n);
            conflict.description = "text $" + hexDigits(static_cast<std::uint32_t>(n), 2) + ": mine \""
                                   + text::decodeBytes(m, table) + "\", theirs \"" + text::decodeBytes(t, table) + "\"";
            strings.push_back(std::move(conflict));
            size = std::max(m.size(), t.size());
        }
        largest += size + 1;
    }
    if (largest > texts_.capacity) {
        Conflict conflict;
        conflict.textsDoNotFit = true;
        for (const Span& span : spans)
            for (std::uint32_t i = span.start; i < span.start + span.size; ++i)
                conflict.bits.push_back({i, 0xFF});
        conflict.description = "texts " + changed + " do not fit together: they need " + std::to_string(largest)
                               + " bytes and the text block holds " + std::to_string(texts_.capacity);
        conflicts_.push_back(std::move(conflict));
        texts_.active = false;
        return;
    }
    for (Conflict& conflict : strings) {
        texts_.conflictOf[static_cast<std::size_t>(conflict.text)] = static_cast<int>(conflicts_.size());
        conflicts_.push_back(std::move(conflict));
    }
}

rom::RomImage ImageMerge::result(const std::vector<Side>& choices, Side fallback) const
{
    Body out = merged_;
    const auto choice = [&](std::size_t i) { return i < choices.size() ? choices[i] : fallback; };
    for (std::size_t i = 0; i < conflicts_.size(); ++i) {
        const Body& from = side(choice(i));
        for (const Bits& bits : conflicts_[i].bits)
            out[bits.index] = static_cast<std::uint8_t>((out[bits.index] & ~bits.mask) | (from[bits.index] & bits.mask));
    }
    if (texts_.active) {
        // Packed from the block's start; the bytes after keep ORIGINAL's.
        std::size_t offset = 0;
        for (std::size_t n = 0; n < texts_.merged.size(); ++n) {
            const int conflict = texts_.conflictOf[n];
            const auto& bytes = conflict < 0 ? texts_.merged[n]
                                : choice(static_cast<std::size_t>(conflict)) == Side::Mine ? texts_.mine[n]
                                                                                          : texts_.theirs[n];
            std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(layout::kTextBlockStart + offset));
            out[layout::kTextBlockStart + offset + bytes.size()] = layout::kTextTerminator;
            const auto pointer = static_cast<std::uint16_t>(layout::kTextBlockStartCpu + offset);
            out[layout::kTextPointerTable + 2 * n] = static_cast<std::uint8_t>(pointer & 0xFF);
            out[layout::kTextPointerTable + 2 * n + 1] = static_cast<std::uint8_t>(pointer >> 8);
            offset += bytes.size() + 1;
        }
    }
    return rom::RomImage(header_, std::move(out));
}

} // namespace quarry::compare
