#include "core/rom/RomImage.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry::rom {

RomImage::RomImage() : body_(1, 0) {}

RomImage::RomImage(const Header& header, std::vector<std::uint8_t> body)
    : header_(header), body_(std::move(body))
{
}

bool RomImage::contains(std::size_t index, std::size_t count) const
{
    return index <= body_.size() && count <= body_.size() - index;
}

void RomImage::check(std::size_t index, std::size_t count, const char* what) const
{
    if (!contains(index, count)) {
        throw RomError(std::string(what) + " outside the image: body index " + fileOffsetText(static_cast<std::uint32_t>(index))
                       + (count > 1 ? " (" + std::to_string(count) + " bytes)" : std::string())
                       + ", the image body holds " + std::to_string(body_.size()) + " bytes");
    }
}

std::uint8_t RomImage::read(std::size_t index) const
{
    check(index, 1, "read");
    return body_[index];
}

std::uint16_t RomImage::readWord(std::size_t index) const
{
    check(index, 2, "read");
    return static_cast<std::uint16_t>(body_[index] | (body_[index + 1] << 8));
}

std::span<const std::uint8_t> RomImage::bytes(std::size_t index, std::size_t count) const
{
    check(index, count, "read");
    return {body_.data() + index, count};
}

void RomImage::write(std::size_t index, std::uint8_t value)
{
    writeBytes(index, std::span<const std::uint8_t>(&value, 1));
}

void RomImage::writeWord(std::size_t index, std::uint16_t value)
{
    const std::uint8_t data[2] = {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
    writeBytes(index, data);
}

void RomImage::writeBytes(std::size_t index, std::span<const std::uint8_t> data)
{
    check(index, data.size(), "write");
    if (data.empty())
        return;
    if (observer_) {
        const std::vector<std::uint8_t> before(body_.begin() + static_cast<std::ptrdiff_t>(index),
                                               body_.begin() + static_cast<std::ptrdiff_t>(index + data.size()));
        std::copy(data.begin(), data.end(), body_.begin() + static_cast<std::ptrdiff_t>(index));
        observer_(index, before, data);
        return;
    }
    std::copy(data.begin(), data.end(), body_.begin() + static_cast<std::ptrdiff_t>(index));
}

OpenResult openRomImage(const std::string& path, RomImage& image)
{
    std::vector<std::uint8_t> file;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return OpenResult::ReadFailed;
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return OpenResult::ReadFailed;
        file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad())
            return OpenResult::ReadFailed;
    } catch (const std::exception&) {
        return OpenResult::ReadFailed;
    }
    return openRomBytes(std::move(file), image);
}

OpenResult openRomBytes(std::vector<std::uint8_t> file, RomImage& image)
{
    if (file.size() <= RomImage::kHeaderSize)
        return OpenResult::ReadFailed;
    if (file[0] != 'N' || file[1] != 'E' || file[2] != 'S')
        return OpenResult::NotInes;
    if (file.size() - RomImage::kHeaderSize < layout::kMinimumBodySize)
        return OpenResult::TooShort;

    RomImage::Header header{};
    std::copy_n(file.begin(), RomImage::kHeaderSize, header.begin());
    file.erase(file.begin(), file.begin() + RomImage::kHeaderSize);
    image = RomImage(header, std::move(file));
    return OpenResult::Loaded;
}

namespace {

// Closes a stdio file and removes the temporary it belongs to unless it was
// handed over by the final rename.
struct TemporaryFile {
    std::string path;
    std::FILE* file = nullptr;
    bool keep = false;
    ~TemporaryFile()
    {
        if (file)
            std::fclose(file);
        if (!keep && !path.empty())
            std::remove(path.c_str());
    }
};

bool failsAt(const SaveFault& fault, SaveStep step)
{
    return fault && fault(step);
}

} // namespace

namespace {

// Writes the chunks, one after the other, as the whole file at `path`: a
// temporary file in the same folder is written, flushed and renamed over
// the target, keeping the target's permissions. With `keepTrailing`, bytes
// the old file holds beyond the chunks stay where they were.
SaveResult writeAtomically(const std::string& path, std::initializer_list<std::span<const std::uint8_t>> chunks,
                           bool keepTrailing, const SaveFault& fault)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // Write through a link to the file it names, so the link stays a link.
    fs::path target = fs::path(path);
    if (fs::is_symlink(target, ec)) {
        target = fs::canonical(target, ec);
        if (ec)
            return SaveResult::WriteFailed;
    }
    if (fs::is_directory(target, ec))
        return SaveResult::WriteFailed;

    std::size_t newSize = 0;
    for (const auto& chunk : chunks)
        newSize += chunk.size();
    std::vector<char> trailing;
    struct stat oldStat {};
    const bool hadFile = ::stat(target.c_str(), &oldStat) == 0;
    // A file nobody may write stays as it is, even for a user whose rights
    // would let the rename through.
    if (hadFile && (oldStat.st_mode & 0222) == 0)
        return SaveResult::WriteFailed;
    if (keepTrailing && hadFile && static_cast<std::size_t>(oldStat.st_size) > newSize) {
        std::ifstream old(target, std::ios::binary);
        if (!old)
            return SaveResult::WriteFailed;
        old.seekg(static_cast<std::streamoff>(newSize));
        trailing.assign(std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>());
        if (old.bad())
            return SaveResult::WriteFailed;
    }

    TemporaryFile temp;
    std::string pattern = (target.parent_path().empty() ? fs::path(".") : target.parent_path()).string() + "/."
                          + target.filename().string() + ".XXXXXX";
    if (failsAt(fault, SaveStep::CreateTemporary))
        return SaveResult::WriteFailed;
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return SaveResult::WriteFailed;
    temp.path = pattern;
    temp.file = ::fdopen(fd, "wb");
    if (!temp.file) {
        ::close(fd);
        return SaveResult::WriteFailed;
    }

    if (failsAt(fault, SaveStep::Write))
        return SaveResult::WriteFailed;
    for (const auto& chunk : chunks) {
        if (!chunk.empty() && std::fwrite(chunk.data(), 1, chunk.size(), temp.file) != chunk.size())
            return SaveResult::WriteFailed;
    }
    if (!trailing.empty() && std::fwrite(trailing.data(), 1, trailing.size(), temp.file) != trailing.size())
        return SaveResult::WriteFailed;

    if (failsAt(fault, SaveStep::Flush) || std::fflush(temp.file) != 0 || ::fsync(::fileno(temp.file)) != 0)
        return SaveResult::WriteFailed;
    if (hadFile)
        ::fchmod(::fileno(temp.file), oldStat.st_mode & 07777);
    else
        ::fchmod(::fileno(temp.file), 0644);
    const int closed = std::fclose(temp.file);
    temp.file = nullptr;
    if (closed != 0)
        return SaveResult::WriteFailed;

    if (failsAt(fault, SaveStep::Rename) || std::rename(temp.path.c_str(), target.c_str()) != 0)
        return SaveResult::WriteFailed;
    temp.keep = true;
    return SaveResult::Written;
}

} // namespace

SaveResult saveRomImage(const std::string& path, const RomImage& image, const SaveFault& fault)
{
    return writeAtomically(path, {image.header(), image.body()}, true, fault);
}

SaveResult saveRomImageAs(const std::string& path, const RomImage& image, const SaveFault& fault)
{
    return writeAtomically(path, {image.header(), image.body()}, false, fault);
}

SaveResult saveFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, const SaveFault& fault)
{
    return writeAtomically(path, {bytes}, false, fault);
}

} // namespace quarry::rom
