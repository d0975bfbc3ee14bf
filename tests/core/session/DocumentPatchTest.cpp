#include "core/RomError.h"
#include "core/patch/Ips.h"
#include "core/patch/PatchFile.h"
#include "core/session/Document.h"
#include "support/OpenedWorld.h"

#include <gtest/gtest.h>

using namespace quarry;
using quarry::test::SyntheticWorld;
using quarry::test::TempDir;

namespace {

struct OpenWorld : quarry::test::OpenedWorld {
    std::vector<session::EditEntry> entries;

    OpenWorld()
    {
        document.setEditListener([this](session::EditEntry entry) { entries.push_back(std::move(entry)); });
        document.loadArea({0, 10, 0}, false);
    }
};

} // namespace

TEST(DocumentPatch, ExportedPatchesReplayTheEditsAsOneUndoableStep)
{
    for (bool bps : {false, true}) {
        SCOPED_TRACE(bps ? "BPS" : "IPS");
        OpenWorld edited;
        edited.document.paintCell(40, 70, 5);
        edited.document.setScreenPointerAt(1, 1, 0x9ABC);
        const auto patch = edited.document.makePatch(bps, edited.document.openedFile());

        OpenWorld fresh;
        const auto original = fresh.document.rom().body();
        const session::Document::Restored result = fresh.document.applyPatch(patch);
        EXPECT_TRUE(result.areaReloaded);
        EXPECT_EQ(fresh.document.rom().body(), edited.document.rom().body());
        ASSERT_EQ(fresh.entries.size(), 1u);
        EXPECT_EQ(fresh.entries[0].name, "Apply patch");
        // The step holds the bytes that differ and no others.
        std::size_t differing = 0, held = 0;
        for (std::size_t i = 0; i < original.size(); ++i)
            differing += original[i] != edited.document.rom().body()[i];
        for (const session::ByteChange& change : fresh.entries[0].changes)
            held += change.after.size();
        EXPECT_EQ(held, differing);
        // The map shown is the patched one.
        EXPECT_EQ(fresh.document.area()->map.mapGrid, edited.document.area()->map.mapGrid);
        fresh.document.undo(fresh.entries[0]);
        EXPECT_EQ(fresh.document.rom().body(), original);
    }
}

TEST(DocumentPatch, APatchChangingTheHeaderIsRefusedAndWritesNothing)
{
    OpenWorld w;
    const auto before = w.document.rom().body();
    const std::vector<std::uint8_t> file = patch::imageFileBytes(w.document.rom());

    std::vector<std::uint8_t> otherHeader = file;
    otherHeader[7] ^= 0x01;
    EXPECT_THROW(w.document.applyPatch(patch::makeIps(file, otherHeader)), RomError);

    EXPECT_EQ(w.document.rom().body(), before);
    EXPECT_TRUE(w.entries.empty());
}
