#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace quarry::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// `base` with a few random edits: single bytes, short stretches of noise
// and long runs of one value, the kinds of change an editor makes.
inline Bytes randomlyEdited(const Bytes& base, std::mt19937& rng)
{
    Bytes edited = base;
    if (edited.empty())
        return edited;
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const std::size_t edits = 1 + pick(12);
    for (std::size_t e = 0; e < edits; ++e) {
        const std::size_t at = pick(edited.size());
        const std::size_t room = edited.size() - at;
        switch (pick(3)) {
        case 0:
            edited[at] = static_cast<std::uint8_t>(edited[at] + 1 + pick(255));
            break;
        case 1:
            for (std::size_t i = 0, n = std::min(room, 1 + pick(40)); i < n; ++i)
                edited[at + i] = static_cast<std::uint8_t>(pick(256));
            break;
        default:
            std::fill_n(edited.begin() + static_cast<std::ptrdiff_t>(at), std::min(room, 1 + pick(600)),
                        static_cast<std::uint8_t>(pick(256)));
            break;
        }
    }
    return edited;
}

inline Bytes randomBytes(std::size_t size, std::mt19937& rng)
{
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(rng());
    return bytes;
}

} // namespace quarry::test
