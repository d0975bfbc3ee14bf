// Commands that compare two edits of the game in its own terms: what an
// edited image or a patch changes, and the three-way merge of two edits.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/compare/EditInput.h"
#include "core/compare/ImageDiff.h"
#include "core/compare/ImageMerge.h"
#include "core/patch/PatchFile.h"
#include "core/rom/GameLayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace quarry::cli {

namespace {

constexpr int kDiffers = 3;

// An edit named on the command line: an image, or a patch applied to
// ORIGINAL in memory.
rom::RomImage openEdit(const rom::RomImage& original, const QString& path, const char* role)
{
    const std::vector<std::uint8_t> bytes
        = readInputFile(path, std::max(patch::kLargestPatchFile, layout::kMaximumFileSize));
    if (auto patched = compare::patchedImage(original, bytes, path.toStdString()))
        return *std::move(patched);
    rom::RomImage image = openImage(path);
    compare::checkSameShape(original, "ORIGINAL", image, role);
    return image;
}

rom::CharTable charTable(const QString& datDir)
{
    rom::CharTable table;
    if (!rom::loadCharTable(datDir.toStdString(), table))
        rom::applyDefaultCharTable(table);
    return table;
}

QString quoted(const compare::PartChange& change, const compare::FieldChange& field)
{
    if (change.kind == compare::PartKind::Text)
        return QStringLiteral("\"%1\" -> \"%2\"").arg(QString::fromStdString(field.before),
                                                      QString::fromStdString(field.after));
    return QStringLiteral("%1: %2 -> %3")
        .arg(QString::fromStdString(field.field), QString::fromStdString(field.before),
             QString::fromStdString(field.after));
}

bool listsFields(const compare::PartChange& change, bool cells)
{
    return change.kind != compare::PartKind::Screen || cells;
}

void printChanges(const std::vector<compare::PartChange>& changes, bool cells)
{
    if (changes.empty()) {
        printLine(QStringLiteral("no changes"));
        return;
    }
    for (const compare::PartChange& change : changes) {
        const QString name = QString::fromStdString(change.name);
        if (change.kind == compare::PartKind::Text && change.changes.size() == 1) {
            printLine(name + ": " + quoted(change, change.changes.front()));
            continue;
        }
        printLine(QStringLiteral("%1: %2").arg(name, QString::fromStdString(change.summary)));
        for (const std::string& place : change.shownAt)
            printLine(QStringLiteral("    shown at %1").arg(QString::fromStdString(place)));
        if (listsFields(change, cells))
            for (const compare::FieldChange& field : change.changes)
                printLine(QStringLiteral("    ") + quoted(change, field));
    }
}

QJsonDocument changesJson(const std::vector<compare::PartChange>& changes, bool cells)
{
    QJsonArray parts;
    for (const compare::PartChange& change : changes) {
        QJsonObject part{{"kind", compare::kindName(change.kind)},
                         {"name", QString::fromStdString(change.name)},
                         {"summary", QString::fromStdString(change.summary)}};
        QJsonArray shown;
        for (const std::string& place : change.shownAt)
            shown.append(QString::fromStdString(place));
        if (!shown.isEmpty())
            part["shownAt"] = shown;
        QJsonArray fields;
        if (listsFields(change, cells))
            for (const compare::FieldChange& field : change.changes)
                fields.append(QJsonObject{{"field", QString::fromStdString(field.field)},
                                          {"old", QString::fromStdString(field.before)},
                                          {"new", QString::fromStdString(field.after)}});
        part["changes"] = fields;
        parts.append(part);
    }
    return QJsonDocument(QJsonObject{{"same", changes.empty()}, {"parts", parts}});
}

int runDiff(const Arguments& arguments)
{
    const rom::RomImage original = openImage(arguments.positional[0]);
    const rom::RomImage edited = openEdit(original, arguments.positional[1], "EDITED");
    const compare::ImageMap map = compare::ImageMap::build(original);
    const auto changes = compare::diffImages(map, original, edited, charTable(arguments.datDir));
    const bool cells = arguments.has(QStringLiteral("--cells"));
    if (arguments.has(QStringLiteral("--json")))
        printJson(changesJson(changes, cells));
    else
        printChanges(changes, cells);
    return arguments.has(QStringLiteral("--check")) && !changes.empty() ? kDiffers : 0;
}

int runMerge(const Arguments& arguments)
{
    const QString output = arguments.output();
    for (const QString& input : arguments.positional)
        checkOutputIsNotInput(input, output);
    const QString take = arguments.value(QStringLiteral("--take"));
    if (!take.isEmpty() && take != "mine" && take != "theirs")
        throw UsageError("--take must be mine or theirs, not \"" + take.toStdString() + "\"");
    const rom::RomImage original = openImage(arguments.positional[0]);
    const rom::RomImage mine = openEdit(original, arguments.positional[1], "MINE");
    const rom::RomImage theirs = openEdit(original, arguments.positional[2], "THEIRS");
    const compare::ImageMap map = compare::ImageMap::build(original);
    const auto merge = compare::ImageMerge::plan(map, original, mine, theirs, charTable(arguments.datDir));
    const auto& conflicts = merge.conflicts();
    if (!conflicts.empty() && take.isEmpty()) {
        for (const compare::Conflict& conflict : conflicts)
            std::fprintf(stderr, "quarry-cli: conflict: %s\n", conflict.description.c_str());
        std::fprintf(stderr, "quarry-cli: %zu conflict%s, nothing was written (--take mine or --take theirs "
                             "settles them)\n",
                     conflicts.size(), conflicts.size() == 1 ? "" : "s");
        return kDiffers;
    }
    const compare::Side side = take == "theirs" ? compare::Side::Theirs : compare::Side::Mine;
    writeImage(output, merge.result({}, side));
    if (!conflicts.empty())
        printLine(QStringLiteral("%1 conflict%2 settled with %3")
                      .arg(conflicts.size())
                      .arg(conflicts.size() == 1 ? "" : "s")
                      .arg(take));
    printLine(QStringLiteral("wrote %1").arg(output));
    return 0;
}

} // namespace

