// Commands about one submap: what it holds, its pictures and its map edits.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/RomError.h"
#include "core/rom/Addressing.h"
#include "core/session/Document.h"
#include "core/session/MapExport.h"
#include "core/session/PointerAnswer.h"
#include "core/session/ReachNote.h"
#include "core/world/AreaCatalogue.h"
#include "cli/PngOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <iostream>

namespace quarry::cli {

namespace {

const QString kAreaUsage = QStringLiteral("ROM SET AREA SUBMAP");

// The submap named by positional arguments 1-3, which must be listed in the
// area catalogue.
rom::AreaId areaIdOf(const Arguments& arguments)
{
    rom::AreaId id;
    id.objectSet = static_cast<int>(parseNumber(arguments.positional[1], QStringLiteral("SET"), 0, 5));
    id.area = static_cast<int>(parseNumber(arguments.positional[2], QStringLiteral("AREA"), 0, 23));
    id.submap = static_cast<int>(parseNumber(arguments.positional[3], QStringLiteral("SUBMAP"), 0, 4));
    if (!world::findSubmap(id))
        throw UsageError(QStringLiteral("object set %1, area %2 has no submap %3 in the area catalogue")
                             .arg(id.objectSet)
                             .arg(id.area)
                             .arg(id.submap)
                             .toStdString());
    return id;
}

// Opens the image and loads the submap the arguments name.
void loadArea(session::Document& document, const Arguments& arguments)
{
    if (arguments.values.count(QStringLiteral("-o")))
        checkOutputIsNotInput(arguments.positional[0], arguments.output());
    const rom::AreaId id = areaIdOf(arguments);
    openDocument(document, arguments.positional[0], arguments.datDir);
    document.loadArea(id, arguments.has(QStringLiteral("--night")));
}

template <typename Values>
QJsonArray jsonArray(const Values& values)
{
    QJsonArray array;
    for (const auto& value : values)
        array.append(static_cast<qint64>(value));
    return array;
}

QJsonArray doorsJson(const world::Doors& doors)
{
    QJsonArray values;
    for (const auto& door : {doors.left, doors.right}) {
        if (door) {
            values.append(door->objectSet);
            values.append(door->area);
            values.append(door->entry);
        } else {
            // The exits lead round in a circle: there is nowhere to arrive.
            for (int i = 0; i < 3; ++i)
                values.append(QJsonValue::Null);
        }
    }
    return values;
}

int runArea(const Arguments& arguments)
{
    session::Document document;
    loadArea(document, arguments);
    const session::LoadedArea& area = *document.area();

    QJsonArray stairs;
    for (const auto& stair : area.stairs)
        stairs.append(QJsonObject{{"x", stair.x}, {"y", stair.y}, {"upDown", stair.upDown}, {"leftRight", stair.leftRight}});
    QJsonArray actors;
    for (const auto& actor : area.actors)
        actors.append(QJsonObject{{"x", actor.x}, {"y", actor.y}, {"type", actor.type}, {"control", actor.control}});

    printJson(QJsonDocument(QJsonObject{
        {"objectSet", area.id.objectSet},
        {"area", area.id.area},
        {"submap", area.id.submap},
        {"night", area.night},
        {"mapNumber", area.pointers.mapNumber},
        {"mapPointer", area.pointers.mapPointer},
        {"stairPointer", area.pointers.stairPointer},
        {"palettePointer", area.pointers.palettePointer},
        {"actorPointer", area.pointers.actorPointer},
        {"screensWide", area.map.screensWide},
        {"screensHigh", area.map.screensHigh},
        {"screenTable", jsonArray(area.map.screenTable)},
        {"mapGrid", jsonArray(area.map.mapGrid)},
        {"stairs", stairs},
        {"actors", actors},
        {"palette", jsonArray(area.palette)},
        {"greyscale", area.mask.greyscale ? 1 : 0},
        {"emphasis", area.mask.emphasis},
        {"solidity", jsonArray(area.thresholds)},
        {"bgChrBase", static_cast<qint64>(rom::bgChrBase(document.rom(), area.id.objectSet))},
        {"sprChrBase", static_cast<qint64>(rom::sprChrBase(document.rom(), area.id.objectSet))},
        {"metatileLimit", area.metatileLimit},
        {"doors", doorsJson(area.doors)},
    }));
    return 0;
}

int runRender(const Arguments& arguments)
{
    const QString output = arguments.output();
    session::Document document;
    loadArea(document, arguments);
    writePng(output, session::exportedMapPicture(*document.area()));
    return 0;
}

int runPicker(const Arguments& arguments)
{
    const QString output = arguments.output();
    session::Document document;
    loadArea(document, arguments);
    writePng(output, document.area()->chooser);
    return 0;
}

// A write into screens shown elsewhere is not asked about here: it is said,
// on standard error, as the editor's note says it.
void noteReach(const session::Document& document, const session::Document::CellEdit& edit)
{
    if (const std::string note = session::reachNote(document, edit); !note.empty())
        std::cerr << note << '\n';
}

// The cell containing the map pixel given by positional arguments `at` and
// `at` + 1; a pixel outside the map is refused.
session::MapCell cellArgument(const session::Document& document, const Arguments& arguments, int at)
{
    const int x = static_cast<int>(parseNumber(arguments.positional[at], QStringLiteral("X"), 0, 0xFFFFFF));
    const int y =
        static_cast<int>(parseNumber(arguments.positional[at + 1], QStringLiteral("Y"), 0, 0xFFFFFF));
    const session::LoadedArea& area = *document.area();
    const auto cell = session::cellAtPixel(area.map, x, y);
    if (!cell)
        throw RomError("map pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") lies outside the map of "
                       + std::to_string(area.mapWidth()) + " x " + std::to_string(area.mapHeight()) + " pixels");
    return *cell;
}

int runPaint(const Arguments& arguments)
{
    const QString output = arguments.output();
    const int metatile = static_cast<int>(parseNumber(arguments.positional[6], QStringLiteral("METATILE"), 0, 255));
    session::Document document;
    loadArea(document, arguments);
    cellArgument(document, arguments, 4); // refuses a pixel outside the map
    const int x = static_cast<int>(parseNumber(arguments.positional[4], QStringLiteral("X"), 0, 0xFFFFFF));
    const int y = static_cast<int>(parseNumber(arguments.positional[5], QStringLiteral("Y"), 0, 0xFFFFFF));
    // Only what the chooser offers can be painted, as in the editor.
    if (const std::string unoffered = document.unofferedMetatiles({static_cast<std::uint8_t>(metatile)});
        !unoffered.empty())
        throw RomError(unoffered);
    if (document.paintCell(x, y, static_cast<std::uint8_t>(metatile)))
        noteReach(document, session::paintedCellEdit(document, x, y));
    writeImage(output, document.rom());
    return 0;
}

int runSetPointer(const Arguments& arguments)
{
    const QString output = arguments.output();
    const int x = static_cast<int>(parseNumber(arguments.positional[4], QStringLiteral("X"), 0, 0xFFFFFF));
    const int y = static_cast<int>(parseNumber(arguments.positional[5], QStringLiteral("Y"), 0, 0xFFFFFF));
    session::Document document;
    loadArea(document, arguments);
    cellArgument(document, arguments, 4); // refuses a pixel outside the map
    if (const auto pointer = session::parsePointerAnswer(arguments.positional[6].toStdString()))
        document.setScreenPointerAt(x, y, *pointer);
    writeImage(output, document.rom());
    return 0;
}

int runCopy(const Arguments& arguments)
{
    session::Document document;
    loadArea(document, arguments);
    const session::MapCell first = cellArgument(document, arguments, 4);
    const session::MapCell last = cellArgument(document, arguments, 6);
    const std::string text = session::blockText(session::copyBlock(document.area()->map, session::spanning(first, last)));
    printLine(QString::fromStdString(text).chopped(1));
    return 0;
}

int runStamp(const Arguments& arguments)
{
    const QString output = arguments.output();
    session::Document document;
    loadArea(document, arguments);
    const session::MapCell at = cellArgument(document, arguments, 4);
    const std::vector<std::uint8_t> bytes = readInputFile(arguments.positional[6], 1u << 20);
    session::MetatileBlock block;
    try {
        block = session::parseBlockText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const RomError& error) {
        throw RomError(arguments.positional[6].toStdString() + ", " + error.what());
    }
    noteReach(document, document.stampBlock(at, block, "Stamp block"));
    writeImage(output, document.rom());
    return 0;
}

int runFill(const Arguments& arguments)
{
    const QString output = arguments.output();
    const int metatile = static_cast<int>(parseNumber(arguments.positional[6], QStringLiteral("METATILE"), 0, 255));
    session::Document document;
    loadArea(document, arguments);
    noteReach(document, document.fillCells(cellArgument(document, arguments, 4), static_cast<std::uint8_t>(metatile)));
    writeImage(output, document.rom());
    return 0;
}

int runEraseMap(const Arguments& arguments)
{
    const QString output = arguments.output();
    session::Document document;
    loadArea(document, arguments);
    document.eraseMap();
    writeImage(output, document.rom());
    return 0;
}

} // namespace

