#pragma once

#include "core/rom/DataFiles.h"
#include "core/rom/RomImage.h"
#include "LargeMap.h"
#include "support/SyntheticWorld.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace quarry::bench {

// The image every benchmark reads: the whole synthetic game with the
// largest map the decoder accepts given to one submap.
struct BenchImage {
    BenchImage();

    test::SyntheticWorld world;
    test::LargeMap large;
    rom::RomImage image;
    rom::CharTable charTable{};
};

// Built once on first use and shared by every benchmark of the run.
const BenchImage& benchImage();

// The floor each figure is compared with: copying the same number of bytes
// between two buffers the size of what the benchmark produces.
class MemcpyFloor {
public:
    explicit MemcpyFloor(std::size_t bytes) : from_(bytes, 0x5A), to_(bytes) {}
    void copy()
    {
        std::memcpy(to_.data(), from_.data(), from_.size());
        benchmark::DoNotOptimize(to_.data());
        benchmark::ClobberMemory();
    }
    std::size_t bytes() const { return from_.size(); }

private:
    std::vector<unsigned char> from_;
    std::vector<unsigned char> to_;
};

// Runs the copy for a benchmark's iterations and sets its throughput.
void runMemcpyFloor(benchmark::State& state, std::size_t bytes);

} // namespace quarry::bench
