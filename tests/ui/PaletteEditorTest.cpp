#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/gfx/NesColor.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticGraphics.h"
#include "support/OpenedWorld.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QFrame>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

struct Editor : OpenedWorld {
    ScriptedDialogs dialogs;
    int refreshes = 0;
    std::unique_ptr<PaletteEditor> editor;

    explicit Editor(std::uint8_t maskByte = SyntheticGame::kDefaultPpuMask)
        : OpenedWorld([maskByte](SyntheticWorld& world) { world.rom.body()[layout::kPpuMaskByte] = maskByte; })
    {
        editor = std::make_unique<PaletteEditor>(document, dialogs, [this] {
            ++refreshes;
            document.refreshGraphicsEdits();
        });
    }

    // Loads a submap and opens the editor for it, as the launcher does.
    void openFor(const rom::AreaId& id)
    {
        document.loadArea(id, false);
        const session::LoadedArea& area = *document.area();
        editor->initEditor(area.palette, area.pointers.palettePointer, area.mask);
        editor->show();
    }

    std::size_t backgroundSet(const rom::AreaId& id) const
    {
        return kSyntheticPaletteSetBody + kSyntheticPaletteSetStride * world.game.submap(id).dayPaletteSets[0];
    }

    void clickMaster(int i) { click(editor->masterCell(i), QPoint(2, 2)); }
    void clickEntry(int i) { click(editor->paletteCell(i), QPoint(2, 2)); }
};

// Two submaps whose day palettes name the same background set (the first
// with a sprite set of its own), and one that names neither.
struct SetPairs {
    rom::AreaId first, sharing, other;
};

SetPairs findSetPairs(const SyntheticGame& game)
{
    const auto submaps = world::catalogueSubmaps();
    for (const auto& a : submaps)
        for (const auto& b : submaps) {
            const auto& sets = game.submap(a).dayPaletteSets;
            if (a == b || sets[0] == sets[1] || sets[0] != game.submap(b).dayPaletteSets[0])
                continue;
            for (const auto& c : submaps)
                if (game.submap(c).dayPaletteSets[0] != game.submap(a).dayPaletteSets[0]
                    && game.submap(c).dayPaletteSets[1] != game.submap(a).dayPaletteSets[0])
                    return {a, b, c};
        }
    throw std::runtime_error("the synthetic game shares no palette set");
}

} // namespace

TEST(PaletteEditor, LaysOutCellsCaptionsAndBoxesAsTheWindowIsDrawn)
{
    Editor e;
    e.openFor({0, 0, 0});
    EXPECT_EQ(e.editor->windowTitle(), "Palette Editor");
    EXPECT_EQ(e.editor->masterCell(0)->geometry(), QRect(8, 8, 17, 17));
    EXPECT_EQ(e.editor->masterCell(17)->geometry(), QRect(32, 32, 17, 17));
    EXPECT_EQ(e.editor->masterCell(63)->geometry(), QRect(8 + 15 * 24, 8 + 3 * 24, 17, 17));
    EXPECT_EQ(e.editor->paletteCell(0)->geometry(), QRect(32, 152, 17, 17));
    EXPECT_EQ(e.editor->paletteCell(5)->geometry(), QRect(136, 152, 17, 17));
    EXPECT_EQ(e.editor->paletteCell(31)->geometry(), QRect(344, 184, 17, 17));
    EXPECT_EQ(e.editor->selector()->geometry(), QRect(6, 6, 21, 21));

    EXPECT_EQ(e.editor->masterCell(0)->text(), "00");
    EXPECT_EQ(e.editor->masterCell(0x3F)->text(), "3F");
    EXPECT_EQ(e.editor->paletteCell(16)->text(), "F");
    EXPECT_EQ(e.editor->paletteCell(19)->text(), "20");
    const QColor light = e.editor->palette().color(QPalette::Window);
    const QColor dark = e.editor->palette().color(QPalette::WindowText);
    for (int i : {0x01, 0x03, 0x08, 0x0F, 0x1D, 0x1F, 0x2E, 0x2F, 0x3E, 0x3F})
        EXPECT_EQ(e.editor->masterCell(i)->captionColor(), light) << i;
    for (int i : {0x00, 0x04, 0x07, 0x10, 0x1C, 0x20, 0x2D, 0x30, 0x3D})
        EXPECT_EQ(e.editor->masterCell(i)->captionColor(), dark) << i;

    EXPECT_EQ(e.editor->monochromeCheck()->text(), "Monochrome");
    EXPECT_EQ(e.editor->monochromeCheck()->pos(), QPoint(56, 110));
    EXPECT_EQ(e.editor->blueCheck()->pos(), QPoint(230, 110));
    EXPECT_EQ(e.editor->greenCheck()->pos(), QPoint(246, 110));
    EXPECT_EQ(e.editor->redCheck()->pos(), QPoint(262, 110));
    EXPECT_TRUE(e.editor->blueCheck()->text().isEmpty());
    EXPECT_TRUE(e.editor->greenCheck()->text().isEmpty());
    EXPECT_EQ(e.editor->redCheck()->text(), "Emphasis");
    EXPECT_EQ(e.editor->blueCheck()->toolTip(), "Intensify blues (and darken other colors)");
    EXPECT_EQ(e.editor->greenCheck()->toolTip(), "Intensify greens (and darken other colors)");
    EXPECT_EQ(e.editor->redCheck()->toolTip(), "Intensify reds (and darken other colors)");
}

