// quarry-cli run as a user runs it: a script that reads every cell of every
// map of the demo image and writes back a tenth of them. Wall time of the
// whole process.
#include "core/rom/RomImage.h"
#include "core/demo/DemoImage.h"
#include "support/SyntheticRom.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

constexpr const char* kEveryCell = R"(
local read, written = 0, 0
for _, s in ipairs(quarry.submaps()) do
  quarry.load(s.set, s.area, s.submap)
  local wide, high = quarry.map_size()
  local limit = math.max(quarry.limit() - 1, 1)
  for row = 0, high * 7 - 1 do
    for col = 0, wide * 8 - 1 do
      local m = quarry.cell(col, row)
      read = read + 1
      if read % 10 == 0 then
        quarry.set_cell(col, row, (m + 1) % limit)
        written = written + 1
      end
    end
  end
end
print(read, written)
)";

void RunEveryCellScript(benchmark::State& state)
{
    quarry::test::TempDir dir;
    const std::string rom = dir.file("demo.nes"), script = dir.file("every_cell.lua");
    quarry::rom::saveRomImageAs(rom, quarry::demo::buildDemoImage());
    std::ofstream(script) << kEveryCell;
    const std::string command = std::string("'") + QUARRY_CLI_PATH + "' run -o '" + dir.file("out.nes") + "' '" + script
                                + "' '" + rom + "' >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the script failed");
}

BENCHMARK(RunEveryCellScript)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
