#include "core/patch/Ips.h"

#include "core/RomError.h"
#include "core/rom/Hex.h"

#include <algorithm>
#include <string>

namespace quarry::patch {

namespace {

constexpr std::size_t kEofOffset = 0x454F46; // "EOF" read as an offset
constexpr std::size_t kLargestOffset = 0xFFFFFF;
constexpr std::size_t kLargestRecord = 0xFFFF;
constexpr std::size_t kRecordHeader = 5; // offset and size
constexpr std::size_t kRunRecord = 8;    // offset, size 0, count and value
constexpr std::uint8_t kMagic[] = {'P', 'A', 'T', 'C', 'H'};
constexpr std::uint8_t kEof[] = {'E', 'O', 'F'};

std::string offsetText(std::size_t offset)
{
    return fileOffsetText(static_cast<std::uint32_t>(offset));
}

// Writes the records of one patch; every byte written is the edited file's.
class IpsWriter {
public:
    explicit IpsWriter(const std::vector<std::uint8_t>& edited) : edited_(edited)
    {
        out_.assign(std::begin(kMagic), std::end(kMagic));
    }

    // The changed bytes [begin, end), with runs where they save space.
    void span(std::size_t begin, std::size_t end)
    {
        std::size_t literalStart = begin;
        for (std::size_t at = begin; at < end;) {
            std::size_t length = 1;
            while (at + length < end && edited_[at + length] == edited_[at])
                ++length;
            // Inline the run costs its bytes (and a header if no record is
            // open); a run record costs 8 bytes, plus a header for the bytes
            // after it.
            const std::size_t inlined = length + (at > literalStart ? 0 : kRecordHeader);
            const std::size_t asRun = kRunRecord + (at + length < end ? kRecordHeader : 0);
            if (asRun < inlined) {
                literal(literalStart, at);
                run(at, at + length);
                literalStart = at + length;
            }
            at += length;
        }
        literal(literalStart, end);
    }

    std::vector<std::uint8_t> finish(std::size_t truncateTo, bool truncate)
    {
        out_.insert(out_.end(), std::begin(kEof), std::end(kEof));
        if (truncate)
            put24(truncateTo);
        return std::move(out_);
    }

private:
    void literal(std::size_t begin, std::size_t end)
    {
        for (std::size_t at = begin; at < end;) {
            // A record at "EOF" would end the patch: start it a byte early.
            const std::size_t start = at == kEofOffset ? at - 1 : at;
            const std::size_t count = std::min(end - start, kLargestRecord);
            header(start, count);
            out_.insert(out_.end(), edited_.begin() + static_cast<std::ptrdiff_t>(start),
                        edited_.begin() + static_cast<std::ptrdiff_t>(start + count));
            at = start + count;
        }
    }

    void run(std::size_t begin, std::size_t end)
    {
        for (std::size_t at = begin; at < end;) {
            const std::size_t count = std::min(end - at, kLargestRecord);
            if (at == kEofOffset || count < kRunRecord - kRecordHeader) {
                // literal() moves a record at "EOF" one byte earlier.
                const std::size_t stop = at + std::min<std::size_t>(count, kRunRecord - kRecordHeader);
                literal(at, stop);
                at = stop;
                continue;
            }
            header(at, 0);
            put16(count);
            out_.push_back(edited_[at]);
            at += count;
        }
    }

    void header(std::size_t offset, std::size_t size)
    {
        if (offset > kLargestOffset)
            throw RomError("the edited file is too large for an IPS patch: it changes offset " + offsetText(offset)
                           + ", beyond the last offset an IPS record can name (0xFFFFFF)");
        put24(offset);
        put16(size);
    }

    void put24(std::size_t value)
    {
        out_.push_back(static_cast<std::uint8_t>(value >> 16));
        out_.push_back(static_cast<std::uint8_t>(value >> 8));
        out_.push_back(static_cast<std::uint8_t>(value));
    }

    void put16(std::size_t value)
    {
        out_.push_back(static_cast<std::uint8_t>(value >> 8));
        out_.push_back(static_cast<std::uint8_t>(value));
    }

