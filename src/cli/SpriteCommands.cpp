// Commands about the game's sprites: one frame's sprite attribute list and
// one animation's record, as the sprite editor shows them.
#include "cli/Cli.h"
#include "cli/RomAccess.h"

#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
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
}

} // namespace quarry::cli
