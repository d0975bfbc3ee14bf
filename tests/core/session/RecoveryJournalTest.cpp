#include "JournalSession.h"

#include "core/RomError.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace quarry;
using quarry::test::JournalSession;
using quarry::test::TempDir;

namespace {

constexpr int kSteps = 30;

struct Fixture {
    TempDir dir;
    std::string image = written(dir.file("game.nes"));
    static std::string written(const std::string& path)
    {
        test::SyntheticWorld().writeFile(path);
        return path;
    }

    rom::RomImage file() const
    {
        rom::RomImage read;
        EXPECT_EQ(rom::openRomImage(image, read), rom::OpenResult::Loaded);
        return read;
    }
    session::Recovery recover(const std::vector<std::uint8_t>& journal) const
    {
        return session::replayJournal(session::decodeJournal(journal), opened);
    }
    rom::RomImage opened = file();
};

// The body's checksum after each record of a seeded run: [0] is the file.
std::vector<std::uint32_t> expectedStates(const Fixture& f, unsigned seed, const std::string& folder,
                                          std::vector<std::size_t>* ends = nullptr, int steps = kSteps)
{
    JournalSession session(f.image, folder);
    std::vector<std::uint32_t> states{session.bodyCrc()};
    if (ends)
        ends->push_back(std::filesystem::file_size(session.journal->path()));
    std::mt19937 random(seed);
    for (int n = 0; n < steps; ++n) {
        const std::size_t before = session.records;
        session.step(random);
        if (session.records != before) {
            EXPECT_EQ(session.records, before + 1);
            states.push_back(session.bodyCrc());
            if (ends)
                ends->push_back(std::filesystem::file_size(session.journal->path()));
        }
    }
    session.journal->abandon();
    return states;
}

// The child: the same run, reporting on `pipe` how many records it has
// written (the kernel keeps them through SIGKILL), then waiting to be killed.
[[noreturn]] void runChild(const Fixture& f, unsigned seed, const std::string& folder, int pipe)
{
    try {
        JournalSession session(f.image, folder);
        const std::uint32_t started = 0;
        if (::write(pipe, &started, sizeof started) != sizeof started)
            ::_exit(3);
        std::mt19937 random(seed);
        for (int n = 0; n < kSteps; ++n) {
            session.step(random);
            if (n % 8 == 0)
                session.journal->flush();
            const auto records = static_cast<std::uint32_t>(session.records);
            if (::write(pipe, &records, sizeof records) != sizeof records)
                ::_exit(3);
        }
    } catch (...) {
        ::_exit(2);
    }
    for (;;)
        ::pause();
}

} // namespace

TEST(RecoveryJournal, KilledAtRandomMomentsRecoversAStepThatHadBegun)
{
    Fixture f;
    std::mt19937 moments(29);
    std::vector<std::vector<std::uint32_t>> expected;
    const auto began = std::chrono::steady_clock::now();
    for (unsigned seed = 0; seed < 6; ++seed)
        expected.push_back(expectedStates(f, 1000 + seed, f.dir.file("expected" + std::to_string(seed))));
    // The kills are spread over the time a run takes once its journal exists.
    const auto runTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began) / 6;
    int lateKills = 0;
    for (int kill = 0; kill < 100; ++kill) {
        const unsigned seed = 1000 + static_cast<unsigned>(kill % 6);
        const std::string folder = f.dir.file("journals" + std::to_string(kill));
        const std::vector<std::uint32_t>& states = expected[static_cast<std::size_t>(kill % 6)];

        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            runChild(f, seed, folder, fds[1]);
        }
        ::close(fds[1]);
        std::uint32_t reported = 0;
        ASSERT_EQ(::read(fds[0], &reported, sizeof reported), static_cast<ssize_t>(sizeof reported));
        const auto longest = static_cast<int>(runTime.count() * 5 / 4);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, longest)(moments)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed on its own, code " << WEXITSTATUS(status);
        for (std::uint32_t value; ::read(fds[0], &value, sizeof value) == sizeof value;)
            reported = value;
        ::close(fds[0]);

        const std::vector<std::string> journals = session::listJournals(folder);
        ASSERT_LE(journals.size(), 1u);
        if (journals.empty()) { // killed before the journal was made: nothing was reported either
            EXPECT_EQ(reported, 0u);
            continue;
        }
        ASSERT_TRUE(rom::LockedFile::take(journals[0])) << "a dead writer's journal is free";
        const session::Recovery recovery = f.recover(test::readFileBytes(journals[0]));
        EXPECT_GE(recovery.applied, reported) << "kill " << kill;
        EXPECT_LE(recovery.applied, reported + 1u) << "kill " << kill;
        ASSERT_LT(recovery.applied, states.size());
        EXPECT_EQ(patch::crc32(recovery.body), states[recovery.applied]) << "kill " << kill;
        lateKills += reported > 5 ? 1 : 0;
    }
    EXPECT_GT(lateKills, 15) << "the kills should land across the whole run, not only at its start";
}

