#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarry::rom {

class RomImage;

// Collects the writes of one edit before any of them happens. Whoever builds
// the plan converts every address and checks every range first (throwing
// RomError on the first problem), so an edit either lands whole or leaves the
// image untouched. The writes are applied in the order they were added.
class WritePlan {
public:
    explicit WritePlan(const RomImage& rom) : rom_(rom) {}

    // Queues `bytes` for body index `index`; throws RomError naming `what`
    // when they would not fit inside the image.
    void add(std::size_t index, std::vector<std::uint8_t> bytes, const char* what);
    void addByte(std::size_t index, std::uint8_t value, const char* what);

    bool empty() const { return writes_.empty(); }
    // Writes everything through the image's checked door, in order.
    void apply(RomImage& rom) const;

private:
    struct Write {
        std::size_t index;
        std::vector<std::uint8_t> bytes;
    };
    const RomImage& rom_;
    std::vector<Write> writes_;
};

} // namespace quarry::rom
