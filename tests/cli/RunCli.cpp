#include "RunCli.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

namespace quarry::test {

namespace {

std::string quoted(const std::string& word)
{
    std::string text = "'";
    for (char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

CliResult runCli(const std::vector<std::string>& arguments)
{
    TempDir dir;
    std::string command = quoted(QUARRY_CLI_PATH);
    for (const std::string& word : arguments)
        command += " " + quoted(word);
    command += " >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(dir.file("out"));
    result.err = slurp(dir.file("err"));
    return result;
}

} // namespace quarry::test
