// quarry-cli: the editor's game model without a window.
#include "cli/Cli.h"
#include "cli/RomAccess.h"
#include "core/rom/DataFolder.h"
#include "core/rom/FileAccess.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace quarry::cli {

namespace {

constexpr const char* kToolUsage = "usage: quarry-cli [--dat DIR] COMMAND ARGS...";

void printToolHelp()
{
    QString text = QString::fromLatin1(kToolUsage) + "\n\n"
                   "Reads and edits an iNES image of the game without opening the editor.\n"
                   "Numbers are decimal, or hexadecimal with a leading $ or 0x.\n"
                   "Writing commands take -o OUT and never change their input.\n\n"
                   "Options:\n"
                   "  --dat DIR   the side-data folder (default: the dat folder beside the tool, else\n"
                   "              the installed one, /usr/share/quarry/dat)\n"
                   "  --help      this text; COMMAND --help tells about one command\n\n"
                   "Commands:\n";
    qsizetype width = 0;
    for (const Command& command : commands())
        width = std::max(width, command.name.size());
    for (const Command& command : commands())
        text += QStringLiteral("  %1  %2\n").arg(command.name.leftJustified(width), command.summary);
    printLine(text.trimmed());
}

// Every command's usage names the command, whatever its table entry says.
QString usageLine(const Command& command)
{
    const bool named = command.usage == command.name || command.usage.startsWith(command.name + QLatin1Char(' '));
    return QStringLiteral("usage: quarry-cli [--dat DIR] %1")
        .arg(named ? command.usage : command.name + QLatin1Char(' ') + command.usage);
}

void printCommandHelp(const Command& command)
{
    printLine(QStringLiteral("%1\n\n%2\n%3")
                  .arg(usageLine(command), command.summary, command.help)
                  .trimmed());
}

int usageError(const QString& message, const QString& usage)
{
    std::fprintf(stderr, "quarry-cli: %s\n%s\n", qPrintable(message), qPrintable(usage));
    return 2;
}

int runTool(const QStringList& words)
{
    Arguments arguments;
    arguments.datDir = QString::fromStdString(rom::findDataFolder(QCoreApplication::applicationDirPath().toStdString()));
    int at = 0;
    while (at < words.size() && words[at].startsWith('-')) {
        if (words[at] == "--help" || words[at] == "-h") {
            printToolHelp();
            return 0;
        }
        if (words[at] == "--dat" && at + 1 < words.size()) {
            arguments.datDir = words[at + 1];
            at += 2;
            continue;
        }
        return usageError(QStringLiteral("unknown option %1").arg(words[at]), kToolUsage);
    }
    if (at >= words.size())
        return usageError(QStringLiteral("no command given"), kToolUsage);

    const QString name = words[at++];
    const Command* command = nullptr;
    for (const Command& candidate : commands())
        if (candidate.name == name)
            command = &candidate;
    if (!command)
        return usageError(QStringLiteral("unknown command %1").arg(name), kToolUsage);
    const QString usage = usageLine(*command);

    for (; at < words.size(); ++at) {
        const QString& word = words[at];
        if (command->trailingWords && arguments.positional.size() >= command->positionalCount) {
            arguments.positional << word;
            continue;
        }
        if (word == "--help" || word == "-h") {
            printCommandHelp(*command);
            return 0;
        }
        if (command->valueOptions.count(word)) {
            if (at + 1 >= words.size())
                return usageError(QStringLiteral("%1 needs a value").arg(word), usage);
            arguments.values[word] = words[++at];
        } else if (command->flagOptions.count(word)) {
            arguments.flags.insert(word);
        } else if (word.startsWith('-') && word.size() > 1 && !word.startsWith("-$") && !word[1].isDigit()) {
            return usageError(QStringLiteral("unknown option %1").arg(word), usage);
        } else {
            arguments.positional << word;
        }
    }
    if (arguments.positional.size() < command->positionalCount
        || (arguments.positional.size() > command->positionalCount && !command->trailingWords))
        return usageError(QStringLiteral("%1 takes %2 argument%3, %4 given")
                              .arg(command->name)
                              .arg(command->positionalCount)
                              .arg(command->positionalCount == 1 ? "" : "s")
                              .arg(arguments.positional.size()),
                          usage);
    try {
        return command->run(arguments);
    } catch (const UsageError& error) {
        return usageError(QString::fromUtf8(error.what()), usage);
    }
}

} // namespace

} // namespace quarry::cli

int main(int argc, char** argv)
{
    quarry::rom::ignoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    try {
        return quarry::cli::runTool(words);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quarry-cli: %s\n", error.what());
        return 1;
    }
}
