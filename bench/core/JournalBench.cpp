// Appending a step to the recovery journal.
#include "BenchImage.h"

#include "core/session/Document.h"
#include "core/session/RecoveryJournal.h"
#include "support/SyntheticRom.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace quarry::bench {
namespace {

// The largest step one edit makes on the largest map: erasing it, every
// screen of the map rewritten.
session::EditEntry eraseLargestMap(const test::TempDir& dir)
{
    const std::string path = dir.file("bench.nes");
    benchImage().world.rom.writeFile(path);
    session::Document document;
    if (document.open(path) != rom::OpenResult::Loaded)
        throw std::runtime_error("the bench image did not open");
    session::EditEntry step;
    document.setEditListener([&](session::EditEntry entry) { step = std::move(entry); });
    document.loadArea(benchImage().large.id, false);
    document.eraseMap();
    return step;
}

// One step written to the journal as the editor writes it after each edit
// (the flush to disk is batched, at most once a second, and not part of
// it). Budget: 1 ms.
void JournalAppendLargestStep(benchmark::State& state)
{
    const test::TempDir dir;
    const session::EditEntry step = eraseLargestMap(dir);
    std::size_t bytes = 0;
    for (const session::ByteChange& change : step.changes)
        bytes += change.before.size() + change.after.size();
    std::optional<session::RecoveryJournal> journal;
    int appended = 0;
    for (auto _ : state) {
        if (appended++ % 500 == 0) { // a fresh journal now and then keeps the file small
            state.PauseTiming();
            if (journal)
                journal->remove();
            journal = session::RecoveryJournal::start(dir.file("journals"), {"bench.nes", 0, 0, 0}, {});
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(journal->record(session::JournalStep::Do, step));
    }
    journal->remove();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["changed_bytes"] = static_cast<double>(bytes / 2);
}
BENCHMARK(JournalAppendLargestStep)->Unit(benchmark::kMicrosecond);
void JournalAppendLargestStep_memcpy(benchmark::State& state)
{
    const test::TempDir dir;
    const session::EditEntry step = eraseLargestMap(dir);
    std::size_t bytes = 0;
    for (const session::ByteChange& change : step.changes)
        bytes += change.before.size() + change.after.size();
    runMemcpyFloor(state, bytes);
}
BENCHMARK(JournalAppendLargestStep_memcpy)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quarry::bench
