#pragma once

#include "core/rom/RomImage.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quarry::test {

// Builds iNES images of our own for the tests: a valid header and a body the
// size of the game's layout, all zero until a test or a table builder fills it.
class SyntheticRom {
public:
    SyntheticRom();

    std::vector<std::uint8_t>& body() { return body_; }
    const std::vector<std::uint8_t>& body() const { return body_; }
    rom::RomImage::Header& header() { return header_; }

    SyntheticRom& put(std::size_t index, std::initializer_list<std::uint8_t> bytes);
    SyntheticRom& put(std::size_t index, const std::vector<std::uint8_t>& bytes);
    SyntheticRom& putWord(std::size_t index, std::uint16_t value);
    SyntheticRom& fill(std::size_t index, std::size_t count, std::uint8_t value);
    // Resizes the body, for images too short (or longer than) the layout.
    SyntheticRom& resizeBody(std::size_t size);

    rom::RomImage image() const;
    // Header and body as one file's bytes.
    std::vector<std::uint8_t> fileBytes() const;
    void writeFile(const std::string& path) const;

private:
    rom::RomImage::Header header_{};
    std::vector<std::uint8_t> body_;
};

// Reads a whole file (empty when it cannot be read).
std::vector<std::uint8_t> readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace quarry::test
