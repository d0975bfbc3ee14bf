#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/rom/FileAccess.h"

namespace quarry::rom {

// One iNES image in memory: the 16-byte header kept exactly as read, and the
// body (everything after it). Body index 0 is the first byte of PRG-ROM.
//
// Every access is bounds-checked and throws RomError when it would leave the
// body, so no caller can read or write outside the image. All writes go
// through one door (writeBytes) so an observer can see each change.
class RomImage {
public:
    static constexpr std::size_t kHeaderSize = 16;
    using Header = std::array<std::uint8_t, kHeaderSize>;

    // Called for each write with the body index, the bytes before and after.
    using WriteObserver = std::function<void(std::size_t index, std::span<const std::uint8_t> before,
                                             std::span<const std::uint8_t> after)>;

    // The state before any image is opened: a zero header and a body of one
    // zero byte.
    RomImage();
    RomImage(const Header& header, std::vector<std::uint8_t> body);

    const Header& header() const { return header_; }
    const std::vector<std::uint8_t>& body() const { return body_; }
    std::size_t size() const { return body_.size(); }
    bool contains(std::size_t index, std::size_t count = 1) const;

    std::uint8_t read(std::size_t index) const;
    // Little-endian 16-bit value, low byte first.
    std::uint16_t readWord(std::size_t index) const;
    std::span<const std::uint8_t> bytes(std::size_t index, std::size_t count) const;

    void write(std::size_t index, std::uint8_t value);
    void writeWord(std::size_t index, std::uint16_t value);
    void writeBytes(std::size_t index, std::span<const std::uint8_t> data);

    void setWriteObserver(WriteObserver observer) { observer_ = std::move(observer); }

private:
    void check(std::size_t index, std::size_t count, const char* what) const;

    Header header_{};
    std::vector<std::uint8_t> body_;
    WriteObserver observer_;
};

// Result codes of opening and saving. The numbers are those the main window
// turns into its messages.
enum class OpenResult : std::uint16_t {
    Loaded = 0,
    ReadFailed = 1,  // missing, unreadable, or 16 bytes or less
    NotInes = 2,     // the magic "NES" is missing
    TooShort = 3,    // an iNES image too small to hold the game's data
    NotRegularFile = 4, // a device, pipe or folder: never read
    TooLarge = 5,       // larger than any iNES image: not read past that size
};

// Reads the whole file. On success `image` is replaced; on any failure it is
// left exactly as it was, so the image that was open stays usable.
OpenResult openRomImage(const std::string& path, RomImage& image);

// The same checks for a whole file already in memory.
OpenResult openRomBytes(std::vector<std::uint8_t> file, RomImage& image);

// Writes header and body to `path` with the rules of writeFile: atomically
// where that keeps the file's owner and links, in place and read back
// otherwise. Bytes of the old file beyond header + body are kept.
SaveResult saveRomImage(const std::string& path, const RomImage& image, const SaveFault& fault = {});

// The same for a file that becomes exactly header + body (Save As): nothing
// of a file that was at `path` before is kept.
SaveResult saveRomImageAs(const std::string& path, const RomImage& image, const SaveFault& fault = {});

// Writes `bytes` as the whole file at `path`, in the same way.
SaveResult saveFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, const SaveFault& fault = {});

} // namespace quarry::rom
