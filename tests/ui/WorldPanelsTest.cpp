// Actors, stairs, doors and the tool windows of the world: the panels,
// the markers on the map and the gestures that move them.
#include "WorldWindow.h"

#include "core/rom/Addressing.h"
#include "ui/WorldController.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/ListLines.h"
#include "ui/panels/StairPanel.h"
#include "ui/tools/MarkerTool.h"
#include "ui/tools/ToolManager.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

TEST(WorldPanels, ASubmapWithoutActorsOffersNoTypeToChange)
{
    const SyntheticWorld probe;
    WorldWindow w(OpenedEditor::submapWhere([&](const rom::AreaId& id) { return probe.game.submap(id).actors.empty(); }));
    EXPECT_EQ(w.actors().list()->count(), 0);
    EXPECT_FALSE(w.actors().typeCombo()->isEnabled());
    EXPECT_EQ(w.actors().typeCombo()->currentIndex(), -1);
    EXPECT_TRUE(w.actors().valueLabel(0)->text().isEmpty());
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
}

TEST(WorldPanels, ModesShowTheirListsAndMarkersAndNeverWrite)
{
    WorldWindow w;
    const std::vector<std::uint8_t> before = w.body();
    const auto& actors = w.area().actors;
    EXPECT_EQ(w.actors().list()->item(1)->text(), QString::asprintf("01: [%02X] Type %02X", actors[1].type, actors[1].type));
    // A picture stands on its actor's foot line; the selected one is highlighted.
    const QRect marker = w.controller().actorLayer().marker(0).rect;
    EXPECT_EQ(marker, QRect(actors[0].x * 16, actors[0].y * 16 - 32, 16, 32));
    EXPECT_EQ(w.controller().highlight(), marker.adjusted(-4, -4, 4, 4));
    w.window.modeAction(EditMode::Stair)->trigger();
    EXPECT_FALSE(w.controller().actorLayer().shown());
    EXPECT_TRUE(w.controller().stairLayer().shown());
    w.window.modeAction(EditMode::Map)->trigger();
    EXPECT_FALSE(w.controller().highlight());
    // Choosing from a list switches mode and selects.
    emit w.actors().list()->itemClicked(w.actors().list()->item(2));
    EXPECT_EQ(w.window.editMode(), EditMode::Actor);
    EXPECT_EQ(w.window.currentActor(), 2);
    emit w.window.stairPanel()->list()->itemClicked(w.window.stairPanel()->list()->item(1));
    EXPECT_EQ(w.window.editMode(), EditMode::Stair);
    EXPECT_EQ(w.window.currentStair(), 1);
    EXPECT_EQ(w.body(), before);
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
}

TEST(WorldPanels, TheKeyboardSelectsInTheListsAsAClickDoes)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) { types.push_back({0xE0}); });
    w.window.show(); // the lists move through the rows they lay out
    QApplication::processEvents();
    auto key = [](QWidget* list, int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
    };
    key(w.actors().list(), Qt::Key_Down);
    EXPECT_EQ(w.window.currentActor(), 1);
    EXPECT_EQ(w.controller().highlight(), w.controller().actorLayer().marker(1).rect.adjusted(-4, -4, 4, 4));
    // A type chosen now changes the actor the keyboard went to.
    const std::uint8_t first = w.area().actors[0].type;
    emit w.actors().typeCombo()->activated(w.actors().typeCombo()->findText("Type E0"));
    EXPECT_EQ(w.area().actors[1].type, 0xE0);
    EXPECT_EQ(w.area().actors[0].type, first);

    // From another mode the stair list's keys switch to stairs, as a click does.
    w.window.modeAction(EditMode::Map)->trigger();
    QListWidget* stairs = w.window.stairPanel()->list();
    key(stairs, Qt::Key_End); // with no row yet, the first key takes the first
    key(stairs, Qt::Key_End);
    EXPECT_EQ(w.window.editMode(), EditMode::Stair);
    EXPECT_EQ(w.window.currentStair(), stairs->count() - 1);
}

TEST(WorldPanels, MarkersOffTheMapAreNeitherDrawnNorHitAndTheirLineSaysSo)
{
    WorldWindow w;
    ASSERT_LT(w.area().mapWidth(), 0xF0 * 16);
    w.document().rom().write(w.actorList() + 4 * 2, 0xF0); // actor 2 far right of the map
    w.load(w.area().id);
    const MarkerLayer& layer = w.controller().actorLayer();
    EXPECT_TRUE(layer.marker(2).outside);
    EXPECT_FALSE(layer.marker(1).outside);
    EXPECT_EQ(layer.markerAt(layer.marker(2).rect.center()), -1);
    EXPECT_TRUE(w.actors().list()->item(2)->text().endsWith(" (outside the map)"));
    EXPECT_FALSE(w.actors().list()->item(1)->text().contains("outside"));
}

