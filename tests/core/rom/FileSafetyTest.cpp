// Links, devices, pipes, read-only folders and hard links around the files
// we open, save, back up and write as outputs.
#include "core/rom/FileAccess.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "support/OpenedWorld.h"
#include "support/SyntheticRom.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace quarry {
namespace {

using test::OpenedWorld;
using test::readFileBytes;
using test::TempDir;
namespace fs = std::filesystem;

bool isRoot()
{
    return ::geteuid() == 0;
}

// Opens `path` on a thread of its own and waits a few seconds: an open that
// blocks on a pipe fails the test instead of hanging it (a writer that
// comes and goes releases the reader).
std::optional<rom::OpenResult> openWithin(const std::string& path)
{
    auto done = std::make_shared<std::promise<rom::OpenResult>>();
    std::future<rom::OpenResult> result = done->get_future();
    std::thread([path, done] {
        rom::RomImage image;
        done->set_value(rom::openRomImage(path, image));
    }).detach();
    if (result.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return result.get();
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    return std::nullopt;
}

fs::file_type typeOf(const std::string& path)
{
    return fs::symlink_status(path).type();
}

TEST(FileSafety, OnlyRegularFilesAreReadAndNeverPastTheLargestImage)
{
    TempDir dir;
    test::SyntheticRom image;
    image.writeFile(dir.file("game.nes"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.nes").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder.nes"));
    fs::create_symlink(dir.file("game.nes"), dir.file("link.nes"));
    // A sparse file one byte longer than any image: refused by its size.
    test::writeFileBytes(dir.file("huge.nes"), image.fileBytes());
    fs::resize_file(dir.file("huge.nes"), layout::kMaximumFileSize + 1);

    const struct {
        std::string path;
        rom::OpenResult expected;
    } cases[] = {
        {"/dev/zero", rom::OpenResult::NotRegularFile},
        {dir.file("pipe.nes"), rom::OpenResult::NotRegularFile},
        {dir.file("folder.nes"), rom::OpenResult::NotRegularFile},
        {dir.file("huge.nes"), rom::OpenResult::TooLarge},
        {dir.file("link.nes"), rom::OpenResult::Loaded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(openWithin(c.path), c.expected);
    }

    // The limit holds for any caller, whatever the file says about itself.
    const rom::FileContents small = rom::readRegularFile(dir.file("game.nes"), 100);
    EXPECT_EQ(small.status, rom::ReadStatus::TooLarge);
    EXPECT_TRUE(small.bytes.empty());
}

TEST(FileSafety, OutputsGoOnlyToRegularFilesOrNewNames)
{
    TempDir dir;
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    fs::create_directory(dir.file("folder"));
    fs::create_symlink(dir.file("nowhere/file"), dir.file("dangling"));
    // A character device of our own (the null device's numbers) where we
    // may make one; never the system's own node.
    const bool haveDevice = ::mknod(dir.file("device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;

    std::vector<std::string> refused = {"pipe", "folder", "dangling"};
    if (haveDevice)
        refused.push_back("device");
    for (const std::string& name : refused) {
        SCOPED_TRACE(name);
        const fs::file_type before = typeOf(dir.file(name));
        EXPECT_EQ(rom::saveFileBytes(dir.file(name), bytes), rom::SaveResult::NotRegularFile);
        EXPECT_EQ(typeOf(dir.file(name)), before);
    }
    EXPECT_FALSE(fs::exists(dir.file("nowhere")));

    // A new name and a regular file are written; a link to a regular file
    // is written through and stays a link.
    test::writeFileBytes(dir.file("old"), std::vector<std::uint8_t>(10, 9));
    fs::create_symlink(dir.file("old"), dir.file("to-old"));
    for (const std::string name : {"new", "old", "to-old"})
        EXPECT_EQ(rom::saveFileBytes(dir.file(name), bytes), rom::SaveResult::Written) << name;
    EXPECT_EQ(readFileBytes(dir.file("new")), bytes);
    EXPECT_EQ(readFileBytes(dir.file("old")), bytes);
    EXPECT_EQ(typeOf(dir.file("to-old")), fs::file_type::symlink);
    // Nothing but what we named is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), static_cast<long>(refused.size() + 3));
}

// The file as it is on disk: its inode, owner, links and bytes.
struct OnDisk {
    struct stat st {};
    std::vector<std::uint8_t> bytes;
    explicit OnDisk(const std::string& path) : bytes(readFileBytes(path)) { ::stat(path.c_str(), &st); }
};

TEST(FileSafety, SavesKeepOwnerAndLinksAndWriteInPlaceWhenTheyMust)
{
    const auto failTemporary = [](rom::SaveStep step) { return step == rom::SaveStep::CreateTemporary; };
    const struct {
        const char* name;
        std::function<bool(OpenedWorld&)> prepare; // false: this row cannot run here
        rom::SaveFault fault;
        bool sameInode;
    } cases[] = {
        // Bytes the file gained past the image since it was opened stay.
        {"a hard link",
         [](OpenedWorld& w) {
             fs::create_hard_link(w.path, w.dir.file("other-name.nes"));
             std::ofstream(w.path, std::ios::binary | std::ios::app) << "tail";
             return true;
         },
         {}, true},
        // Root may create files in any folder; the failing temporary is what
        // a read-only folder does to everybody else.
        {"a read-only folder",
         [](OpenedWorld& w) { return ::chmod(w.dir.path().c_str(), 0555) == 0; },
         isRoot() ? rom::SaveFault(failTemporary) : rom::SaveFault(), true},
        {"another owner", [](OpenedWorld& w) { return isRoot() && ::chown(w.path.c_str(), 4321, 4321) == 0; }, {},
         false},
        {"a plain file", [](OpenedWorld&) { return true; }, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenedWorld w;
        if (!c.prepare(w)) {
            std::printf("skipped: %s needs root here\n", c.name);
            continue;
        }
        const OnDisk before(w.path);
        w.document.rom().write(0x300, static_cast<std::uint8_t>(w.document.rom().read(0x300) ^ 0xFF));
        EXPECT_EQ(w.document.save(c.fault, true), rom::SaveResult::Written);
        ::chmod(w.dir.path().c_str(), 0755);
        const OnDisk after(w.path);
        EXPECT_EQ(after.bytes[16 + 0x300], w.document.rom().read(0x300));
        EXPECT_EQ(after.bytes.size(), before.bytes.size());
        EXPECT_EQ(after.st.st_uid, before.st.st_uid);
        EXPECT_EQ(after.st.st_gid, before.st.st_gid);
        EXPECT_EQ(after.st.st_nlink, before.st.st_nlink);
        EXPECT_EQ(after.st.st_mode, before.st.st_mode);
        if (c.sameInode) {
            EXPECT_EQ(after.st.st_ino, before.st.st_ino);
        }
        for (const auto& file : fs::directory_iterator(w.dir.path()))
            EXPECT_NE(file.path().filename().string()[0], '.') << "temporary left behind";
    }

    // Writing in place is checked: a failure there is told apart from one
    // that left the file alone.
    for (rom::SaveStep step : {rom::SaveStep::InPlaceWrite, rom::SaveStep::ReadBack}) {
        OpenedWorld w;
        w.document.rom().write(0x300, 0x5A);
        const auto fault = [step](rom::SaveStep s) { return s == step || s == rom::SaveStep::CreateTemporary; };
        EXPECT_EQ(w.document.save(fault, true), rom::SaveResult::InPlaceFailed);
    }
    OpenedWorld w;
    ::chmod(w.path.c_str(), 0444);
    EXPECT_EQ(w.document.save(failTemporary, true), rom::SaveResult::WriteFailed);
}

TEST(FileSafety, BackupsAreCreatedExclusivelyBesideTheImage)
{
    // game.nes.YYYYMMDD-HHMMSS.bak
    const auto stamped = [](const std::string& path) {
        const std::string name = fs::path(path).filename().string();
        const std::string digits = name.size() == 28 ? name.substr(9, 8) + name.substr(18, 6) : std::string();
        return name.rfind("game.nes.", 0) == 0 && name.size() == 28 && name[17] == '-' && name.substr(24) == ".bak"
               && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const struct {
        const char* name;
        std::function<void(OpenedWorld&)> plant; // what is at game.nes.bak before the first save
    } cases[] = {
        {"nothing", [](OpenedWorld&) {}},
        {"a link to another file",
         [](OpenedWorld& w) {
             test::writeFileBytes(w.dir.file("victim"), {7, 7, 7});
             fs::create_symlink(w.dir.file("victim"), w.path + ".bak");
         }},
        {"a link to nowhere", [](OpenedWorld& w) { fs::create_symlink(w.dir.file("nowhere"), w.path + ".bak"); }},
        {"the user's own backup", [](OpenedWorld& w) { test::writeFileBytes(w.path + ".bak", {1, 2}); }},
        {"a read-only file",
         [](OpenedWorld& w) {
             test::writeFileBytes(w.path + ".bak", {3});
             ::chmod((w.path + ".bak").c_str(), 0444);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenedWorld w;
        c.plant(w);
        const bool planted = fs::exists(fs::symlink_status(w.path + ".bak"));
        const std::vector<std::uint8_t> plantedBytes = readFileBytes(w.path + ".bak");
        w.document.rom().write(0x300, 0x5A);
        ASSERT_EQ(w.document.save(), rom::SaveResult::Written);
        const std::string backup = w.document.backupPath();
        EXPECT_EQ(readFileBytes(backup), w.document.openedFile());
        if (!planted) {
            EXPECT_EQ(backup, w.path + ".bak");
            continue;
        }
        EXPECT_TRUE(stamped(backup)) << backup;
        EXPECT_EQ(readFileBytes(w.path + ".bak"), plantedBytes);
        EXPECT_FALSE(fs::exists(w.dir.file("nowhere")));
        if (fs::exists(w.dir.file("victim"))) {
            EXPECT_EQ(readFileBytes(w.dir.file("victim")), (std::vector<std::uint8_t>{7, 7, 7}));
        }
        // The second save of the same opening writes no second backup.
        w.document.rom().write(0x301, 0x5A);
        ASSERT_EQ(w.document.save(), rom::SaveResult::Written);
        EXPECT_EQ(w.document.backupPath(), backup);
    }

    // No backup possible: nothing is saved, unless the user saves without it.
    OpenedWorld w;
    w.document.rom().write(0x300, 0x5A);
    const auto noBackup = [](rom::SaveStep step) { return step == rom::SaveStep::Backup; };
    EXPECT_EQ(w.document.save(noBackup), rom::SaveResult::BackupFailed);
    EXPECT_EQ(readFileBytes(w.path), w.document.openedFile());
    EXPECT_TRUE(w.document.romLoaded());
    EXPECT_EQ(w.document.save(noBackup, true), rom::SaveResult::Written);
    EXPECT_EQ(readFileBytes(w.path)[16 + 0x300], 0x5A);
    EXPECT_EQ(std::distance(fs::directory_iterator(w.dir.path()), {}), 1);
}

// Faults found by probing with real files, one row each: every row sets one
// up around an opened image, writes, and checks what must hold (false: the
// row cannot run here). No row leaves a temporary behind.
TEST(FileSafety, WritesHoldUnderLimitsLongNamesAttributesAndLinks)
{
    const auto edit = [](session::Document& d) { d.rom().write(0x300, static_cast<std::uint8_t>(d.rom().read(0x300) ^ 1)); };
    const struct {
        const char* name;
        std::function<bool(OpenedWorld&)> run;
    } rows[] = {
        // The process ignores the signal as the programs do at start; the
        // limit then fails the backup and the save like a full disk.
        {"a file size limit",
         [&](OpenedWorld& w) {
             edit(w.document);
             const pid_t child = ::fork();
             if (child == 0) {
                 rom::ignoreFileSizeSignal();
                 const rlimit limit{65536, 65536};
                 ::setrlimit(RLIMIT_FSIZE, &limit);
                 const bool backup = w.document.save() == rom::SaveResult::BackupFailed && rom::lastWriteError() == EFBIG;
                 const bool save = w.document.save({}, true) == rom::SaveResult::WriteFailed;
                 ::_exit(backup && save ? 0 : 1);
             }
             int status = 0;
             ::waitpid(child, &status, 0);
             EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
             EXPECT_EQ(readFileBytes(w.path), w.document.openedFile());
             EXPECT_FALSE(fs::exists(w.path + ".bak"));
             return true;
         }},
        // Names at the file system's limit: the temporaries and the backups
        // are cut to fit, the final names are kept.
        {"long names",
         [&](OpenedWorld& w) {
             const std::string longest = w.dir.file(std::string(255, 'n'));
             EXPECT_EQ(rom::saveFileBytes(longest, {{1, 2}}), rom::SaveResult::Written);
             const std::string image = w.dir.file(std::string(246, 'g') + ".nes");
             fs::copy_file(w.path, image);
             test::writeFileBytes(image + ".bak", {5}); // taken: the stamped name is too long
             session::Document d;
             EXPECT_EQ(d.open(image), rom::OpenResult::Loaded);
             edit(d);
             EXPECT_EQ(d.save(), rom::SaveResult::Written);
             EXPECT_EQ(readFileBytes(d.backupPath()), d.openedFile());
             EXPECT_LE(fs::path(d.backupPath()).filename().string().size(), 255u);
             return true;
         }},
        {"extended attributes",
         [&](OpenedWorld& w) {
             if (::setxattr(w.path.c_str(), "user.quarry", "kept", 4, 0) != 0)
                 return false;
             edit(w.document);
             EXPECT_EQ(w.document.save(), rom::SaveResult::Written);
             char value[8] = {};
             EXPECT_EQ(::getxattr(w.path.c_str(), "user.quarry", value, sizeof value), 4);
             EXPECT_STREQ(value, "kept");
             return true;
         }},
        // Refused before the backup: root passes any open, so the bits count too.
        {"a read-only image",
         [&](OpenedWorld& w) {
             ::chmod(w.path.c_str(), 0444);
             edit(w.document);
             EXPECT_EQ(w.document.save(), rom::SaveResult::WriteFailed);
             EXPECT_EQ(rom::lastWriteError(), EACCES);
             EXPECT_FALSE(fs::exists(w.path + ".bak"));
             return true;
         }},
        {"a link in a batch folder",
         [&](OpenedWorld& w) {
             fs::create_symlink(w.path, w.dir.file("picture.png"));
             EXPECT_EQ(rom::writeBatchFile(w.dir.file("picture.png"), std::vector<std::uint8_t>{1}), rom::SaveResult::Link);
             EXPECT_EQ(readFileBytes(w.path), w.document.openedFile());
             EXPECT_EQ(rom::writeBatchFile(w.dir.file("other.png"), std::vector<std::uint8_t>{1}), rom::SaveResult::Written);
             return true;
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        OpenedWorld w;
        if (!row.run(w)) {
            std::printf("skipped: %s are not kept by this file system\n", row.name);
            continue;
        }
        for (const auto& file : fs::directory_iterator(w.dir.path()))
            EXPECT_NE(file.path().filename().string()[0], '.') << "temporary left behind";
    }
}

} // namespace
} // namespace quarry
