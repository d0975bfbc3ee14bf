#include "core/demo/DemoImage.h"

#include "core/rom/GameLayout.h"

#include <string>
#include <vector>

namespace quarry::demo {

namespace {

// Our texts, in the character table the editor ships: space $00, A-Z from
// $01, "." $1B, "'" $1C, "," $1E, 0-9 from $36, "!" $40, "?" $5D; "/" breaks
// the line.
std::vector<std::uint8_t> encode(const std::string& text)
{
    std::vector<std::uint8_t> bytes;
    for (char ch : text) {
        if (ch >= 'A' && ch <= 'Z')
            bytes.push_back(static_cast<std::uint8_t>(ch - 'A' + 1));
        else if (ch >= '0' && ch <= '9')
            bytes.push_back(static_cast<std::uint8_t>(ch - '0' + 0x36));
        else if (ch == '.')
            bytes.push_back(0x1B);
        else if (ch == '\'')
            bytes.push_back(0x1C);
        else if (ch == ',')
            bytes.push_back(0x1E);
        else if (ch == '!')
            bytes.push_back(0x40);
        else if (ch == '?')
            bytes.push_back(0x5D);
        else if (ch == '/')
            bytes.push_back(layout::kTextLineBreak);
        else
            bytes.push_back(layout::kTextSpaceCode);
    }
    return bytes;
}

const char* const kTexts[] = {
    "WELCOME TO QUARRY!/THIS WORLD IS A DEMO.",
    "EVERY TILE HERE WAS/DRAWN BY A FORMULA.",
    "PRESS ON THE MAP TO/PAINT A METATILE.",
    "DRAG ME IN ACTOR MODE.",
    "THE BRIDGE IS SAFE.",
    "MIND THE STAIRS!",
    "NIGHT FALLS. TICK THE/NIGHT BOX TO SEE IT.",
    "A GEM? IT IS YOURS.",
    "THE POND IS DEEP.",
    "GOOD DAY, TRAVELLER.",
};

} // namespace

void writeDemoTexts(rom::RomImage& rom)
{
    std::size_t at = layout::kTextBlockStart;
    for (int n = 0; n < layout::kTextCount; ++n) {
        const std::string text = n < static_cast<int>(std::size(kTexts)) ? kTexts[n] : "TEXT " + std::to_string(n) + ".";
        std::vector<std::uint8_t> bytes = encode(text);
        bytes.push_back(layout::kTextTerminator);
        rom.writeWord(layout::kTextPointerTable + 2 * static_cast<std::size_t>(n),
                      static_cast<std::uint16_t>(layout::kTextBlockStartCpu + (at - layout::kTextBlockStart)));
        rom.writeBytes(at, bytes);
        at += bytes.size();
    }
    // The actors that speak through the text table say texts 1 to 11.
    for (int i = 0; i < layout::kActorTextTableSize; ++i)
        rom.write(layout::kActorTextTable + static_cast<std::size_t>(i), static_cast<std::uint8_t>(i + 1));
}

rom::RomImage buildDemoImage()
{
    // iNES header: eight 16 KB PRG banks, sixteen 8 KB CHR banks, mapper 1.
    rom::RomImage::Header header{'N', 'E', 'S', 0x1A, 8, 16, 0x10, 0};
    rom::RomImage rom(header, std::vector<std::uint8_t>(layout::kMinimumBodySize, 0));
    writeDemoGraphics(rom);
    writeDemoSprites(rom);
    writeDemoTexts(rom);
    writeDemoWorld(rom);
    return rom;
}

} // namespace quarry::demo
