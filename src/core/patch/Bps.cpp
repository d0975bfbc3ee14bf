#include "core/patch/Bps.h"

#include "core/RomError.h"
#include "core/patch/Crc32.h"
#include "core/rom/Hex.h"

#include <algorithm>
#include <string>

namespace quarry::patch {

namespace {

constexpr std::uint8_t kMagic[] = {'B', 'P', 'S', '1'};
constexpr std::size_t kFooter = 12; // three CRC32s
constexpr std::size_t kShortest = std::size(kMagic) + 3 + kFooter;
// Runs of one changed value at least this long are copied, not carried.
constexpr std::size_t kShortestCopiedRun = 4;

enum Action : std::uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

void putNumber(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    for (;;) {
        const std::uint8_t low = value & 0x7F;
        value >>= 7;
        if (value == 0) {
            out.push_back(0x80 | low);
            return;
        }
        out.push_back(low);
        --value;
    }
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t read32(std::span<const std::uint8_t> data, std::size_t at)
{
    return data[at] | (std::uint32_t{data[at + 1]} << 8) | (std::uint32_t{data[at + 2]} << 16)
           | (std::uint32_t{data[at + 3]} << 24);
}

std::string crcText(std::uint32_t crc)
{
    return hexDigits(crc, 8);
}

[[noreturn]] void throwMalformed(const std::string& what)
{
    throw RomError("the BPS patch is malformed: " + what);
}

// Reads the action list of a patch whose checksum already matched.
class BpsReader {
public:
    BpsReader(std::span<const std::uint8_t> patch, std::size_t at)
        : patch_(patch), at_(at), end_(patch.size() - kFooter)
    {
    }

    bool atEnd() const { return at_ >= end_; }
    std::size_t position() const { return at_; }

    std::uint64_t number()
    {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (;;) {
            if (at_ >= end_)
                throwMalformed("it ends inside a number");
            const std::uint8_t byte = patch_[at_++];
            value += (byte & 0x7F) * shift;
            if (byte & 0x80)
                return value;
            if (shift > (std::uint64_t{1} << 49))
                throwMalformed("a number at patch byte " + std::to_string(at_) + " is too large");
            shift <<= 7;
            value += shift;
        }
    }

    std::span<const std::uint8_t> bytes(std::uint64_t count, const char* what)
    {
        if (count > end_ - at_)
            throwMalformed(std::string(what) + " at patch byte " + std::to_string(at_) + " runs past the end of the patch");
        const auto data = patch_.subspan(at_, static_cast<std::size_t>(count));
        at_ += static_cast<std::size_t>(count);
        return data;
    }

private:
    std::span<const std::uint8_t> patch_;
    std::size_t at_;
    std::size_t end_;
};

// Moves a copy's relative offset as the patch says; it must stay inside
// [0, limit).
std::uint64_t movedOffset(std::uint64_t offset, std::uint64_t encoded, std::uint64_t limit, const char* what)
{
    const std::uint64_t distance = encoded >> 1;
    if (encoded & 1) {
        if (distance > offset)
            throwMalformed(std::string(what) + " starts before the beginning of its data");
        return offset - distance;
    }
    if (distance > limit - std::min(offset, limit))
        throwMalformed(std::string(what) + " starts past the end of its data");
    return offset + distance;
}

} // namespace

std::vector<std::uint8_t> makeBps(const std::vector<std::uint8_t>& source, const std::vector<std::uint8_t>& target)
{
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    putNumber(out, source.size());
    putNumber(out, target.size());
    putNumber(out, 0);
    const auto action = [&out](Action kind, std::size_t length) { putNumber(out, ((length - 1) << 2) | kind); };
    const auto same = [&](std::size_t i) { return i < source.size() && source[i] == target[i]; };

    std::size_t targetOffset = 0; // the decoder's relative offset for TargetCopy
    for (std::size_t at = 0; at < target.size();) {
        std::size_t end = at;
        if (same(at)) {
            while (end < target.size() && same(end))
                ++end;
            action(SourceRead, end - at);
            at = end;
            continue;
        }
        while (end < target.size() && !same(end))
            ++end;
        // Carry the changed bytes, but copy a run of one value from its
        // first byte once that byte is written.
        std::size_t carried = at;
        for (std::size_t p = at; p < end;) {
            std::size_t length = 1;
            while (p + length < end && target[p + length] == target[p])
                ++length;
            if (length >= kShortestCopiedRun) {
                action(TargetRead, p + 1 - carried);
                out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(carried),
                           target.begin() + static_cast<std::ptrdiff_t>(p + 1));
                action(TargetCopy, length - 1);
                putNumber(out, p >= targetOffset ? (p - targetOffset) << 1 : ((targetOffset - p) << 1) | 1);
                targetOffset = p + length - 1;
                carried = p + length;
            }
            p += length;
        }
        if (carried < end) {
            action(TargetRead, end - carried);
            out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(carried),
                       target.begin() + static_cast<std::ptrdiff_t>(end));
        }
        at = end;
    }
    put32(out, crc32(source));
    put32(out, crc32(target));
    put32(out, crc32(out));
    return out;
}