TEST(PaletteEditor, BoxesComeFromTheMaskAndRedrawEveryCellWithoutWriting)
{
    Editor e(0xA1); // blue and red emphasis, greyscale
    e.openFor({0, 0, 0});
    EXPECT_TRUE(e.editor->monochromeCheck()->isChecked());
    EXPECT_TRUE(e.editor->blueCheck()->isChecked());
    EXPECT_FALSE(e.editor->greenCheck()->isChecked());
    EXPECT_TRUE(e.editor->redCheck()->isChecked());
    EXPECT_EQ(e.editor->emphasisFromChecks(), 5);
    EXPECT_EQ(e.editor->masterCell(0x16)->color(), gfx::nesColorToRgb(0x16, true, 5));

    const auto before = e.document.rom().body();
    e.editor->monochromeCheck()->click();
    e.editor->greenCheck()->click();
    EXPECT_EQ(e.editor->emphasisFromChecks(), 7);
    EXPECT_EQ(e.editor->masterCell(0x16)->color(), gfx::nesColorToRgb(0x16, false, 7));
    const std::uint8_t entry = e.editor->editPalette()[2];
    EXPECT_EQ(e.editor->paletteCell(2)->color(), gfx::nesColorToRgb(entry, false, 7));
    EXPECT_EQ(e.document.rom().body(), before);
    EXPECT_EQ(e.document.area()->mask, (gfx::PpuMaskSettings{1, 0xA0}));
}

TEST(PaletteEditor, AssignsTheSelectedColourToEntries)
{
    Editor e;
    e.openFor({0, 0, 0});
    EXPECT_EQ(e.editor->selectedColor(), 0);
    e.clickMaster(0x2A);
    EXPECT_EQ(e.editor->selectedColor(), 0x2A);
    EXPECT_EQ(e.editor->selector()->geometry(), QRect(8 + 10 * 24 - 2, 8 + 2 * 24 - 2, 21, 21));
    const auto palette = e.editor->editPalette();
    e.clickEntry(3);
    EXPECT_EQ(e.editor->editPalette()[3], 0x2A);
    EXPECT_EQ(e.editor->paletteCell(3)->text(), "2A");
    EXPECT_EQ(e.editor->paletteCell(3)->color(), e.editor->masterCell(0x2A)->color());
    for (int i = 0; i < 32; ++i) {
        if (i == 3)
            continue;
        EXPECT_EQ(e.editor->editPalette()[static_cast<std::size_t>(i)], palette[static_cast<std::size_t>(i)]);
    }

    // A colour the image may hold beyond $3F shows black, captioned in the text colour.
    gfx::AreaPalette odd = e.document.area()->palette;
    odd[5] = 0x4D;
    e.editor->initEditor(odd, e.document.area()->pointers.palettePointer, {});
    EXPECT_EQ(e.editor->paletteCell(5)->color(), gfx::kBlack);
    EXPECT_EQ(e.editor->paletteCell(5)->text(), "4D");
    EXPECT_EQ(e.editor->paletteCell(5)->captionColor(), e.editor->palette().color(QPalette::WindowText));
    // Opening again puts the selector and the colour back on 00.
    EXPECT_EQ(e.editor->selectedColor(), 0);
    EXPECT_EQ(e.editor->selector()->geometry(), QRect(6, 6, 21, 21));
}

