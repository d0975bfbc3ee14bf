#include "OpenedEditor.h"

#include "support/SyntheticGraphics.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// Loads a submap whose background and sprite sets differ, so every entry
// written stays written, and opens the palette editor there.
PaletteEditor& openPalettes(OpenedEditor& e)
{
    e.load(e.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = e.world.game.submap(id).dayPaletteSets;
        return sets[0] != sets[1];
    }));
    e.window.openPaletteEditor();
    return *e.window.paletteEditor();
}

void pick(PaletteEditor& editor, int colour) { click(editor.masterCell(colour), QPoint(2, 2)); }
void clickEntry(PaletteEditor& editor, int entry) { click(editor.paletteCell(entry), QPoint(2, 2)); }

} // namespace

TEST(PaletteEditor, SwatchCaptionsAreNeverInTheSwatchsOwnBrightness)
{
    OpenedEditor colour(OpenedEditor::withMask(0x1E));
    OpenedEditor grey; // greyscale: $3F shows white
    PaletteEditor& e = openPalettes(colour);
    const QColor light = e.palette().color(QPalette::Window), dark = e.palette().color(QPalette::WindowText);
    for (int i : {0x01, 0x0F, 0x2E, 0x3F})
        EXPECT_EQ(e.masterCell(i)->captionColor(), light) << i;
    for (int i : {0x00, 0x10, 0x30, 0x3D})
        EXPECT_EQ(e.masterCell(i)->captionColor(), dark) << i;
    EXPECT_EQ(openPalettes(grey).masterCell(0x3F)->captionColor(), dark);
}

TEST(PaletteEditor, TheBoxesComeFromTheMaskAndAClickWritesItAtOnce)
{
    OpenedEditor p(OpenedEditor::withMask(0xA1)); // blue and red emphasis, greyscale, show bits clear
    PaletteEditor& e = openPalettes(p);
    EXPECT_TRUE(e.monochromeCheck()->isChecked());
    EXPECT_TRUE(e.blueCheck()->isChecked());
    EXPECT_FALSE(e.greenCheck()->isChecked());
    EXPECT_TRUE(e.redCheck()->isChecked());
    const auto before = p.body();
    e.monochromeCheck()->click();
    EXPECT_EQ(p.changedSince(before), std::vector<std::size_t>{layout::kPpuMaskByte});
    e.greenCheck()->click();
    EXPECT_EQ(p.body()[layout::kPpuMaskByte], 0xFE);
    EXPECT_EQ(p.history().index(), 2);
    EXPECT_TRUE(p.captionMarked());
    EXPECT_EQ(p.area().mask, (gfx::PpuMaskSettings{0, 0xE0})); // the loaded area draws with it
    p.window.undoStep(); // the boxes follow the image
    EXPECT_FALSE(e.greenCheck()->isChecked());
    EXPECT_FALSE(e.monochromeCheck()->isChecked());
}

TEST(PaletteEditor, AnEntryClickMarksTheCaptionAtOnceAndUndoKeepsThePickedColour)
{
    OpenedEditor p;
    PaletteEditor& e = openPalettes(p);
    const auto original = p.body();
    const std::uint8_t last = p.area().palette[31];
    EXPECT_FALSE(p.captionMarked());
    int picked = 0;
    for (int entry : {0, 31}) {
        SCOPED_TRACE(entry);
        const auto before = p.body();
        picked = (p.area().palette[static_cast<std::size_t>(entry)] + 1) & 0x3F;
        pick(e, picked);
        clickEntry(e, entry);
        EXPECT_EQ(p.changedSince(before).size(), 1u);
        EXPECT_TRUE(p.captionMarked());
        EXPECT_EQ(p.area().palette[static_cast<std::size_t>(entry)], picked);
        EXPECT_EQ(e.paletteCell(entry)->text(), QString::number(picked, 16).toUpper());
    }
    p.window.undoStep();
    EXPECT_EQ(e.paletteCell(31)->text(), QString::number(last, 16).toUpper());
    EXPECT_EQ(e.selectedColor(), picked);
    p.window.undoStep();
    EXPECT_EQ(p.body(), original);
    EXPECT_FALSE(p.captionMarked());
}

TEST(PaletteEditor, ClosingSetsTheMasksShowBitsAndNeverWritesTheFixedSpriteEntries)
{
    const struct {
        std::uint8_t opened, closed;
    } cases[] = {{0x41, 0x5F}, {0x5F, 0x5F}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        OpenedEditor p(OpenedEditor::withMask(c.opened));
        PaletteEditor& e = openPalettes(p);
        const auto before = p.body();
        pick(e, 0x30);
        for (int entry : {16, 17, 23}) { // shown in the window only
            clickEntry(e, entry);
            EXPECT_EQ(e.paletteCell(entry)->text(), "30");
        }
        EXPECT_EQ(p.body(), before);
        e.close();
        EXPECT_EQ(p.body()[layout::kPpuMaskByte], c.closed);
        EXPECT_LE(p.changedSince(before).size(), 1u);
        EXPECT_EQ(p.history().index(), c.opened == c.closed ? 0 : 1); // a step only when the byte changed
        EXPECT_EQ(p.captionMarked(), c.opened != c.closed);
    }
}

TEST(PaletteEditor, TheWindowStaysWithItsAreaWhenAnotherIsLoaded)
{
    OpenedEditor p;
    PaletteEditor& e = openPalettes(p);
    const rom::AreaId first = p.area().id;
    const int firstSet = p.world.game.submap(first).dayPaletteSets[0];
    const std::size_t set = kSyntheticPaletteSetBody + kSyntheticPaletteSetStride * firstSet;
    p.load(p.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = p.world.game.submap(id).dayPaletteSets;
        return sets[0] != firstSet && sets[1] != firstSet;
    }));
    const gfx::AreaPalette shown = p.area().palette;
    pick(e, (p.body()[set] + 1) & 0x3F);
    clickEntry(e, 0);
    EXPECT_EQ(p.body()[set], e.selectedColor()); // the first area's set
    EXPECT_EQ(p.area().palette, shown);
    p.load(first);
    EXPECT_EQ(p.area().palette[0], e.selectedColor());
}