std::vector<std::uint8_t> applyBps(const std::vector<std::uint8_t>& source, std::span<const std::uint8_t> patch)
{
    if (patch.size() < std::size(kMagic) || !std::equal(std::begin(kMagic), std::end(kMagic), patch.begin()))
        throw RomError("this is not a BPS patch: it does not start with \"BPS1\"");
    if (patch.size() < kShortest)
        throw RomError("the BPS patch is truncated: it holds only " + std::to_string(patch.size()) + " bytes");
    const std::uint32_t patchCrc = crc32(patch.first(patch.size() - 4));
    if (patchCrc != read32(patch, patch.size() - 4))
        throw RomError("the BPS patch is corrupt or truncated: its checksum (CRC32 " + crcText(read32(patch, patch.size() - 4))
                       + ") does not match its contents (CRC32 " + crcText(patchCrc) + ")");

    BpsReader reader(patch, std::size(kMagic));
    const std::uint64_t sourceSize = reader.number();
    const std::uint64_t targetSize = reader.number();
    reader.bytes(reader.number(), "the metadata");
    const std::uint32_t expectedSource = read32(patch, patch.size() - kFooter);
    const std::uint32_t expectedTarget = read32(patch, patch.size() - 8);
    if (sourceSize != source.size())
        throw RomError("this BPS patch was made for another image: it expects a file of " + std::to_string(sourceSize)
                       + " bytes, this one holds " + std::to_string(source.size()));
    const std::uint32_t sourceCrc = crc32(source);
    if (sourceCrc != expectedSource)
        throw RomError("this BPS patch was made for another image: it expects a file with CRC32 " + crcText(expectedSource)
                       + ", this one has CRC32 " + crcText(sourceCrc));
    if (targetSize > kLargestBpsTarget)
        throwMalformed("it describes a result of " + std::to_string(targetSize) + " bytes");

    std::vector<std::uint8_t> target(static_cast<std::size_t>(targetSize));
    std::size_t output = 0;
    std::uint64_t sourceOffset = 0;
    std::uint64_t targetOffset = 0;
    while (!reader.atEnd()) {
        const std::size_t actionAt = reader.position();
        const std::uint64_t data = reader.number();
        const std::uint64_t length = (data >> 2) + 1;
        if (length > target.size() - output)
            throwMalformed("the action at patch byte " + std::to_string(actionAt) + " writes past the end of the result");
        const auto at = static_cast<std::ptrdiff_t>(output);
        switch (data & 3) {
        case SourceRead:
            if (output + length > source.size())
                throwMalformed("the action at patch byte " + std::to_string(actionAt) + " reads past the end of the source");
            std::copy_n(source.begin() + at, length, target.begin() + at);
            break;
        case TargetRead: {
            const auto bytes = reader.bytes(length, "the data of an action");
            std::copy(bytes.begin(), bytes.end(), target.begin() + at);
            break;
        }
        case SourceCopy:
            sourceOffset = movedOffset(sourceOffset, reader.number(), source.size(), "a copy from the source");
            if (length > source.size() - sourceOffset)
                throwMalformed("the action at patch byte " + std::to_string(actionAt) + " copies past the end of the source");
            std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(sourceOffset), length, target.begin() + at);
            sourceOffset += length;
            break;
        case TargetCopy:
            targetOffset = movedOffset(targetOffset, reader.number(), output, "a copy within the result");
            if (targetOffset >= output)
                throwMalformed("the action at patch byte " + std::to_string(actionAt)
                               + " copies result bytes not yet written");
            // Byte by byte: the copy may overlap what it writes.
            for (std::uint64_t i = 0; i < length; ++i)
                target[output + i] = target[targetOffset + i];
            targetOffset += length;
            break;
        }
        output += static_cast<std::size_t>(length);
    }
    if (output != target.size())
        throwMalformed("its actions end after " + std::to_string(output) + " of " + std::to_string(target.size())
                       + " result bytes");
    const std::uint32_t targetCrc = crc32(target);
    if (targetCrc != expectedTarget)
        throw RomError("the BPS patch did not produce the file it describes: the result has CRC32 " + crcText(targetCrc)
                       + ", the patch expects " + crcText(expectedTarget));
    return target;
}

} // namespace quarry::patch
