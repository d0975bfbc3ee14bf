// Data shown in other places changes only with the user's consent, asked
// before the first write, and every place it shows is counted.
#include "OpenedEditor.h"

#include "core/session/MapBlocks.h"
#include "core/session/SharedScreens.h"
#include "core/session/WhereUsed.h"
#include "support/SyntheticSprites.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/MapBlockActions.h"
#include "ui/Settings.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/map/SharedConsent.h"
#include "ui/map/SharedScreensLayer.h"

#include <QAction>
#include <QScrollBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// A submap of two screens or more whose map other submaps name too, and
// those others.
struct SharedMap {
    rom::AreaId id;
    std::vector<rom::AreaId> others;
};

SharedMap mapNamedSeveralTimes(OpenedEditor& e)
{
    std::map<std::uint16_t, std::vector<rom::AreaId>> byMap;
    for (const rom::AreaId& id : world::catalogueSubmaps())
        byMap[session::submapMapPointer(e.document().rom(), id)].push_back(id);
    for (const auto& [pointer, ids] : byMap)
        if (ids.size() >= 2 && e.world.game.mapOf(ids[0]).screenTable.size() >= 2)
            return {ids[0], {ids.begin() + 1, ids.end()}};
    throw std::runtime_error("no map is named twice");
}

// A map pixel in screen `position`, cell (column, row) of it.
QPoint inScreen(OpenedEditor& e, int position, int column = 0, int row = 0)
{
    const int wide = e.area().map.screensWide;
    return QPoint((position % wide) * 256 + column * 32 + 5, (position / wide) * 224 + row * 32 + 5);
}

int metatileAt(OpenedEditor& e, QPoint pixel)
{
    return session::metatileAt(e.area().map, *session::cellAtPixel(e.area().map, pixel.x(), pixel.y()));
}

// Chooses a metatile none of the cells at these pixels holds.
void chooseOtherThan(OpenedEditor& e, std::initializer_list<QPoint> pixels)
{
    int other = 1;
    while (std::any_of(pixels.begin(), pixels.end(), [&](QPoint pixel) { return metatileAt(e, pixel) == other; }))
        ++other;
    e.window.workspace()->selectMetatileAt(QPoint((other % 8) * 32 + 4, (other / 8) * 32 + 4));
}

} // namespace

TEST(SharedData, AMapNamedBySeveralSubmapsCountsAndNamesThemAndAsksBeforeTheFirstWrite)
{
    OpenedEditor e;
    const SharedMap shared = mapNamedSeveralTimes(e);
    e.load(shared.id);
    SharedScreensLayer& layer = e.window.mapBlocks()->sharedScreens();
    const auto submaps = static_cast<int>(shared.others.size());
    {
        SCOPED_TRACE("counted and named");
        EXPECT_EQ(static_cast<int>(layer.sharing().submapsShowing().size()), submaps);
        for (int position = 0; position < layer.sharing().positions(); ++position)
            EXPECT_GE(layer.sharing().otherPlaces(position), submaps);
        e.window.mapBlocks()->sharedScreensAction()->setChecked(true);
        EXPECT_TRUE(layer.hoverWords(inScreen(e, 0))
                        .contains(QString::fromStdString(session::submapName(shared.others[0]))));
    }
    e.window.setEditMode(EditMode::Map);
    const QPoint first = inScreen(e, 0);
    chooseOtherThan(e, {first});
    const std::vector<std::uint8_t> before = e.body();
    {
        SCOPED_TRACE("Cancel writes nothing; Change writes the press as one step");
        e.dialogs.changeChoices = {ChangeChoice{}};
        e.clickMap(first);
        ASSERT_EQ(e.dialogs.changeQuestions.size(), 1);
        EXPECT_TRUE(e.dialogs.changeQuestions[0].startsWith("This screen also shows in: "));
        EXPECT_TRUE(e.dialogs.changeQuestions[0].endsWith("Change it everywhere?"));
        EXPECT_EQ(e.body(), before);
        EXPECT_EQ(e.history().count(), 0);
        e.clickMap(first); // answered Change
        EXPECT_EQ(e.history().count(), 1);
        EXPECT_NE(e.body(), before);
        EXPECT_TRUE(e.window.statusNote().contains("other submap")) << e.window.statusNote().toStdString();
    }
    {
        SCOPED_TRACE("a stroke reaching a screen not yet approved");
        e.window.brushAction()->setChecked(true);
        // Screen 1 lies right of screen 0, or below it in a map one screen wide.
        const bool wide = e.area().map.screensWide >= 2;
        const QPoint last = wide ? inScreen(e, 0, 7, 1) : inScreen(e, 0, 1, 6);
        const QPoint next = wide ? inScreen(e, 1, 0, 1) : inScreen(e, 1, 1, 0);
        chooseOtherThan(e, {next, last});
        const int untouched = metatileAt(e, inScreen(e, 1, 3, 1));
        press(e.mapViewport(), e.onScreen(last)); // approved: no question
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 2);
        move(e.mapViewport(), e.onScreen(next), Qt::LeftButton); // asks; Change
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 3);
        move(e.mapViewport(), e.onScreen(inScreen(e, 1, 3, 1)), Qt::LeftButton);
        release(e.mapViewport(), e.onScreen(inScreen(e, 1, 3, 1)));
        ASSERT_EQ(e.history().count(), 3) << "the stroke, then the approved cell as a step of its own";
        EXPECT_EQ(metatileAt(e, next), e.window.workspace()->selectedMetatile());
        EXPECT_EQ(metatileAt(e, inScreen(e, 1, 3, 1)), untouched) << "the rest of the drag wrote nothing";
        e.window.brushAction()->setChecked(false);
    }
    {
        SCOPED_TRACE("approvals last until another submap; Don't ask again until the image closes");
        e.load(shared.others[0]);
        e.load(shared.id);
        chooseOtherThan(e, {first});
        e.dialogs.changeChoices = {ChangeChoice{true, true}};
        e.clickMap(first);
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 4);
        e.window.setEditMode(EditMode::Fill);
        e.clickMap(inScreen(e, 1, 4, 4));
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 4);
        e.dialogs.saveChoices = {SaveChoice::Discard};
        e.window.openPath(QString::fromStdString(e.path));
        e.load(shared.id);
        e.window.setEditMode(EditMode::Map);
        chooseOtherThan(e, {first});
        e.dialogs.changeChoices = {ChangeChoice{}};
        e.clickMap(first);
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 5);
        EXPECT_EQ(e.history().count(), 0);
    }
    {
        SCOPED_TRACE("the preference off asks never");
        applicationSettings().setValue(QString::fromLatin1(SharedConsent::kAskSetting), false);
        e.clickMap(first);
        applicationSettings().remove(QString::fromLatin1(SharedConsent::kAskSetting));
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 5);
        EXPECT_EQ(e.history().count(), 1);
    }
    {
        SCOPED_TRACE("a screen pointer edit in a map other submaps show");
        const std::vector<std::uint8_t> kept = e.body();
        e.window.setEditMode(EditMode::Pointer);
        e.dialogs.textAnswers = {QStringLiteral("$%1").arg(e.area().map.screenTable[1], 4, 16, QLatin1Char('0'))};
        e.dialogs.changeChoices = {ChangeChoice{}};
        e.clickMap(first);
        EXPECT_EQ(e.dialogs.changeQuestions.size(), 6);
        EXPECT_EQ(e.body(), kept);
    }
}