void addCompareCommands(std::vector<Command>& table)
{
    table.push_back({QStringLiteral("diff"), QStringLiteral("diff [--json] [--cells] [--check] ORIGINAL EDITED"),
                     QStringLiteral("tells what EDITED (an image, or an IPS or BPS patch) changes in ORIGINAL"),
                     QStringLiteral("Changes are grouped by what the editor shows: screens and their map\n"
                                    "cells (listed with --cells), screen pointers, actors, stairs, palettes,\n"
                                    "tiles, metatiles, thresholds, texts, frames and animations, and other\n"
                                    "byte ranges. A patch is applied to ORIGINAL in memory first.\n"
                                    "--json prints the same as JSON. --check exits 3 when the images differ\n"
                                    "and 0 when they are the same."),
                     {}, {QStringLiteral("--json"), QStringLiteral("--cells"), QStringLiteral("--check")}, 2, runDiff});
    table.push_back({QStringLiteral("merge"), QStringLiteral("merge [--take mine|theirs] ORIGINAL MINE THEIRS -o OUT"),
                     QStringLiteral("combines two edits (images or patches) of ORIGINAL into OUT"),
                     QStringLiteral("Merges field by field as the editor shows the data: a field only one\n"
                                    "side changed is taken from it, one both changed alike is taken once.\n"
                                    "Texts merge per string and are packed again; sprite tables merge per\n"
                                    "sprite while both kept their sprites. Conflicts are listed on standard\n"
                                    "error and nothing is written (exit 3), unless --take mine or --take\n"
                                    "theirs settles every one of them."),
                     {QStringLiteral("-o"), QStringLiteral("--take")}, {}, 3, runMerge});
}

} // namespace quarry::cli
