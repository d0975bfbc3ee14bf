#include "OpenedEditor.h"

#include "core/gfx/NesColor.h"
#include "core/rom/GameLayout.h"
#include "support/SyntheticGraphics.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QFrame>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// The palette editor opened from the main window on a submap whose
// background and sprite sets differ, so every entry written stays written.
struct PaletteWindow : OpenedEditor {
    PaletteEditor* editor = nullptr;

    explicit PaletteWindow(std::uint8_t mask = SyntheticGame::kDefaultPpuMask)
        : OpenedEditor([mask](SyntheticWorld& world) { world.rom.body()[layout::kPpuMaskByte] = mask; })
    {
        load(submapWhere([this](const rom::AreaId& id) {
            const auto& sets = world.game.submap(id).dayPaletteSets;
            return sets[0] != sets[1];
        }));
        window.openPaletteEditor();
        editor = window.paletteEditor();
    }

    void pick(int colour) { click(editor->masterCell(colour), QPoint(2, 2)); }
    void clickEntry(int entry) { click(editor->paletteCell(entry), QPoint(2, 2)); }
    // A colour the entry does not hold now.
    int otherColour(int entry) { return (area().palette[static_cast<std::size_t>(entry)] + 1) & 0x3F; }
    bool captionMarked() const { return window.windowTitle().startsWith(QLatin1Char('*')); }
};

QString caption(int value)
{
    return QString::number(value, 16).toUpper();
}

} // namespace

TEST(PaletteEditor, LaysOutCellsCaptionsAndBoxesAsTheWindowIsDrawn)
{
    PaletteWindow p(0x1E); // in colour
    PaletteWindow grey; // greyscale: $3F shows white
    PaletteEditor* e = p.editor;
    EXPECT_EQ(e->windowTitle(), "Palette Editor");
    EXPECT_EQ(e->masterCell(17)->geometry(), QRect(32, 32, 17, 17));
    EXPECT_EQ(e->masterCell(63)->geometry(), QRect(8 + 15 * 24, 8 + 3 * 24, 17, 17));
    EXPECT_EQ(e->paletteCell(5)->geometry(), QRect(136, 152, 17, 17));
    EXPECT_EQ(e->paletteCell(31)->geometry(), QRect(344, 184, 17, 17));
    EXPECT_EQ(e->selector()->geometry(), QRect(6, 6, 21, 21));
    EXPECT_EQ(e->masterCell(0x3F)->text(), "3F");
    EXPECT_EQ(e->paletteCell(9)->text(), caption(p.area().palette[9]));
    // Captions read on their colour: light on dark colours, dark on light.
    for (int i : {0x01, 0x0F, 0x1D, 0x2E, 0x3F})
        EXPECT_EQ(e->masterCell(i)->captionColor(), e->palette().color(QPalette::Window)) << i;
    for (int i : {0x00, 0x10, 0x20, 0x30, 0x3D})
        EXPECT_EQ(e->masterCell(i)->captionColor(), e->palette().color(QPalette::WindowText)) << i;
    // A caption never takes its swatch's own brightness: $3F turns white
    // under greyscale, so its light caption turns dark.
    EXPECT_EQ(grey.editor->masterCell(0x3F)->captionColor(), e->palette().color(QPalette::WindowText));

    EXPECT_EQ(e->monochromeCheck()->text(), "Monochrome");
    EXPECT_EQ(e->monochromeCheck()->pos(), QPoint(56, 110));
    EXPECT_EQ(e->blueCheck()->pos(), QPoint(230, 110));
    EXPECT_EQ(e->redCheck()->pos(), QPoint(262, 110));
    EXPECT_TRUE(e->blueCheck()->text().isEmpty());
    EXPECT_EQ(e->redCheck()->text(), "Emphasis");
    EXPECT_EQ(e->greenCheck()->toolTip(), "Intensify greens (and darken other colors)");
}