TEST(SharedData, TheSpriteEditorAsksAtThePressForExactlyTheFramesAnEditChanges)
{
    // Frame FE points at the shared-layout frame's data: that frame shares
    // its data with FE and its layout with others.
    OpenedEditor s([](SyntheticWorld& w, const std::string&) {
        w.rom.putWord(layout::kFramePointerTable + 2 * 0xFE, w.sprites.frames[kSyntheticSharedFrame].pointer);
    });
    s.window.openSpriteEditor();
    SpriteEditor& e = *s.window.spriteEditor();
    e.frameBar()->setValue(kSyntheticSharedFrame);
    ASSERT_FALSE(e.frameSprites().sameLayout.empty());
    const std::vector<std::uint8_t> before = s.body();

    e.selectSprite(0);
    e.spriteTable()->item(0, 2)->setText("$21"); // the tile: only the data's sharers change
    ASSERT_EQ(s.dialogs.changeQuestions.size(), 1);
    EXPECT_TRUE(s.dialogs.changeQuestions[0].contains("FE"));
    EXPECT_EQ(s.history().count(), 1);

    // A dy edit changes the layout's frames too: asked again, and Cancel writes nothing.
    s.dialogs.changeChoices = {ChangeChoice{}};
    const std::vector<std::uint8_t> tileDone = s.body();
    e.spriteTable()->item(0, 1)->setText("-20");
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 2);
    EXPECT_EQ(s.body(), tileDone);

    // A press asks before anything moves; after Change the next press drags freely.
    const QPoint at = [&] {
        for (int y = 0; y < e.frameView()->height(); y += 4)
            for (int x = 0; x < e.frameView()->width(); x += 4)
                if (e.spriteAt(QPoint(x, y)) == 0)
                    return QPoint(x, y);
        return QPoint(-1, -1);
    }();
    ASSERT_GE(at.x(), 0);
    press(e.frameView(), at);
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 3); // answered Change
    move(e.frameView(), at + QPoint(8, 0), Qt::LeftButton);
    release(e.frameView(), at + QPoint(8, 0));
    EXPECT_EQ(s.body(), tileDone) << "the press that asked moves nothing";
    press(e.frameView(), at);
    move(e.frameView(), at + QPoint(8, 0), Qt::LeftButton);
    release(e.frameView(), at + QPoint(8, 0));
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 3);
    EXPECT_EQ(s.history().count(), 2);
    s.window.undoStep();
    s.window.undoStep();
    EXPECT_EQ(s.body(), before);
}
