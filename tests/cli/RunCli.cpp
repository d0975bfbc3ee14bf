#include "RunCli.h"

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quarry::test {

CliResult runCli(const std::vector<std::string>& arguments, rlim_t fileSizeLimit)
{
    return runProgram(QUARRY_CLI_PATH, arguments, fileSizeLimit);
}

CliResult runProgram(const std::string& path, const std::vector<std::string>& arguments, rlim_t fileSizeLimit)
{
    // Standard error on a pipe, so a file size limit does not touch it.
    TempDir dir;
    const std::string outPath = dir.file("out");
    int err[2];
    if (::pipe(err) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], 2);
        ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::close(err[0]);
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        // The signal a write past the limit raises keeps its default: the
        // program itself must turn it into a failed write.
        ::signal(SIGXFSZ, SIG_DFL);
        ::alarm(20);
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const std::string& word : arguments)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        ::execv(path.c_str(), argv.data());
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
    const std::vector<std::uint8_t> out = readFileBytes(outPath);
    result.out.assign(out.begin(), out.end());
    return result;
}

} // namespace quarry::test
