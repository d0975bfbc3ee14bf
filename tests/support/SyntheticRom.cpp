#include "support/SyntheticRom.h"

#include "core/rom/GameLayout.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quarry::test {

SyntheticRom::SyntheticRom() : body_(layout::kMinimumBodySize, 0)
{
    // "NES", $1A, 8 PRG banks, 16 CHR banks: the shape of the game's image.
    header_ = {0x4E, 0x45, 0x53, 0x1A, 0x08, 0x10, 0x10, 0x00, 0, 0, 0, 0, 0, 0, 0, 0};
}

SyntheticRom& SyntheticRom::put(std::size_t index, std::initializer_list<std::uint8_t> bytes)
{
    return put(index, std::vector<std::uint8_t>(bytes));
}

SyntheticRom& SyntheticRom::put(std::size_t index, const std::vector<std::uint8_t>& bytes)
{
    if (index + bytes.size() > body_.size())
        throw std::out_of_range("synthetic image: write past the end of the body");
    std::copy(bytes.begin(), bytes.end(), body_.begin() + static_cast<std::ptrdiff_t>(index));
    return *this;
}

SyntheticRom& SyntheticRom::putWord(std::size_t index, std::uint16_t value)
{
    return put(index, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)});
}

SyntheticRom& SyntheticRom::fill(std::size_t index, std::size_t count, std::uint8_t value)
{
    return put(index, std::vector<std::uint8_t>(count, value));
}

SyntheticRom& SyntheticRom::resizeBody(std::size_t size)
{
    body_.resize(size, 0);
    return *this;
}

rom::RomImage SyntheticRom::image() const
{
    return rom::RomImage(header_, body_);
}

std::vector<std::uint8_t> SyntheticRom::fileBytes() const
{
    std::vector<std::uint8_t> bytes(header_.begin(), header_.end());
    bytes.insert(bytes.end(), body_.begin(), body_.end());
    return bytes;
}

void SyntheticRom::writeFile(const std::string& path) const
{
    writeFileBytes(path, fileBytes());
}

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + path);
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quarry-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace quarry::test
