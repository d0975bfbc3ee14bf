// Commands about the image as a whole.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/rom/Addressing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quarry::cli {

namespace {

int runInfo(const Arguments& arguments)
{
    const rom::RomImage image = openImage(arguments.positional[0]);
    QJsonArray header;
    for (std::uint8_t byte : image.header())
        header.append(byte);
    QJsonArray chrBanks;
    for (int set = 0; set < 6; ++set)
        chrBanks.append(QJsonObject{{"objectSet", set},
                                    {"bgChrBase", static_cast<qint64>(rom::bgChrBase(image, set))},
                                    {"sprChrBase", static_cast<qint64>(rom::sprChrBase(image, set))}});
    printJson(QJsonDocument(QJsonObject{
        {"bodySize", static_cast<qint64>(image.size())},
        {"header", header},
        {"chrBanks", chrBanks},
    }));
    return 0;
}

} // namespace

void addRomCommands(std::vector<Command>& table)
{
    table.push_back({QStringLiteral("info"), QStringLiteral("info ROM"),
                     QStringLiteral("the image's header, body size and CHR banks as JSON"),
                     QStringLiteral("Prints one JSON object with the keys bodySize, header (16 bytes) and\n"
                                    "chrBanks (the background and sprite CHR bank of each object set,\n"
                                    "as body indexes)."),
                     {}, {}, 1, runInfo});
}

} // namespace quarry::cli