TEST(WorldPanels, AStillClickWritesNothingADragIsOneStepAndARefusedDragSaysWhy)
{
    WorldWindow w;
    const world::ActorRecord first = w.area().actors[0];
    const QPoint grab = w.controller().actorLayer().marker(0).rect.center();
    // The list ends in E9 FF, which a rewrite of the list would turn into FF FF.
    w.document().rom().write(w.actorList() + 4 * w.area().actors.size(), 0xE9);
    const std::vector<std::uint8_t> marked = w.body();
    const int steps = w.history().count();
    w.clickMap(grab);
    EXPECT_EQ(w.body(), marked);
    EXPECT_EQ(w.history().count(), steps);

    press(w.mapViewport(), w.onScreen(grab));
    move(w.mapViewport(), w.onScreen(grab + QPoint(16, 0)), Qt::LeftButton);
    ASSERT_TRUE(w.outline());
    EXPECT_EQ(*w.outline(), w.controller().actorLayer().marker(0).rect.translated(16, 0));
    EXPECT_EQ(w.body(), marked); // nothing stored while the button is down
    release(w.mapViewport(), w.onScreen(grab + QPoint(16, 0)));
    EXPECT_FALSE(w.outline());
    EXPECT_EQ(w.area().actors[0].x, first.x + 1);
    EXPECT_EQ(w.controller().actorLayer().marker(0).rect.left(), (first.x + 1) * 16);
    EXPECT_EQ(w.history().count(), steps + 1);

    const std::vector<std::uint8_t> moved = w.body();
    w.dragMap(grab + QPoint(16, 0), {QPoint(-5, grab.y())});
    EXPECT_EQ(w.body(), moved);
    EXPECT_EQ(w.window.statusNote(), "Actor 0 not moved: the pointer was let go outside the map");
    w.window.undoStep();
    EXPECT_EQ(w.body(), marked);
}

TEST(WorldPanels, TheTypeComboOffersTheObjectSetsTypesAndReportsAnUnknownOneOnce)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) { types.push_back({0xE0}); });
    QComboBox* combo = w.actors().typeCombo();
    const int entry = combo->findText("Type E0");
    ASSERT_GE(entry, 0);
    emit combo->activated(entry);
    EXPECT_EQ(w.area().actors[0].type, 0xE0);
    EXPECT_EQ(w.actors().list()->item(0)->text(), "00: [E0] Type E0");
    EXPECT_EQ(w.history().count(), 1);

    // Every type of the submap offered nowhere, one other type offered.
    WorldWindow one({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        for (TypeFile& type : types)
            type.offered = false;
        types.push_back({0xE1});
    });
    EXPECT_EQ(one.dialogs.messages, QStringList{"Error: unknown actor!"});
    one.window.modeAction(EditMode::Stair)->trigger();
    one.window.modeAction(EditMode::Actor)->trigger();
    one.controller().selectActor(0);
    EXPECT_EQ(one.dialogs.messages.size(), 1); // said once per actor
}

TEST(WorldPanels, ASliderDragIsOneStepWrittenAtOnceAndQuittingAsks)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) { types[0].kind = 1; }); // a text
    QSlider* slider = w.actors().slider();
    ASSERT_FALSE(slider->isHidden());
    const std::vector<std::uint8_t> before = w.body();
    emit slider->sliderPressed();
    slider->setValue(0x31);
    EXPECT_EQ(w.body()[w.actorList() + 3], 0x31); // at once
    slider->setValue(0x33);
    emit slider->sliderReleased();
    EXPECT_EQ(w.area().actors[0].control, 0x33);
    EXPECT_EQ(w.actors().valueLabel(3)->text(), "33");
    EXPECT_TRUE(w.captionMarked());
    EXPECT_EQ(w.history().count(), 1);

    // Undo during a drag ends it; the rest of it writes nothing.
    emit slider->sliderPressed();
    slider->setValue(0x35);
    w.window.undoStep();
    EXPECT_EQ(w.area().actors[0].control, 0x33);
    slider->setValue(0x36);
    emit slider->sliderReleased();
    EXPECT_EQ(w.area().actors[0].control, 0x33);
    EXPECT_EQ(slider->value(), 0x33);
    EXPECT_EQ(w.history().count(), 2);
    EXPECT_EQ(w.history().text(1), "Set parameter of actor 00");

    w.dialogs.saveChoices.push_back(SaveChoice::Cancel);
    EXPECT_FALSE(w.window.close());
    EXPECT_EQ(w.dialogs.saveQuestions, 1);
    w.window.undoStep();
    EXPECT_EQ(w.body(), before);
    EXPECT_EQ(slider->value(), w.area().actors[0].control);
}

