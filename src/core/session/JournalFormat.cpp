#include "core/session/JournalFormat.h"

#include "core/RomError.h"
#include "core/patch/Crc32.h"

#include <algorithm>
#include <cstring>

namespace quarry::session {

namespace {

constexpr std::uint8_t kMagic[8] = {'Q', 'U', 'A', 'R', 'R', 'Y', 'J', '1'};
constexpr std::uint32_t kRecordMarker = 0x4352'4A51; // "QJRC" as stored
// Marker, length, then the checksum after the payload.
constexpr std::size_t kRecordFrame = 12;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void u8(std::uint8_t v) { out_.push_back(v); }
    void u32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void bytes(std::span<const std::uint8_t> b)
    {
        u32(static_cast<std::uint32_t>(b.size()));
        out_.insert(out_.end(), b.begin(), b.end());
    }
    void text(const std::string& s) { bytes({reinterpret_cast<const std::uint8_t*>(s.data()), s.size()}); }
    void entry(const EditEntry& e)
    {
        text(e.name);
        u32(static_cast<std::uint32_t>(e.mergeId));
        u32(e.changed);
        u8(e.area ? 1 : 0);
        const rom::AreaId area = e.area.value_or(rom::AreaId{});
        for (int v : {area.objectSet, area.area, area.submap})
            u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(e.changes.size()));
        for (const ByteChange& change : e.changes) {
            u64(change.index);
            bytes(change.before);
            out_.insert(out_.end(), change.after.begin(), change.after.end()); // as long as before
        }
    }

private:
    std::vector<std::uint8_t>& out_;
};

struct Damaged {};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
    std::size_t left() const { return in_.size() - at_; }
    std::span<const std::uint8_t> take(std::size_t n)
    {
        if (n > left())
            throw Damaged{};
        const auto part = in_.subspan(at_, n);
        at_ += n;
        return part;
    }
    std::uint8_t u8() { return take(1)[0]; }
    std::uint32_t u32()
    {
        const auto b = take(4);
        return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
    }
    std::uint64_t u64()
    {
        const std::uint64_t low = u32();
        return low | std::uint64_t(u32()) << 32;
    }
    std::vector<std::uint8_t> bytes()
    {
        const auto b = take(u32());
        return {b.begin(), b.end()};
    }
    std::string text()
    {
        const auto b = take(u32());
        return {b.begin(), b.end()};
    }
    EditEntry entry()
    {
        EditEntry e;
        e.name = text();
        e.mergeId = static_cast<int>(u32());
        e.changed = u32();
        const bool hasArea = u8() != 0;
        rom::AreaId area;
        area.objectSet = static_cast<int>(u32());
        area.area = static_cast<int>(u32());
        area.submap = static_cast<int>(u32());
        if (hasArea)
            e.area = area;
        const std::uint32_t count = u32();
        if (count > left() / 12) // each change takes at least 12 bytes
            throw Damaged{};
        e.changes.resize(count);
        for (ByteChange& change : e.changes) {
            change.index = u64();
            change.before = bytes();
            const auto after = take(change.before.size());
            change.after.assign(after.begin(), after.end());
        }
        return e;
    }

private:
    std::span<const std::uint8_t> in_;
    std::size_t at_ = 0;
};

// One framed record at `at`, or nothing when it does not check out.
std::optional<std::span<const std::uint8_t>> framedPayload(std::span<const std::uint8_t> bytes, std::size_t at)
{
    try {
        Reader frame(bytes.subspan(at));
        if (frame.u32() != kRecordMarker)
            return std::nullopt;
        const auto payload = frame.take(frame.u32());
        if (frame.u32() != patch::crc32(payload))
            return std::nullopt;
        return payload;
    } catch (const Damaged&) {
        return std::nullopt;
    }
}

