// Commands about the game's strings: list them, change one, and carry all of
// them out to a text file and back in, the round trip a translator needs.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/text/TextCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <cstdio>
#include <optional>

namespace quarry::cli {

namespace {

const QString kTextCountRange = QStringLiteral("the 121 texts 00 to 78");

QString joinedCharacters(const std::vector<std::string>& characters)
{
    QStringList list;
    for (const std::string& character : characters)
        list << QString::fromUtf8(character);
    return list.join(' ');
}

// The characters of `text` the table cannot express, as a message, or
// nothing when the table has them all.
std::optional<QString> missingCharacters(const std::string& text, const rom::CharTable& table)
{
    const std::vector<std::string> missing = text::charactersNotInTable(text, table);
    if (missing.empty())
        return std::nullopt;
    return QStringLiteral("characters the table cannot express: %1").arg(joinedCharacters(missing));
}

void writeResult(const session::Document& document, const QString& output)
{
    writeImage(output, document.rom());
    printLine(QStringLiteral("wrote %1").arg(output));
}

int runTexts(const Arguments& arguments)
{
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    QJsonArray strings;
    for (const std::string& text : document.decodeTexts())
        strings.append(QString::fromUtf8(text));
    printJson(QJsonDocument(strings));
    return 0;
}

int runSetText(const Arguments& arguments)
{
    const QString output = arguments.output();
    checkOutputIsNotInput(arguments.positional[0], output);
    const auto n = static_cast<std::size_t>(
        parseNumber(arguments.positional[1], QStringLiteral("N"), 0, layout::kTextCount - 1));
    const std::string newText = arguments.positional[2].toStdString();

    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    if (const auto missing = missingCharacters(newText, document.sideData().charTable))
        throw RomError(QStringLiteral("the new text %1 holds %2; nothing was written")
                           .arg(arguments.positional[1], *missing)
                           .toStdString());
    text::Texts texts = document.decodeTexts();
    texts[n] = newText;
    document.commitTexts(texts); // refuses, writing nothing, when the texts do not fit
    writeResult(document, output);
    return 0;
}

int runExportTexts(const Arguments& arguments)
{
    const QString output = arguments.output();
    checkOutputIsNotInput(arguments.positional[0], output);
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    const text::Texts texts = document.decodeTexts();

    QByteArray bytes;
    for (int n = 0; n < layout::kTextCount; ++n) {
        bytes += QByteArray::fromStdString(text::textListLine(n, texts[static_cast<std::size_t>(n)]));
        bytes += '\n';
    }
    writeOutputFile(output, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size())));
    printLine(QStringLiteral("wrote %1").arg(output));
    return 0;
}

// Reads the lines of a text list file: one "NN: text" line per string, in
// string order. Every wrong line is reported on standard error; returns
// nothing when any line was wrong.
std::optional<text::Texts> readTextList(const QString& path, const rom::CharTable& table)
{
    // A list of every string is a few kilobytes; a megabyte is plenty.
    const std::vector<std::uint8_t> bytes = readInputFile(path, 1u << 20);
    QByteArray content(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    if (content.startsWith("\xEF\xBB\xBF")) // the mark some editors put before UTF-8
        content.remove(0, 3);
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the end of the last line

    text::Texts texts;
    QStringList problems;
    const auto problem = [&](qsizetype line, const QString& message) {
        problems << QStringLiteral("%1:%2: %3").arg(path).arg(line + 1).arg(message);
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (i >= layout::kTextCount) {
            problem(i, QStringLiteral("one line too many: the file holds %1, one per line").arg(kTextCountRange));
            break;
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder(line);
        if (decoder.hasError()) {
            problem(i, QStringLiteral("not valid UTF-8"));
            continue;
        }
        const QString prefix = QString::fromStdString(text::textListLine(static_cast<int>(i), ""));
        // The number may come in either case of hex digits.
        if (decoded.size() < prefix.size() || decoded.left(2).compare(prefix.left(2), Qt::CaseInsensitive) != 0
            || decoded.mid(2, 2) != QStringLiteral(": ")) {
            problem(i, QStringLiteral("expected \"%1\" at the start (text %2, in string order)")
                           .arg(prefix, prefix.left(2)));
            continue;
        }
        std::string text = line.sliced(prefix.size()).toStdString();
        if (const auto missing = missingCharacters(text, table)) {
            problem(i, *missing);
            continue;
        }
        texts[static_cast<std::size_t>(i)] = std::move(text);
    }
    if (lines.size() < layout::kTextCount)
        problems << QStringLiteral("%1: %2 lines, but %3 need one line each")
                        .arg(path)
                        .arg(lines.size())
                        .arg(kTextCountRange);
    for (const QString& message : problems)
        std::fprintf(stderr, "quarry-cli: %s\n", qPrintable(message));
    if (!problems.isEmpty())
        return std::nullopt;
    return texts;
}

int runImportTexts(const Arguments& arguments)
{
    const QString output = arguments.output();
    checkOutputIsNotInput(arguments.positional[0], output);
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    const std::optional<text::Texts> texts = readTextList(arguments.positional[1], document.sideData().charTable);
    if (!texts)
        throw RomError(arguments.positional[1].toStdString() + " has wrong lines; nothing was written");
    document.commitTexts(*texts); // refuses, writing nothing, when the texts do not fit
    writeResult(document, output);
    return 0;
}

} // namespace

void addTextCommands(std::vector<Command>& table)
{
    const std::set<QString> output{QStringLiteral("-o")};
    table.push_back({QStringLiteral("texts"), QStringLiteral("texts ROM"),
                     QStringLiteral("the game's 121 strings as a JSON array"),
                     QStringLiteral("Prints the strings 0 to 120 as the text editor shows them: \"/\" is a\n"
                                    "line break and {XX} a byte the character table has no character for."),
                     {}, {}, 1, runTexts});
    table.push_back({QStringLiteral("set-text"), QStringLiteral("set-text ROM N TEXT -o OUT"),
                     QStringLiteral("changes string N (0-120) and writes the image to OUT"),
                     QStringLiteral("The whole text block is laid out again and its pointers rewritten.\n"
                                    "Refused, writing nothing, when the texts no longer fit in the block\n"
                                    "(the message says how many bytes over) or TEXT holds characters the\n"
                                    "character table cannot express."),
                     output, {}, 3, runSetText});
    table.push_back({QStringLiteral("export-texts"), QStringLiteral("export-texts ROM -o FILE.txt"),
                     QStringLiteral("writes the 121 strings to a UTF-8 text file"),
                     QStringLiteral("One line per string, \"NN: text\" with NN the string number in two\n"
                                    "hex digits, as the text editor lists them. Edit the texts after \"NN: \"\n"
                                    "and bring them back with import-texts."),
                     output, {}, 1, runExportTexts});
    table.push_back({QStringLiteral("import-texts"), QStringLiteral("import-texts ROM FILE.txt -o OUT"),
                     QStringLiteral("stores the strings of a text file and writes the image to OUT"),
                     QStringLiteral("FILE.txt holds the lines export-texts writes: 121 lines \"00: text\" to\n"
                                    "\"78: text\" in order, UTF-8. Every line is checked first; each wrong\n"
                                    "line is reported with its number and then nothing is written. Also\n"
                                    "refused when the texts do not fit in the text block."),
                     output, {}, 2, runImportTexts});
}

} // namespace quarry::cli
