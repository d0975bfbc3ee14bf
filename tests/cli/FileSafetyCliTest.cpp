// The command line's inputs and outputs at the edges of the file system:
// pipes, devices, a full disk, and the messages a failure gives.
#include "RunCli.h"

#include "core/patch/Bps.h"
#include "core/patch/Ips.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quarry;
using namespace quarry::test;

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Runs the tool with standard error on a pipe (so a file size limit does not
// touch it) and standard output thrown away. The tool is killed after 20
// seconds, so a hang fails the test instead of holding it.
CliResult runBounded(const std::vector<std::string>& arguments, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    int err[2];
    if (::pipe(err) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], 2);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::close(err[0]);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
        ::alarm(20);
        std::vector<char*> argv{const_cast<char*>(QUARRY_CLI_PATH)};
        for (const std::string& word : arguments)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        ::execv(QUARRY_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::close(err[1]);
    CliResult result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        result.err.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::size_t lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct Files {
    TempDir dir;
    SyntheticWorld world;
    std::string rom = dir.file("game.nes");
    std::string pipe = dir.file("pipe");
    Files()
    {
        world.writeFile(rom);
        ::mkfifo(pipe.c_str(), 0600);
    }
    std::string file(const std::string& name) const { return dir.file(name); }
};

TEST(FileSafetyCli, OutputsThatAreNoRegularFilesAreRefusedAndLeftAsTheyWere)
{
    Files f;
    writeFileBytes(f.file("texts.txt"), {});
    std::vector<std::string> targets = {f.pipe};
    // A character device of our own where we may make one.
    if (::mknod(f.file("device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        targets.push_back(f.file("device"));
    for (const std::string& target : targets) {
        const auto commands = {
            std::vector<std::string>{"make-demo", "-o", target},
            std::vector<std::string>{"render", f.rom, "0", "10", "1", "-o", target},
            std::vector<std::string>{"export-ips", f.rom, f.rom, "-o", target},
            std::vector<std::string>{"export-texts", f.rom, "-o", target},
        };
        for (const auto& command : commands) {
            SCOPED_TRACE(command[0] + " -o " + target);
            const fs::file_type before = fs::symlink_status(target).type();
            const CliResult result = runBounded(command);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(lines(result.err), 1u) << result.err;
            EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
            EXPECT_EQ(fs::symlink_status(target).type(), before);
        }
    }
}

TEST(FileSafetyCli, SpecialFilesAreNeverReadAsInput)
{
    Files f;
    const auto commands = {
        std::vector<std::string>{"info", "/dev/zero"},
        std::vector<std::string>{"info", f.pipe},
        std::vector<std::string>{"apply-ips", f.rom, f.pipe, "-o", f.file("out.nes")},
        std::vector<std::string>{"import-texts", f.rom, "/dev/urandom", "-o", f.file("out.nes")},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0] + " " + command[1]);
        const CliResult result = runBounded(command);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_EQ(lines(result.err), 1u) << result.err;
        EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(f.file("out.nes")));
}

TEST(FileSafetyCli, PatchesThatChangeTheHeaderAreRefusedAsInTheEditor)
{
    Files f;
    Bytes original = readFileBytes(f.rom);
    Bytes edited = original;
    edited[7] ^= 0x08;
    edited[100] ^= 0xFF;
    writeFileBytes(f.file("p.ips"), patch::makeIps(original, edited));
    writeFileBytes(f.file("p.bps"), patch::makeBps(original, edited));
    for (const std::string kind : {"ips", "bps"}) {
        const CliResult result = runBounded({"apply-" + kind, f.rom, f.file("p." + kind), "-o", f.file("out.nes")});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("changes the image's 16-byte header"), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(f.file("out.nes")));
    }
}

TEST(FileSafetyCli, FailuresSayWhatIsWrongInOneLine)
{
    Files f;
    // A map of no screens.
    const rom::AreaId flat{0, 10, 1};
    SyntheticWorld world;
    world.rom.put(world.game.mapOf(flat).mapPointer, {0, 3});
    world.writeFile(f.file("flat.nes"));
    // Any picture fills a disk that holds nothing.
    const rom::AreaId big{0, 0, 0};
    // An IPS record at the last offset the format can name.
    writeFileBytes(f.file("far.ips"), {'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xFF, 0, 2, 1, 2, 'E', 'O', 'F'});
    const auto key = [](const rom::AreaId& id) { return std::vector<std::string>{std::to_string(id.objectSet),
                                                                                 std::to_string(id.area),
                                                                                 std::to_string(id.submap)}; };

    const struct {
        std::vector<std::string> command;
        const char* said;
        rlim_t fileSizeLimit;
    } cases[] = {
        {{"render", f.file("flat.nes"), key(flat)[0], key(flat)[1], key(flat)[2], "-o", f.file("flat.png")},
         "the map has no screens", RLIM_INFINITY},
        {{"render", f.rom, key(big)[0], key(big)[1], key(big)[2], "-o", f.file("large.png")},
         "cannot write", 0},
        {{"apply-ips", f.rom, f.file("far.ips"), "-o", f.file("out.nes")}, "record at file offset 0xFFFFFF",
         RLIM_INFINITY},
        {{"info"}, "info takes 1 argument, 0 given", RLIM_INFINITY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        const CliResult result = runBounded(c.command, c.fileSizeLimit);
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(result.err.rfind("quarry-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.said), std::string::npos) << result.err;
        if (c.command.size() > 1) {
            EXPECT_EQ(lines(result.err), 1u) << result.err;
        }
    }
}

} // namespace