    const std::vector<std::uint8_t>& edited_;
    std::vector<std::uint8_t> out_;
};

std::size_t read24(std::span<const std::uint8_t> patch, std::size_t at)
{
    return (std::size_t{patch[at]} << 16) | (std::size_t{patch[at + 1]} << 8) | patch[at + 2];
}

std::size_t read16(std::span<const std::uint8_t> patch, std::size_t at)
{
    return (std::size_t{patch[at]} << 8) | patch[at + 1];
}

[[noreturn]] void throwCutShort(std::size_t recordAt)
{
    throw RomError("the IPS patch is truncated: its record at patch byte " + std::to_string(recordAt)
                   + " ends before its data does");
}

void checkInside(std::size_t offset, std::size_t count, std::size_t fileSize)
{
    if (offset + count > fileSize)
        throw RomError("the IPS patch writes beyond the image: its record at file offset " + offsetText(offset) + " of "
                       + std::to_string(count) + " bytes ends at " + offsetText(offset + count) + ", the file holds "
                       + offsetText(fileSize) + " bytes; images are never resized, so nothing was applied");
}

} // namespace

std::vector<std::uint8_t> makeIps(const std::vector<std::uint8_t>& original, const std::vector<std::uint8_t>& edited)
{
    const auto differs = [&](std::size_t i) { return i >= original.size() || original[i] != edited[i]; };
    IpsWriter writer(edited);
    const std::size_t size = edited.size();
    for (std::size_t at = 0; at < size;) {
        if (!differs(at)) {
            ++at;
            continue;
        }
        // One span takes in gaps of unchanged bytes shorter than a record
        // header: rewriting them costs less than starting a new record.
        std::size_t end = at;
        for (std::size_t i = at; i < size && i - end < kRecordHeader; ++i)
            if (differs(i))
                end = i + 1;
        writer.span(at, end);
        at = end;
    }
    if (size < original.size() && size > kLargestOffset)
        throw RomError("the edited file is too large for an IPS patch to cut it to size");
    return writer.finish(size, size < original.size());
}

std::vector<std::uint8_t> applyIps(const std::vector<std::uint8_t>& file, std::span<const std::uint8_t> patch)
{
    if (patch.size() < std::size(kMagic) || !std::equal(std::begin(kMagic), std::end(kMagic), patch.begin()))
        throw RomError("this is not an IPS patch: it does not start with \"PATCH\"");
    std::vector<std::uint8_t> result = file;
    std::size_t at = std::size(kMagic);
    for (;;) {
        if (patch.size() - at < 3)
            throw RomError("the IPS patch is truncated: it ends without its \"EOF\" marker");
        const std::size_t recordAt = at;
        const std::size_t offset = read24(patch, at);
        at += 3;
        if (offset == kEofOffset)
            break;
        if (patch.size() - at < 2)
            throwCutShort(recordAt);
        const std::size_t size = read16(patch, at);
        at += 2;
        if (size == 0) {
            if (patch.size() - at < 3)
                throwCutShort(recordAt);
            const std::size_t count = read16(patch, at);
            const std::uint8_t value = patch[at + 2];
            at += 3;
            if (count == 0)
                throw RomError("the IPS patch is malformed: its record at patch byte " + std::to_string(recordAt)
                               + " is a run of zero bytes");
            checkInside(offset, count, result.size());
            std::fill_n(result.begin() + static_cast<std::ptrdiff_t>(offset), count, value);
        } else {
            if (patch.size() - at < size)
                throwCutShort(recordAt);
            checkInside(offset, size, result.size());
            std::copy_n(patch.begin() + static_cast<std::ptrdiff_t>(at), size,
                        result.begin() + static_cast<std::ptrdiff_t>(offset));
            at += size;
        }
    }
    const std::size_t rest = patch.size() - at;
    if (rest == 3) {
        const std::size_t truncateTo = read24(patch, at);
        if (truncateTo != result.size())
            throw RomError("the IPS patch would cut the file to " + std::to_string(truncateTo) + " bytes, the image holds "
                           + std::to_string(result.size()) + "; images are never resized, so nothing was applied");
    } else if (rest != 0) {
        throw RomError("the IPS patch is malformed: " + std::to_string(rest) + " unexpected bytes follow its \"EOF\" marker");
    }
    return result;
}

} // namespace quarry::patch
