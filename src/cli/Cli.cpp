#include "cli/Cli.h"

#include <QJsonDocument>

#include <cstdio>

namespace quarry::cli {

QString Arguments::value(const QString& option) const
{
    const auto found = values.find(option);
    return found == values.end() ? QString() : found->second;
}

QString Arguments::output() const
{
    const QString path = value(QStringLiteral("-o"));
    if (path.isEmpty())
        throw UsageError("missing -o OUT");
    return path;
}

const std::vector<Command>& commands()
{
    static const std::vector<Command> table = [] {
        std::vector<Command> all;
        addRomCommands(all);
        addAreaCommands(all);
        addTextCommands(all);
        addSpriteCommands(all);
        addPatchCommands(all);
        addCompareCommands(all);
        addDemoCommands(all);
        addScriptCommands(all);
        return all;
    }();
    return table;
}

long parseNumber(const QString& text, const QString& what, long min, long max)
{
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith('$')) {
        digits.remove(0, 1);
        base = 16;
    } else if (digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        digits.remove(0, 2);
        base = 16;
    }
    bool ok = false;
    const long value = digits.toLong(&ok, base);
    if (!ok || digits.isEmpty() || digits.startsWith('+') || digits.startsWith('-') || value < min || value > max)
        throw UsageError(QStringLiteral("%1 must be a number from %2 to %3, not \"%4\"")
                             .arg(what)
                             .arg(min)
                             .arg(max)
                             .arg(text)
                             .toStdString());
    return value;
}

void printJson(const QJsonDocument& document)
{
    const QByteArray bytes = document.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void printLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

} // namespace quarry::cli
