// Commands about the game's sprites: one frame's sprite attribute list and
// one animation's record, as the sprite editor shows them.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/session/Document.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/FrameSprites.h"
#include "core/sprites/SpriteText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quarry::cli {

namespace {

int runFrame(const Arguments& arguments)
{
    const int frame = static_cast<int>(parseNumber(arguments.positional[1], QStringLiteral("F"), 0,
                                                   layout::kFrameCount - 1));
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    sprites::FrameBuilder builder;
    const sprites::OamList list = builder.buildFrameOam(document.rom(), sprites::getFramePointer(document.rom(), frame));
    // The editor joins the lines with CR LF; here each is one output line.
    for (const QString& line : QString::fromStdString(sprites::oamText(list)).split(QStringLiteral("\r\n")))
        printLine(line);
    return 0;
}

int runAnimation(const Arguments& arguments)
{
    const int number = static_cast<int>(parseNumber(arguments.positional[1], QStringLiteral("A"), 0,
                                                    layout::kAnimationCount - 1));
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    const sprites::Animation animation = sprites::loadAnimation(document.rom(), number);
    QJsonArray pointers;
    for (const std::uint16_t pointer : animation.framePointers)
        pointers.append(pointer);
    printJson(QJsonDocument(QJsonObject{
        {"frames", animation.frames},
        {"start", animation.start},
        {"timer", animation.timer},
        {"framePointers", pointers},
    }));
    return 0;
}

// A number that may be negative ("-8", "-$08"); whether it fits the field
// it is meant for is the frame edit's own check, a refusal like the others.
int parseValue(const QString& text, const QString& what)
{
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith('-');
    const long value = parseNumber(negative ? trimmed.mid(1) : trimmed, what, 0, 0x7FFFFFFF);
    return static_cast<int>(negative ? -value : value);
}

int frameOf(const Arguments& arguments)
{
    return static_cast<int>(parseNumber(arguments.positional[1], QStringLiteral("F"), 0, layout::kFrameCount - 1));
}

QString jsonList(const std::vector<int>& numbers)
{
    QStringList items;
    for (int number : numbers)
        items << QString::number(number);
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

int runFrameSprites(const Arguments& arguments)
{
    const int frame = frameOf(arguments);
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    const sprites::FrameSprites read = sprites::readFrameSprites(document.rom(), frame);
    const char* forms[] = {"empty", "plain", "shared"};
    // Written by hand so the keys keep the order they are documented in.
    QString text = QStringLiteral("{\n    \"frame\": %1,\n    \"address\": \"%2\",\n    \"form\": \"%3\",\n"
                                  "    \"layout\": %4,\n    \"sprites\": [")
                       .arg(frame)
                       .arg(QString::fromStdString(cpuAddressText(read.address)))
                       .arg(QLatin1String(forms[static_cast<int>(read.form)]))
                       .arg(read.layout ? QStringLiteral("\"%1\"").arg(QString::fromStdString(cpuAddressText(*read.layout)))
                                        : QStringLiteral("null"));
    for (std::size_t s = 0; s < read.sprites.size(); ++s) {
        const sprites::StoredSprite& sprite = read.sprites[s];
        text += QStringLiteral("%1\n        {\"dy\": %2, \"tile\": %3, \"attribute\": %4, \"ownAttribute\": %5, \"dx\": %6}")
                    .arg(s == 0 ? "" : ",")
                    .arg(sprite.dy)
                    .arg(sprite.tile)
                    .arg(sprite.attribute)
                    .arg(sprite.ownAttribute ? "true" : "false")
                    .arg(sprite.dx);
    }
    text += read.sprites.empty() ? QStringLiteral("],\n") : QStringLiteral("\n    ],\n");
    text += QStringLiteral("    \"sharedWith\": %1\n}").arg(jsonList(read.sharedWith()));
    printLine(text);
    return 0;
}

int runSetSprite(const Arguments& arguments)
{
    const QString output = arguments.output();
    checkOutputIsNotInput(arguments.positional[0], output);
    const int frame = frameOf(arguments);
    const int index = parseValue(arguments.positional[2], QStringLiteral("K"));
    sprites::SpriteChange change;
    const std::pair<QString, std::optional<int>*> options[] = {{QStringLiteral("--dy"), &change.dy},
                                                               {QStringLiteral("--dx"), &change.dx},
                                                               {QStringLiteral("--tile"), &change.tile},
                                                               {QStringLiteral("--attribute"), &change.attribute}};
    bool any = false;
    for (const auto& [option, field] : options)
        if (arguments.values.count(option)) {
            *field = parseValue(arguments.value(option), option.mid(2).toUpper());
            any = true;
        }
    if (!any)
        throw UsageError("give at least one of --dy, --dx, --tile and --attribute");
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    document.setFrameSprite(frame, index, change);
    writeImage(output, document.rom());
    return 0;
}

int runDeleteSprite(const Arguments& arguments)
{
    const QString output = arguments.output();
    checkOutputIsNotInput(arguments.positional[0], output);
    const int frame = frameOf(arguments);
    const int index = parseValue(arguments.positional[2], QStringLiteral("K"));
    session::Document document;
    openDocument(document, arguments.positional[0], arguments.datDir);
    document.deleteFrameSprite(frame, index);
    writeImage(output, document.rom());
    return 0;
}

} // namespace

void addSpriteCommands(std::vector<Command>& table)
{
    table.push_back({QStringLiteral("frame"), QStringLiteral("frame ROM F"),
                     QStringLiteral("the sprite attribute list of frame F (0-255) as 16 lines of hex"),
                     QStringLiteral("Each line holds 16 bytes of the 64 entries Y, tile, attribute, X, for\n"
                                    "an object at X 48, Y 63, as the sprite editor shows them. Entries with\n"
                                    "Y F8 or more are not shown. A first sprite that takes the attribute of\n"
                                    "the sprite before gets 0, as nothing was built before it."),
                     {}, {}, 2, runFrame});
    table.push_back({QStringLiteral("animation"), QStringLiteral("animation ROM A"),
                     QStringLiteral("animation A (0-63) as JSON: frames, start, timer, framePointers"),
                     QStringLiteral("The animation shows frames + 1 frames from frame start on (numbers wrap\n"
                                    "after 255), each for timer + 1 ticks of 1/60 s. framePointers are the\n"
                                    "CPU addresses of those frames in order."),
                     {}, {}, 2, runAnimation});
    const QString refusals = QStringLiteral(
        "A value outside its range, a sprite K the frame does not have, or an edit\n"
        "that would need more bytes than the frame holds is refused: the tool\n"
        "exits with 1 and writes nothing.");
    table.push_back({QStringLiteral("frame-sprites"), QStringLiteral("frame-sprites ROM F"),
                     QStringLiteral("the stored sprite entries of frame F (0-255) as JSON"),
                     QStringLiteral("Prints frame, address, form (plain, shared or empty), layout (shared form),\n"
                                    "sprites (dy -64..63, tile, attribute, ownAttribute, dx) and sharedWith,\n"
                                    "the other frames with the same data or layout. A sprite without its own\n"
                                    "attribute shows the one it takes; before the frame's first own attribute\n"
                                    "that is 0."),
                     {}, {}, 2, runFrameSprites});
    table.push_back({QStringLiteral("set-sprite"),
                     QStringLiteral("set-sprite ROM F K [--dy N] [--dx N] [--tile T] [--attribute A] -o OUT"),
                     QStringLiteral("change stored sprite K of frame F in place"),
                     QStringLiteral("--dy -64..63, --dx, --tile and --attribute 0-255. In the shared form the tile\n"
                                    "is the frame's own and the rest belong to the layout, which other frames\n"
                                    "may use too. --attribute is refused for a sprite that takes the attribute\n"
                                    "of the sprite before it.\n")
                         + refusals,
                     {QStringLiteral("-o"), QStringLiteral("--dy"), QStringLiteral("--dx"), QStringLiteral("--tile"),
                      QStringLiteral("--attribute")},
                     {}, 3, runSetSprite});
    table.push_back({QStringLiteral("delete-sprite"), QStringLiteral("delete-sprite ROM F K -o OUT"),
                     QStringLiteral("remove stored sprite K of frame F, moving the later ones up"),
                     QStringLiteral("The count goes down and the later entries move up within the frame's own\n"
                                    "bytes; the freed bytes at the end stay as they were. Refused when the next\n"
                                    "sprite takes this one's attribute and would show another one, and in the\n"
                                    "shared form when entries that other frames read would move.\n")
                         + refusals,
                     {QStringLiteral("-o")}, {}, 3, runDeleteSprite});
}

} // namespace quarry::cli