TEST(WorldPanels, AHealthActorShowsItsBoxAndATypeWithoutAPictureTheCommonOne)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        types[0].kind = 3; // health
        types[1].picture = false;
    });
    const auto& actors = w.area().actors;
    EXPECT_EQ(w.actors().healthBox()->text(), QString::asprintf("%02X", actors[0].control));
    EXPECT_TRUE(w.actors().slider()->isHidden());
    if (actors[1].type != actors[0].type) {
        EXPECT_EQ(w.controller().actorLayer().marker(1).rect.size(), QSize(16, 24));
    }
}
TEST(WorldPanels, AStairTurnsOnADoubleClickAndItsLineFollows)
{
    WorldWindow w;
    w.window.modeAction(EditMode::Stair)->trigger();
    const int index = 2;
    const world::StairRecord stair = w.area().stairs[index];
    const QPoint at = w.controller().stairLayer().marker(index).rect.center();
    const auto turn = [&] {
        sendMouse(w.mapViewport(), QEvent::MouseButtonDblClick, w.onScreen(at), Qt::LeftButton, Qt::LeftButton);
    };
    turn();
    EXPECT_EQ(w.window.currentStair(), index);
    EXPECT_NE(w.area().stairs[index], stair);
    EXPECT_EQ(w.window.stairPanel()->list()->item(index)->text(),
              stairListLine(index, w.area().stairs[index], IndexStyle::Hex));
    EXPECT_EQ(w.history().count(), 1);
    w.window.undoStep();
    EXPECT_EQ(w.area().stairs[index], stair);
}

TEST(WorldPanels, DoorsShowWhereEachExitLeadsOrThatItLeadsNowhere)
{
    const rom::AreaId id{0, 10, 1};
    WorldWindow mixed(id, [&](SyntheticWorld& world, std::vector<TypeFile>&) {
        world.game.setExit(id.objectSet, id.area, false, {0xFF, 2, 5});
        world.game.setExit(id.objectSet, id.area, true, {0xFB, 11, 0x7F}); // two areas leading to each other
        world.game.setExit(id.objectSet, 11, true, {0xFB, static_cast<std::uint8_t>(id.area), 0x7F});
        world.game.setLastSubmap(2, 5, 2);
    });
    QStringList labels;
    for (int i = 0; i < 6; ++i)
        labels << mixed.window.doorsPanel()->label(i)->text();
    EXPECT_EQ(labels, (QStringList{"2", "5", "82", "--", "--", "--"}));
}

TEST(WorldWindows, MapInfoShowsTheLoadedSubmapAndFollowsEveryLoad)
{
    WorldWindow w(rom::AreaId{0, 10, 1});
    w.window.commandAction(Command::MapInfo)->trigger();
    MapInfo* info = w.window.mapInfo();
    EXPECT_EQ(info->box(MapInfo::Area)->text(), "$0A");
    EXPECT_EQ(info->box(MapInfo::Submap)->text(), "$01");
    EXPECT_EQ(info->screenList()->text().count('$'), w.area().map.screensWide * w.area().map.screensHigh);
    w.load({0, 0, 0});
    EXPECT_EQ(info->box(MapInfo::Area)->text(), "$00");
}

TEST(WorldWindows, ToolWindowsCloseWithEscapeOrTheirCloseButton)
{
    OpenedEditor w;
    w.window.openMapInfo();
    w.window.openGlobalProperties();
    w.window.showUndoHistory();
    for (QWidget* window : std::initializer_list<QWidget*>{w.window.mapInfo(), w.window.globalProperties(),
                                                          w.window.historyWindow()}) {
        ASSERT_TRUE(window->isVisible());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window, &escape);
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
        window->show();
        window->findChild<QPushButton*>("cmdClose")->click();
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    }
}

TEST(WorldWindows, GlobalPropertiesWriteOnlyOnApplyKeepingAnUnlistedValue)
{
    OpenedEditor w;
    rom::RomImage& image = w.document().rom();
    image.write(layout::kFerrymanItem, 2);
    image.write(layout::kFerrymanText, 0x05);
    image.write(layout::kFerrymanAltText, 0xC8); // past the 121 texts
    w.window.commandAction(Command::GlobalProperties)->trigger();
    GlobalProperties* props = w.window.globalProperties();
    EXPECT_EQ(props->itemCombo()->currentIndex(), 2);
    EXPECT_EQ(props->altTextCombo()->currentText(), "C8 (not in list)");
    const std::vector<std::uint8_t> before = w.body();
    const int steps = w.history().count();
    props->itemCombo()->setCurrentIndex(4);
    props->close();
    EXPECT_EQ(w.body(), before);

    w.window.commandAction(Command::GlobalProperties)->trigger(); // re-reads the bytes
    EXPECT_EQ(props->textCombo()->currentIndex(), 5);
    props->itemCombo()->setCurrentIndex(4);
    props->textCombo()->setCurrentIndex(7);
    props->applyButton()->click();
    EXPECT_EQ(image.read(layout::kFerrymanItem), 4);
    EXPECT_EQ(image.read(layout::kFerrymanText), 7);
    EXPECT_EQ(image.read(layout::kFerrymanAltText), 0xC8);
    EXPECT_EQ(w.history().count(), steps + 1);
}