TEST(PaletteEditor, BoxesComeFromTheMaskAndAClickWritesTheMaskAtOnce)
{
    PaletteWindow p(0xA1); // blue and red emphasis, greyscale, show bits clear
    PaletteEditor* e = p.editor;
    EXPECT_TRUE(e->monochromeCheck()->isChecked());
    EXPECT_TRUE(e->blueCheck()->isChecked());
    EXPECT_FALSE(e->greenCheck()->isChecked());
    EXPECT_TRUE(e->redCheck()->isChecked());
    EXPECT_EQ(e->masterCell(0x16)->color(), gfx::nesColorToRgb(0x16, true, 5));

    const auto before = p.body();
    e->monochromeCheck()->click();
    EXPECT_EQ(p.changedSince(before), std::vector<std::size_t>{layout::kPpuMaskByte});
    EXPECT_EQ(p.body()[layout::kPpuMaskByte], 0xBE);
    e->greenCheck()->click();
    EXPECT_EQ(p.body()[layout::kPpuMaskByte], 0xFE);
    EXPECT_EQ(p.history().index(), 2);
    EXPECT_TRUE(p.captionMarked());
    // The cells and the loaded area draw with the new settings at once.
    EXPECT_EQ(e->paletteCell(2)->color(), gfx::nesColorToRgb(p.area().palette[2], false, 7));
    EXPECT_EQ(p.area().mask, (gfx::PpuMaskSettings{0, 0xE0}));

    // Undo puts the boxes back from the image.
    p.window.undoStep();
    EXPECT_FALSE(e->greenCheck()->isChecked());
    EXPECT_FALSE(e->monochromeCheck()->isChecked());
}

TEST(PaletteEditor, AnEntryClickWritesThatByteAloneAtOnceAndUndoKeepsThePickedColour)
{
    PaletteWindow p;
    const auto original = p.body();
    const std::uint8_t last = p.area().palette[31];
    EXPECT_FALSE(p.captionMarked());
    int picked = 0;
    for (int entry : {0, 15, 24, 31}) {
        SCOPED_TRACE(entry);
        const auto before = p.body();
        picked = p.otherColour(entry);
        p.pick(picked);
        p.clickEntry(entry);
        // No close needed: the image, the caption and the loaded area have it.
        EXPECT_EQ(p.changedSince(before).size(), 1u);
        EXPECT_TRUE(p.captionMarked());
        EXPECT_EQ(p.area().palette[static_cast<std::size_t>(entry)], picked);
        EXPECT_EQ(p.editor->paletteCell(entry)->text(), caption(picked));
    }
    EXPECT_EQ(p.history().index(), 4);

    // Each undo takes back one entry; the window keeps the colour picked.
    p.window.undoStep();
    EXPECT_EQ(p.editor->paletteCell(31)->text(), caption(last));
    EXPECT_EQ(p.editor->selectedColor(), picked);
    EXPECT_EQ(p.editor->selector()->geometry().topLeft(), p.editor->masterCell(picked)->pos() - QPoint(2, 2));
    for (int i = 0; i < 3; ++i)
        p.window.undoStep();
    EXPECT_EQ(p.body(), original);
    EXPECT_FALSE(p.captionMarked());
}

TEST(PaletteEditor, FixedSpriteEntriesChangeInTheWindowOnly)
{
    PaletteWindow p;
    const auto before = p.body();
    p.pick(0x30);
    for (int entry : {16, 17, 23}) {
        p.clickEntry(entry);
        EXPECT_EQ(p.editor->paletteCell(entry)->text(), "30");
    }
    p.editor->close();
    EXPECT_EQ(p.body(), before);
    EXPECT_EQ(p.history().index(), 0);
    EXPECT_FALSE(p.captionMarked());
}

TEST(PaletteEditor, ClosingWritesTheMaskOnceMoreWithItsShowBitsSet)
{
    const struct {
        std::uint8_t opened, closed;
    } cases[] = {{0x41, 0x5F}, {0xE0, 0xFE}, {0x5F, 0x5F}, {0xFF, 0xFF}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        PaletteWindow p(c.opened);
        const auto before = p.body();
        p.editor->close();
        EXPECT_FALSE(p.editor->isEditing());
        EXPECT_EQ(p.body()[layout::kPpuMaskByte], c.closed);
        EXPECT_LE(p.changedSince(before).size(), 1u);
        // A step only when the byte changed.
        EXPECT_EQ(p.history().index(), c.opened == c.closed ? 0 : 1);
        EXPECT_EQ(p.captionMarked(), c.opened != c.closed);
    }
}

TEST(PaletteEditor, TheWindowStaysWithItsAreaWhenAnotherIsLoaded)
{
    PaletteWindow p;
    const rom::AreaId first = p.area().id;
    const int firstSet = p.world.game.submap(first).dayPaletteSets[0];
    const std::size_t set = kSyntheticPaletteSetBody + kSyntheticPaletteSetStride * firstSet;
    p.load(p.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = p.world.game.submap(id).dayPaletteSets;
        return sets[0] != firstSet && sets[1] != firstSet;
    }));
    const gfx::AreaPalette shown = p.area().palette;
    p.pick((p.body()[set] + 1) & 0x3F);
    p.clickEntry(0);
    EXPECT_EQ(p.body()[set], p.editor->selectedColor()); // the first area's set
    EXPECT_EQ(p.area().palette, shown);
    p.load(first);
    EXPECT_EQ(p.area().palette[0], p.editor->selectedColor());
}
