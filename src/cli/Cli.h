#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

class QJsonDocument;

namespace quarry::cli {

// Wrong words on the command line: exit code 2 with the command's usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One command's arguments after the options were taken out.
struct Arguments {
    QString datDir;                   // --dat, or the dat folder beside the tool
    QStringList positional;
    std::map<QString, QString> values; // options with a value, e.g. "-o"
    std::set<QString> flags;           // options without one, e.g. "--night"

    bool has(const QString& flag) const { return flags.count(flag) != 0; }
    QString value(const QString& option) const;
    // The output path of a writing command; a usage error when missing.
    QString output() const;
};

struct Command {
    QString name;
    QString usage;   // "area ROM SET AREA SUBMAP [--night]"
    QString summary; // one line for the tool's --help
    QString help;    // the rest of the command's --help
    std::set<QString> valueOptions;
    std::set<QString> flagOptions;
    int positionalCount = 0;
    std::function<int(const Arguments&)> run;
    // Words after the positional arguments are the command's own, taken
    // as they are (a script's arguments), options included.
    bool trailingWords = false;
};

// Every command of the tool; each feature adds its own to this table.
const std::vector<Command>& commands();
void addRomCommands(std::vector<Command>& table);
void addAreaCommands(std::vector<Command>& table);
void addTextCommands(std::vector<Command>& table);
void addSpriteCommands(std::vector<Command>& table);
void addPatchCommands(std::vector<Command>& table);
void addCompareCommands(std::vector<Command>& table);
void addDemoCommands(std::vector<Command>& table);
void addScriptCommands(std::vector<Command>& table);

// "12", "$0C" or "0x0C"; a usage error names `what` when it is no number or
// lies outside [min, max].
long parseNumber(const QString& text, const QString& what, long min, long max);

// Prints to standard output.
void printJson(const QJsonDocument& document);
void printLine(const QString& text);

} // namespace quarry::cli