// After damage at `at`: how many records are lost, judged by the sequence
// number of the last record further on that still checks out.
std::size_t countLost(std::span<const std::uint8_t> bytes, std::size_t at, std::uint32_t lastGood)
{
    std::size_t lost = at < bytes.size() ? 1 : 0;
    for (std::size_t i = at + 1; i + kRecordFrame <= bytes.size(); ++i) {
        if (const auto payload = framedPayload(bytes, i); payload && payload->size() >= 4) {
            const std::uint32_t sequence = Reader(*payload).u32();
            if (sequence > lastGood)
                lost = std::max<std::size_t>(lost, sequence - lastGood);
        }
    }
    return lost;
}

} // namespace

std::vector<std::uint8_t> encodeJournalStart(const JournalHeader& header, const JournalHistory& history)
{
    std::vector<std::uint8_t> payload;
    Writer w(payload);
    w.u64(header.imageSize);
    w.u32(header.imageCrc);
    w.u64(static_cast<std::uint64_t>(header.startedAt));
    w.text(header.imagePath);
    w.u64(history.index);
    w.u8(history.clean ? 1 : 0);
    w.u64(history.clean.value_or(0));
    w.u32(static_cast<std::uint32_t>(history.steps.size()));
    for (const EditEntry& step : history.steps)
        w.entry(step);

    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    Writer frame(out);
    frame.bytes(payload);
    frame.u32(patch::crc32(payload));
    return out;
}

void encodeJournalRecord(std::vector<std::uint8_t>& out, std::uint32_t sequence, JournalStep step,
                         const EditEntry& entry)
{
    out.clear();
    Writer w(out);
    w.u32(kRecordMarker);
    w.u32(0); // the payload's length, known below
    w.u32(sequence);
    w.u8(static_cast<std::uint8_t>(step));
    w.entry(entry);
    const std::uint32_t length = static_cast<std::uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
    w.u32(patch::crc32(std::span(out).subspan(8)));
}

DecodedJournal decodeJournal(std::span<const std::uint8_t> bytes)
{
    DecodedJournal journal;
    std::size_t at = 0;
    try {
        Reader start(bytes);
        if (!std::equal(std::begin(kMagic), std::end(kMagic), start.take(sizeof kMagic).begin()))
            throw Damaged{};
        const std::vector<std::uint8_t> payload = start.bytes();
        if (start.u32() != patch::crc32(payload))
            throw Damaged{};
        at = bytes.size() - start.left();
        Reader r(payload);
        journal.header.imageSize = r.u64();
        journal.header.imageCrc = r.u32();
        journal.header.startedAt = static_cast<std::int64_t>(r.u64());
        journal.header.imagePath = r.text();
        journal.history.index = r.u64();
        const bool hasClean = r.u8() != 0;
        const std::uint64_t clean = r.u64();
        if (hasClean)
            journal.history.clean = clean;
        const std::uint32_t count = r.u32();
        if (count > r.left())
            throw Damaged{};
        for (std::uint32_t i = 0; i < count; ++i)
            journal.history.steps.push_back(r.entry());
    } catch (const Damaged&) {
        throw RomError("the recovery journal is damaged at its start and cannot be read");
    }

    std::uint32_t sequence = 0;
    while (at < bytes.size()) {
        const auto payload = framedPayload(bytes, at);
        try {
            if (!payload)
                throw Damaged{};
            Reader r(*payload);
            if (r.u32() != sequence + 1)
                throw Damaged{};
            JournalRecord record;
            const std::uint8_t step = r.u8();
            if (step < 1 || step > 4)
                throw Damaged{};
            record.step = static_cast<JournalStep>(step);
            record.entry = r.entry();
            if (r.left() != 0)
                throw Damaged{};
            journal.records.push_back(std::move(record));
            ++sequence;
            at += kRecordFrame + payload->size();
        } catch (const Damaged&) {
            journal.lost = countLost(bytes, at, sequence);
            break;
        }
    }
    return journal;
}

bool sameEntry(const EditEntry& a, const EditEntry& b)
{
    return a.name == b.name && a.changes.size() == b.changes.size() &&
           std::equal(a.changes.begin(), a.changes.end(), b.changes.begin(),
                      [](const ByteChange& x, const ByteChange& y) {
                          return x.index == y.index && x.before == y.before && x.after == y.after;
                      });
}

} // namespace quarry::session