void addAreaCommands(std::vector<Command>& table)
{
    const QString areaHelp = QStringLiteral(
        "SET is the object set (0-5), AREA and SUBMAP a submap of the area catalogue.\n"
        "--night uses the area's night palette.");
    table.push_back({QStringLiteral("area"), kAreaUsage + " [--night]",
                     QStringLiteral("everything one submap holds, as JSON"),
                     areaHelp + QStringLiteral("\nPrints the pointers, the map, stairs, actors, palette, mask "
                                               "settings,\nsolidity thresholds, CHR banks, metatile limit and doors."),
                     {}, {QStringLiteral("--night")}, 4, runArea});
    table.push_back({QStringLiteral("render"), kAreaUsage + " [--night] -o FILE.png",
                     QStringLiteral("the submap's map picture as PNG"), areaHelp, {QStringLiteral("-o")},
                     {QStringLiteral("--night")}, 4, runRender});
    table.push_back({QStringLiteral("picker"), kAreaUsage + " [--night] -o FILE.png",
                     QStringLiteral("the submap's 256 x 288 metatile chooser as PNG"), areaHelp,
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 4, runPicker});
    table.push_back({QStringLiteral("paint"), kAreaUsage + " X Y METATILE -o OUT",
                     QStringLiteral("paint a metatile into the map cell at map pixel X, Y"),
                     areaHelp + QStringLiteral("\nWrites the whole edited image to OUT. A pixel outside the map is "
                                               "refused and\nnothing is written."),
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 7, runPaint});
    table.push_back({QStringLiteral("set-pointer"), kAreaUsage + " X Y VALUE -o OUT",
                     QStringLiteral("point the screen at map pixel X, Y at new data"),
                     areaHelp + QStringLiteral("\nVALUE as typed in the editor: $9ABC is hexadecimal, 40000 decimal; "
                                               "the low\n16 bits are kept. A value below $8000 is refused and nothing "
                                               "is written.\nA pixel outside the map is refused and nothing is written."),
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 7, runSetPointer});
    table.push_back({QStringLiteral("copy"), kAreaUsage + " X0 Y0 X1 Y1",
                     QStringLiteral("print the block of cells between two map pixels as text"),
                     areaHelp + QStringLiteral("\nPrints one line per row of the block whose corner cells contain map "
                                               "pixels\n(X0, Y0) and (X1, Y1): two-digit hex metatile numbers "
                                               "separated by spaces."),
                     {}, {QStringLiteral("--night")}, 8, runCopy});
    table.push_back({QStringLiteral("stamp"), kAreaUsage + " X Y BLOCKFILE -o OUT",
                     QStringLiteral("place a block of metatiles (text as copy prints it) on the map"),
                     areaHelp + QStringLiteral("\nThe block's top-left cell goes to the cell containing map pixel "
                                               "X, Y; cells\npast the map's edges are left out. Cells are written row "
                                               "by row from the top\nleft: where two land on one screen's data the "
                                               "later stays. Every metatile\nmust be one the chooser offers, or nothing "
                                               "is written.\nA pixel outside the map is refused and nothing is written."),
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 7, runStamp});
    table.push_back({QStringLiteral("fill"), kAreaUsage + " X Y METATILE -o OUT",
                     QStringLiteral("fill the region of like cells around map pixel X, Y"),
                     areaHelp + QStringLiteral("\nThe cells joined to the cell at X, Y through their edges and holding "
                                               "the same\nmetatile become METATILE, which must be one the chooser "
                                               "offers.\nA pixel outside the map is refused and nothing is written."),
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 7, runFill});
    table.push_back({QStringLiteral("erase-map"), kAreaUsage + " -o OUT",
                     QStringLiteral("set every cell of the submap's map to metatile 0"), areaHelp,
                     {QStringLiteral("-o")}, {QStringLiteral("--night")}, 4, runEraseMap});
}

} // namespace quarry::cli
