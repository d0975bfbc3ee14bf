#include "BenchImage.h"

#include "support/SyntheticText.h"

namespace quarry::bench {

BenchImage::BenchImage()
{
    large = test::putLargestMap(world.game, test::largeMapSubmap());
    image = world.rom.image();
    charTable = test::defaultTextTable();
}

const BenchImage& benchImage()
{
    static const BenchImage shared;
    return shared;
}

void runMemcpyFloor(benchmark::State& state, std::size_t bytes)
{
    MemcpyFloor floor(bytes);
    for (auto _ : state)
        floor.copy();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}

} // namespace quarry::bench