TEST(PaletteEditor, ClosingUntouchedRewritesTheSameBytesExceptTheShowBits)
{
    Editor e(0x41); // green emphasis, greyscale, show bits clear
    e.openFor({2, 3, 1});
    const auto before = e.document.rom().body();
    e.editor->close();
    EXPECT_FALSE(e.editor->isEditing());
    EXPECT_EQ(e.refreshes, 1);
    auto after = e.document.rom().body();
    EXPECT_EQ(after[layout::kPpuMaskByte], 0x5F);
    after[layout::kPpuMaskByte] = before[layout::kPpuMaskByte];
    EXPECT_EQ(after, before);
    // Closing again (as the exit does) writes nothing more.
    e.editor->close();
    EXPECT_EQ(e.refreshes, 1);
}

TEST(PaletteEditor, MaskByteFromTheBoxes)
{
    for (bool all : {true, false}) {
        Editor e(all ? 0x1E : 0xFF);
        e.openFor({0, 0, 0});
        for (QCheckBox* box : {e.editor->monochromeCheck(), e.editor->blueCheck(), e.editor->greenCheck(),
                               e.editor->redCheck()})
            box->click();
        e.editor->close();
        EXPECT_EQ(e.document.rom().read(layout::kPpuMaskByte), all ? 0xFF : 0x1E);
        EXPECT_EQ(e.document.area()->mask.greyscaleOn(), all);
    }
}

TEST(PaletteEditor, FixedSpriteEntriesNeverReachTheImage)
{
    Editor e;
    e.openFor({1, 2, 0});
    const auto before = e.document.rom().body();
    e.clickMaster(0x30);
    e.clickEntry(17);
    EXPECT_EQ(e.editor->paletteCell(17)->text(), "30");
    e.editor->close();
    auto after = e.document.rom().body();
    after[layout::kPpuMaskByte] = before[layout::kPpuMaskByte];
    EXPECT_EQ(after, before);
    EXPECT_EQ(e.document.area()->palette[17], 0x0F);
}

TEST(PaletteEditor, SharedSetsChangeForEveryAreaAndTheWindowStaysWithItsArea)
{
    Editor e;
    const SetPairs pairs = findSetPairs(e.world.game);
    e.openFor(pairs.first);
    e.clickMaster(0x21);
    e.clickEntry(0);
    e.clickEntry(15);

    // The user goes to another area while the window is open.
    e.document.loadArea(pairs.other, false);
    const std::uint8_t otherFirst = e.document.area()->palette[0];
    e.editor->close();

    EXPECT_EQ(e.document.rom().read(e.backgroundSet(pairs.first)), 0x21);
    EXPECT_EQ(e.document.rom().read(e.backgroundSet(pairs.first) + 15), 0x21);
    // The area on show kept its colours and was redrawn with them.
    EXPECT_EQ(e.document.area()->id, pairs.other);
    EXPECT_EQ(e.document.area()->palette[0], otherFirst);
    EXPECT_EQ(e.refreshes, 1);

    e.document.loadArea(pairs.sharing, false);
    EXPECT_EQ(e.document.area()->palette[0], 0x21);
    EXPECT_EQ(e.document.area()->palette[15], 0x21);
}

TEST(PaletteEditor, AnUnreachablePaletteIsReportedAndTheMaskStillStored)
{
    Editor e(0x1E);
    e.document.loadArea({0, 0, 0}, false);
    e.editor->initEditor(e.document.area()->palette, 0x7000, {});
    e.editor->redCheck()->click();
    e.editor->close();
    ASSERT_EQ(e.dialogs.messages.size(), 1);
    EXPECT_NE(e.dialogs.messages[0].indexOf("7000"), -1) << e.dialogs.messages[0].toStdString();
    EXPECT_EQ(e.document.rom().read(layout::kPpuMaskByte), 0x3E);
    EXPECT_EQ(e.refreshes, 1);
}