TEST(RecoveryJournal, CutOrFlippedJournalRecoversOnlyWhatItCanVouchFor)
{
    Fixture f;
    std::vector<std::size_t> ends;
    const std::vector<std::uint32_t> states = expectedStates(f, 7, f.dir.file("j"), &ends, 14);
    const std::vector<std::string> journals = session::listJournals(f.dir.file("j"));
    ASSERT_EQ(journals.size(), 1u);
    const std::vector<std::uint8_t> whole = test::readFileBytes(journals[0]);
    const std::size_t records = states.size() - 1;
    ASSERT_GT(records, 8u);
    ASSERT_EQ(ends.back(), whole.size());

    // Cut at every offset: every complete record and nothing of the next
    // is read; the bytes are replayed around each record's end and now and
    // then in between (replaying all is slow and proves no more).
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        const std::span<const std::uint8_t> part(whole.data(), cut);
        if (cut < ends[0]) {
            EXPECT_THROW(session::decodeJournal(part), RomError) << cut;
            continue;
        }
        const auto complete = static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin() - 1);
        const session::DecodedJournal decoded = session::decodeJournal(part);
        ASSERT_EQ(decoded.records.size(), complete) << cut;
        ASSERT_EQ(decoded.lost, cut == ends[complete] ? 0u : 1u) << cut;
        if (cut - ends[complete] > 1 && cut % 61 != 0)
            continue;
        const session::Recovery recovery = session::replayJournal(decoded, f.opened);
        ASSERT_EQ(recovery.applied, complete) << cut;
        ASSERT_EQ(patch::crc32(recovery.body), states[complete]) << cut;
    }

    // A flipped byte: the records before it, and every later one counted lost.
    std::mt19937 random(5);
    for (int n = 0; n < 150; ++n) {
        std::vector<std::uint8_t> damaged = whole;
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, whole.size() - 1)(random);
        damaged[at] ^= static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(random));
        if (at < ends[0]) {
            EXPECT_THROW(f.recover(damaged), RomError) << at;
            continue;
        }
        const auto hit = static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), at) - ends.begin() - 1);
        const session::Recovery recovery = f.recover(damaged);
        ASSERT_EQ(recovery.applied, hit) << at;
        EXPECT_EQ(recovery.lost, records - hit) << at;
        EXPECT_EQ(patch::crc32(recovery.body), states[hit]) << at;
    }

    // A record that checks out but names bytes the image does not hold is
    // not applied, nor is anything after it.
    session::DecodedJournal decoded = session::decodeJournal(whole);
    session::DecodedJournal forged = decoded;
    forged.records.resize(5);
    for (session::JournalRecord& record : forged.records)
        if (record.step == session::JournalStep::Do && !record.entry.changes.empty()) {
            record.entry.changes.back().before[0] ^= 0x40;
            break;
        }
    const session::Recovery partial = session::replayJournal(forged, f.opened);
    EXPECT_LT(partial.applied, 5u);
    EXPECT_EQ(partial.lost, 5u - partial.applied);
    EXPECT_EQ(patch::crc32(partial.body), states[partial.applied]);

    // The journal of another file, or of this one changed since, is refused.
    test::SyntheticWorld other;
    other.rom.body()[100] ^= 1;
    other.writeFile(f.image);
    EXPECT_THROW(session::replayJournal(decoded, f.file()), RomError);
}

TEST(RecoveryJournal, LockedWhileItsWriterLivesAndGoneWhenRemoved)
{
    Fixture f;
    JournalSession first(f.image, f.dir.file("j"));
    JournalSession second(f.image, f.dir.file("j"));
    // Two editors on one image keep journals of their own, never one over the other.
    EXPECT_NE(first.journal->path(), second.journal->path());
    EXPECT_FALSE(rom::LockedFile::take(first.journal->path()));
    const std::string path = second.journal->path();
    second.journal->abandon();
    EXPECT_TRUE(rom::LockedFile::take(path));
    first.journal->remove();
    EXPECT_EQ(session::listJournals(f.dir.file("j")), std::vector<std::string>{path});
    // A link in the journal folder is no journal and never taken.
    std::filesystem::create_symlink(path, f.dir.file("j/link.journal"));
    EXPECT_EQ(session::listJournals(f.dir.file("j")).size(), 1u);
    EXPECT_FALSE(rom::LockedFile::take(f.dir.file("j/link.journal")));
}
