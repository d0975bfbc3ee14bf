#include "core/rom/RomImage.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"

#include <initializer_list>

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
    FileContents file = readRegularFile(path, layout::kMaximumFileSize);
    switch (file.status) {
    case ReadStatus::Read: break;
    case ReadStatus::Unreadable: return OpenResult::ReadFailed;
    case ReadStatus::NotRegularFile: return OpenResult::NotRegularFile;
    case ReadStatus::TooLarge: return OpenResult::TooLarge;
    }
    return openRomBytes(std::move(file.bytes), image);
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

SaveResult saveRomImage(const std::string& path, const RomImage& image, const SaveFault& fault)
{
    return writeFile(path, {image.header(), image.body()}, true, fault);
}

SaveResult saveRomImageAs(const std::string& path, const RomImage& image, const SaveFault& fault)
{
    return writeFile(path, {image.header(), image.body()}, false, fault);
}

SaveResult saveFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, const SaveFault& fault)
{
    return writeFile(path, {bytes}, false, fault);
}

} // namespace quarry::rom
