// The manual page and the shell completion are written by hand: these checks
// keep them in step with what the tool's own help lists.
#include "RunCli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <cctype>
#include <set>
#include <sstream>

using namespace quarry::test;

namespace {

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The command names that "--help" lists under "Commands:".
std::vector<std::string> listedCommands()
{
    const std::string help = runCli({"--help"}).out;
    std::istringstream in(help.substr(help.find("Commands:")));
    std::vector<std::string> names;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name;
        if (words >> name)
            names.push_back(name);
    }
    return names;
}

// The options a command's usage line names, such as "--night" or "-o".
std::set<std::string> usageOptions(const std::string& command)
{
    const std::string help = runCli({command, "--help"}).out;
    const std::string usage = help.substr(0, help.find('\n'));
    const std::string afterCommand = usage.substr(usage.find(" " + command + " ") + command.size() + 1);
    std::set<std::string> options;
    std::istringstream words(afterCommand);
    for (std::string word; words >> word;) {
        // "[--night]", "[--dy", "N]" and "-o": the options are the words that
        // start with a dash once brackets are taken off.
        while (!word.empty() && (word.front() == '[' || word.front() == '|'))
            word.erase(word.begin());
        while (!word.empty() && word.back() == ']')
            word.pop_back();
        if (word.size() > 1 && word[0] == '-' && std::isalpha(static_cast<unsigned char>(word.back())))
            options.insert(word);
    }
    return options;
}

std::string roff(const std::string& word)
{
    std::string escaped;
    for (const char c : word)
        escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    return escaped;
}

// What bash completes for the words typed so far (the last one being
// completed), with the installed completion script loaded.
std::set<std::string> complete(const std::string& typed)
{
    const std::string script = std::string(QUARRY_SOURCE_DIR) + "/data/completion/quarry-cli";
    const std::string command = "bash -c '. /usr/share/bash-completion/bash_completion; . \"" + script +
                                "\"; COMP_LINE=\"quarry-cli " + typed + "\"; COMP_POINT=${#COMP_LINE}; "
                                "read -ra COMP_WORDS <<< \"$COMP_LINE\"; "
                                "[[ $COMP_LINE == *\" \" ]] && COMP_WORDS+=(\"\"); "
                                "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quarry_cli; printf \"%s\\n\" \"${COMPREPLY[@]}\"'";
    std::set<std::string> words;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return words;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string word(line);
        while (!word.empty() && (word.back() == '\n'))
            word.pop_back();
        if (!word.empty())
            words.insert(word);
    }
    ::pclose(pipe);
    return words;
}

} // namespace

TEST(ManualAndCompletion, NameEveryCommandAndOptionTheHelpLists)
{
    const std::vector<std::string> commands = listedCommands();
    ASSERT_GE(commands.size(), 20u);
    const std::string manual = readText(std::string(QUARRY_SOURCE_DIR) + "/data/man/quarry-cli.1");
    ASSERT_FALSE(manual.empty());
    const std::set<std::string> completedCommands = complete("");
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        EXPECT_NE(manual.find("\n.BI " + command + " "), std::string::npos) << "the manual lacks the command";
        EXPECT_TRUE(completedCommands.count(command)) << "completion does not offer the command";
        const std::set<std::string> completedOptions = complete(command + " x -");
        for (const std::string& option : usageOptions(command)) {
            EXPECT_NE(manual.find(roff(option)), std::string::npos) << "the manual lacks " << option;
            EXPECT_TRUE(completedOptions.count(option)) << "completion does not offer " << option;
        }
    }
    // Options of the tool itself, and file names where a file is expected.
    EXPECT_EQ(complete("--"), (std::set<std::string>{"--dat", "--help"}));
    EXPECT_NE(manual.find(roff("--dat")), std::string::npos);
    EXPECT_TRUE(complete("render x 0 0 0 -o " + std::string(QUARRY_SOURCE_DIR) + "/data/man/quarry-c")
                    .count(std::string(QUARRY_SOURCE_DIR) + "/data/man/quarry-cli.1"));
}
