#include "OpenedEditor.h"

#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/WorldController.h"
#include "ui/editors/GlobalProperties.h"
#include "ui/editors/MapInfo.h"
#include "ui/map/MapView.h"
#include "ui/panels/ActorPanel.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/ListLines.h"
#include "ui/panels/StairPanel.h"
#include "ui/tools/MarkerTool.h"
#include "ui/tools/ToolManager.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QKeyEvent>
#include <QSlider>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// One actor type description for the test's dat folder.
struct TypeFile {
    int code;
    int kind;
    bool offered = true;
    bool picture = true;
    QSize size{16, 32};
};

void writeDat(const std::string& datDir, const std::vector<TypeFile>& types)
{
    QDir dat(QString::fromStdString(datDir));
    dat.mkpath(QStringLiteral("obj"));
    dat.mkpath(QStringLiteral("stair"));
    for (const TypeFile& type : types) {
        const QString hex = QStringLiteral("%1").arg(type.code, 2, 16, QLatin1Char('0')).toUpper();
        QFile file(dat.filePath(QStringLiteral("obj/obj%1.TXT").arg(hex)));
        file.open(QIODevice::WriteOnly);
        const char* flag = type.offered ? "T\n" : "F\n";
        file.write(QStringLiteral("Type %1\n%2\n").arg(hex).arg(type.kind).toLatin1());
        for (int set = 0; set < 6; ++set)
            file.write(flag);
        if (type.picture) {
            QImage picture(type.size, QImage::Format_RGB32);
            picture.fill(Qt::red);
            picture.save(dat.filePath(QStringLiteral("obj/obj%1.JPG").arg(hex)), "JPG");
        }
    }
    QImage common(16, 24, QImage::Format_RGB32);
    common.fill(Qt::gray);
    common.save(dat.filePath(QStringLiteral("obj/objxx.JPG")), "JPG");
    QImage stair(16, 16, QImage::Format_RGB32);
    stair.fill(Qt::yellow);
    for (const char* name : {"00", "01", "10", "11"})
        stair.save(dat.filePath(QStringLiteral("stair/%1.JPG").arg(QLatin1String(name))), "JPG");
}

using Prepare = std::function<void(SyntheticWorld&, std::vector<TypeFile>&)>;

// The editor on submap `id` (by default one with three actors and three
// stairs), with a dat folder describing every actor type of it (kind 0),
// after `prepare` adjusted game and types.
struct WorldWindow : test::OpenedEditor {
    rom::AreaId id;

    explicit WorldWindow(std::optional<rom::AreaId> chosen = {}, const Prepare& prepare = {})
        : OpenedEditor([&](SyntheticWorld& world, const std::string& datDir) {
              const rom::AreaId shown = chosen ? *chosen : busySubmap(world);
              std::vector<TypeFile> types;
              for (const world::ActorRecord& actor : world.game.submap(shown).actors)
                  types.push_back({actor.type, 0});
              if (prepare)
                  prepare(world, types);
              writeDat(datDir, types);
          })
    {
        // Members are set after the base is built: the submap is found again.
        id = chosen ? *chosen : busySubmap(world);
        load(id);
        dialogs.messages.clear();
    }
    static rom::AreaId busySubmap(const SyntheticWorld& world)
    {
        for (const rom::AreaId& candidate : world::catalogueSubmaps())
            if (world.game.submap(candidate).actors.size() >= 3 && world.game.mapOf(candidate).stairs.size() >= 3)
                return candidate;
        throw std::runtime_error("no busy submap");
    }

    WorldController& controller() { return *window.world(); }
    ActorPanel& actors() { return *window.actorPanel(); }
    StairPanel& stairs() { return *window.stairPanel(); }
    std::size_t actorList() { return rom::cpuToBody(area().pointers.actorPointer, rom::DataKind::Actors); }
    const std::optional<QRect>& outline() { return static_cast<MarkerTool*>(window.tools()->currentTool())->outline(); }
    void doubleClickMap(QPoint mapPixel)
    {
        test::sendMouse(mapViewport(), QEvent::MouseButtonDblClick, onScreen(mapPixel), Qt::LeftButton, Qt::LeftButton);
    }
};

QPoint centreOf(const QRect& rect)
{
    return rect.center();
}

} // namespace

TEST(WorldLists, LineFormats)
{
    EXPECT_EQ(actorListLine(3, 0x2A, "Type 2A"), "03: [2A] Type 2A");
    EXPECT_EQ(actorListLine(12, 0x05, "UNKNOWN"), "12: [05] UNKNOWN");
    const world::StairRecord stair{0x1F, 5, 1, 0};
    EXPECT_EQ(stairListLine(9, stair, IndexStyle::Decimal), "09: 1F 05 1 0");
    EXPECT_EQ(stairListLine(10, stair, IndexStyle::Decimal), "10: 1F 05 1 0");
    EXPECT_EQ(stairListLine(10, stair, IndexStyle::Hex), "0A: 1F 05 1 0");
    EXPECT_EQ(stairListLine(26, stair, IndexStyle::Hex), "1A: 1F 05 1 0");
    // Indexes of 100 and more keep all their digits.
    EXPECT_EQ(stairListLine(127, stair, IndexStyle::Decimal), "127: 1F 05 1 0");
    EXPECT_EQ(stairListLine(127, stair, IndexStyle::Hex), "7F: 1F 05 1 0");
}

TEST(WorldPanels, ListsAndMarkersFollowTheLoadedSubmap)
{
    WorldWindow w;
    const auto& actors = w.area().actors;
    ASSERT_EQ(w.actors().list()->count(), static_cast<int>(actors.size()));
    const QString hex = QStringLiteral("%1").arg(actors[1].type, 2, 16, QLatin1Char('0')).toUpper();
    EXPECT_EQ(w.actors().list()->item(1)->text(), QStringLiteral("01: [%1] Type %1").arg(hex));
    ASSERT_EQ(w.stairs().list()->count(), static_cast<int>(w.area().stairs.size()));
    EXPECT_EQ(w.stairs().list()->item(2)->text(), stairListLine(2, w.area().stairs[2], IndexStyle::Decimal));
    EXPECT_EQ(w.stairs().list()->toolTip(), "Stairset data  ->  #: [X] [Y] [U|D] [L|R]");
    // A picture stands on its actor's foot line.
    const QRect marker = w.controller().actorLayer().marker(0).rect;
    EXPECT_EQ(marker, QRect(actors[0].x * 16, actors[0].y * 16 - 32, 16, 32));
    EXPECT_EQ(w.controller().stairLayer().marker(1).rect.topLeft(),
              QPoint(w.area().stairs[1].x * 8, w.area().stairs[1].y * 8));
    EXPECT_FALSE(w.controller().actorLayer().shown());
}

TEST(WorldPanels, MarkersOffTheMapAreNeitherDrawnNorHitAndTheirLineSaysSo)
{
    WorldWindow w;
    ASSERT_LT(w.area().mapWidth(), 0xF0 * 16);
    w.document().rom().write(w.actorList() + 4 * 2, 0xF0); // actor 2 far right of the map
    w.load(w.id);
    w.window.modeAction(EditMode::Actor)->trigger();
    const MarkerLayer& layer = w.controller().actorLayer();
    EXPECT_TRUE(layer.marker(2).outside);
    EXPECT_FALSE(layer.marker(1).outside);
    EXPECT_EQ(layer.markerAt(layer.marker(2).rect.center()), -1);
    EXPECT_TRUE(w.actors().list()->item(2)->text().endsWith(" (outside the map)"));
    EXPECT_FALSE(w.actors().list()->item(1)->text().contains("outside"));
}

TEST(WorldPanels, ModeSwitchingShowsMarkersAndNeverWrites)
{
    WorldWindow w;
    const std::vector<std::uint8_t> before = w.body();
    w.window.modeAction(EditMode::Actor)->trigger();
    EXPECT_TRUE(w.controller().actorLayer().shown());
    EXPECT_FALSE(w.controller().stairLayer().shown());
    ASSERT_TRUE(w.controller().highlight());
    EXPECT_EQ(*w.controller().highlight(), w.controller().actorLayer().marker(0).rect.adjusted(-4, -4, 4, 4));
    EXPECT_EQ(w.actors().valueLabel(0)->text(),
              QStringLiteral("%1").arg(w.area().actors[0].x, 2, 16, QLatin1Char('0')).toUpper());
    EXPECT_TRUE(w.actors().typeCombo()->isEnabled());

    w.window.modeAction(EditMode::Stair)->trigger();
    EXPECT_FALSE(w.controller().actorLayer().shown());
    EXPECT_TRUE(w.controller().stairLayer().shown());
    EXPECT_FALSE(w.actors().typeCombo()->isEnabled());
    EXPECT_EQ(w.stairs().list()->currentRow(), 0);

    w.window.modeAction(EditMode::Map)->trigger();
    EXPECT_FALSE(w.controller().highlight());
    EXPECT_EQ(w.body(), before);

    // Choosing from a list switches mode and selects.
    emit w.actors().list()->itemClicked(w.actors().list()->item(2));
    EXPECT_EQ(w.window.editMode(), EditMode::Actor);
    EXPECT_EQ(w.window.currentActor(), 2);
    emit w.stairs().list()->itemClicked(w.stairs().list()->item(1));
    EXPECT_EQ(w.window.editMode(), EditMode::Stair);
    EXPECT_EQ(w.window.currentStair(), 1);
    EXPECT_EQ(w.body(), before);
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
}

TEST(WorldPanels, ActorModeWithoutActorsBlanksTheFrame)
{
    std::optional<rom::AreaId> empty;
    {
        SyntheticWorld probe;
        for (const rom::AreaId& candidate : world::catalogueSubmaps())
            if (probe.game.submap(candidate).actors.empty()) {
                empty = candidate;
                break;
            }
    }
    WorldWindow w(empty);
    w.window.modeAction(EditMode::Actor)->trigger();
    EXPECT_EQ(w.actors().list()->count(), 0);
    for (int field = 0; field < 4; ++field)
        EXPECT_TRUE(w.actors().valueLabel(field)->text().isEmpty());
    EXPECT_FALSE(w.controller().highlight());
    EXPECT_TRUE(w.actors().scriptLabel()->isHidden());
    // Nothing to change a type of: the combo is disabled and shows no entry.
    EXPECT_FALSE(w.actors().typeCombo()->isEnabled());
    EXPECT_EQ(w.actors().typeCombo()->currentIndex(), -1);
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
}

TEST(WorldPanels, DraggingAnActorShowsAnOutlineAndCommitsOnRelease)
{
    WorldWindow w;
    w.window.modeAction(EditMode::Actor)->trigger();
    const world::ActorRecord first = w.area().actors[0];
    const std::vector<std::uint8_t> before = w.body();
    const QPoint grab = centreOf(w.controller().actorLayer().marker(0).rect);

    // A still click selects and writes nothing, not even the list's end.
    w.document().rom().write(w.actorList() + 4 * w.area().actors.size(), 0xE9);
    const std::vector<std::uint8_t> marked = w.body();
    const int steps = w.history().count();
    w.clickMap(grab);
    EXPECT_EQ(w.body(), marked);
    EXPECT_EQ(w.history().count(), steps);

    test::press(w.mapViewport(), w.onScreen(grab));
    test::move(w.mapViewport(), w.onScreen(grab + QPoint(16, 0)), Qt::LeftButton);
    ASSERT_TRUE(w.outline());
    EXPECT_EQ(*w.outline(), w.controller().actorLayer().marker(0).rect.translated(16, 0));
    EXPECT_EQ(w.body(), marked); // nothing stored while the button is down
    test::release(w.mapViewport(), w.onScreen(grab + QPoint(16, 0)));
    EXPECT_FALSE(w.outline());
    EXPECT_EQ(w.area().actors[0].x, first.x + 1);
    EXPECT_EQ(w.document().rom().read(w.actorList()), first.x + 1);
    EXPECT_EQ(w.controller().actorLayer().marker(0).rect.left(), (first.x + 1) * 16);
    EXPECT_EQ(w.history().count(), steps + 1);
    EXPECT_EQ(w.history().text(steps), "Move actor 00");

    // A release left of the map changes nothing, and the status bar says why.
    const std::vector<std::uint8_t> moved = w.body();
    w.dragMap(grab + QPoint(16, 0), {QPoint(-5, grab.y())});
    EXPECT_EQ(w.body(), moved);
    EXPECT_EQ(w.window.statusNote(), "Actor 0 not moved: the pointer was let go outside the map");
    w.window.undoStep();
    EXPECT_EQ(w.area().actors[0], first);
    EXPECT_EQ(w.body(), marked);
    (void)before;
}

TEST(WorldPanels, TypeChangesCommitAndUnknownTypesAreReported)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) { types.push_back({0xE0, 0}); });
    w.window.modeAction(EditMode::Actor)->trigger();
    const QComboBox* combo = w.actors().typeCombo();
    const int entry = combo->findText("Type E0");
    ASSERT_GE(entry, 0);
    emit w.actors().typeCombo()->activated(entry);
    const std::size_t list = rom::cpuToBody(w.area().pointers.actorPointer, rom::DataKind::Actors);
    EXPECT_EQ(w.document().rom().read(list + 2), 0xE0);
    EXPECT_EQ(w.actors().list()->item(0)->text(), "00: [E0] Type E0");
    EXPECT_EQ(combo->currentIndex(), entry);
    EXPECT_TRUE(w.dialogs.messages.isEmpty());
}

TEST(WorldPanels, TypesNotOfferedAndAnEmptyCombo)
{
    // Every type of the submap described but offered nowhere: the combo is
    // empty and disabled and no error is shown.
    WorldWindow none({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        for (TypeFile& type : types)
            type.offered = false;
    });
    none.window.modeAction(EditMode::Actor)->trigger();
    EXPECT_EQ(none.actors().typeCombo()->count(), 0);
    EXPECT_FALSE(none.actors().typeCombo()->isEnabled());
    EXPECT_TRUE(none.dialogs.messages.isEmpty());

    // One other type offered: selecting an actor reports its unknown type.
    WorldWindow one({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        for (TypeFile& type : types)
            type.offered = false;
        types.push_back({0xE1, 0});
    });
    one.window.modeAction(EditMode::Actor)->trigger();
    EXPECT_EQ(one.dialogs.messages, QStringList{"Error: unknown actor!"});
    EXPECT_EQ(one.actors().typeCombo()->currentIndex(), 0);
    // Said once per actor: selecting it again, or the lists showing an
    // edit, does not repeat it.
    one.window.modeAction(EditMode::Stair)->trigger();
    one.window.modeAction(EditMode::Actor)->trigger();
    one.controller().selectActor(0);
    EXPECT_EQ(one.dialogs.messages.size(), 1);
}

TEST(WorldPanels, ASliderDragIsOneStepWrittenAtOnce)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        types[0].kind = 1; // a text
    });
    w.window.modeAction(EditMode::Actor)->trigger();
    QSlider* slider = w.actors().slider();
    ASSERT_FALSE(slider->isHidden());
    EXPECT_EQ(slider->maximum(), 120);
    EXPECT_TRUE(w.actors().healthBox()->isHidden());
    const std::vector<std::uint8_t> before = w.body();
    const int steps = w.history().count();

    // A drag through several values: each is in the image at once, the
    // caption shows the change, and the whole drag is one step.
    emit slider->sliderPressed();
    slider->setValue(0x31);
    slider->setValue(0x33);
    emit slider->sliderReleased();
    EXPECT_EQ(w.area().actors[0].control, 0x33);
    EXPECT_EQ(w.actors().valueLabel(3)->text(), "33");
    EXPECT_EQ(w.document().rom().read(w.actorList() + 3), 0x33);
    EXPECT_TRUE(w.window.windowTitle().startsWith('*'));
    ASSERT_EQ(w.history().count(), steps + 1);
    EXPECT_EQ(w.history().text(steps), "Set parameter of actor 00");

    // Quitting asks about it; undo takes it back in the slider too.
    w.dialogs.saveChoices.push_back(SaveChoice::Cancel);
    EXPECT_FALSE(w.window.close());
    EXPECT_EQ(w.dialogs.saveQuestions, 1);
    w.window.undoStep();
    EXPECT_EQ(w.body(), before);
    EXPECT_EQ(slider->value(), w.area().actors[0].control);
    EXPECT_FALSE(w.window.isModified());
}

TEST(WorldPanels, ParameterWidgetsByKind)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        types[0].kind = 3; // health
        types[1].kind = 2; // text table
        types[1].picture = false; // no picture of its own: no parameter shown
        types[2].kind = 4;
    });
    w.window.modeAction(EditMode::Actor)->trigger();
    const auto& actors = w.area().actors;
    EXPECT_FALSE(w.actors().healthBox()->isHidden());
    EXPECT_EQ(w.actors().healthBox()->text(),
              QStringLiteral("%1").arg(actors[0].control, 2, 16, QLatin1Char('0')).toUpper());
    EXPECT_TRUE(w.actors().slider()->isHidden());
    if (actors[1].type != actors[0].type && actors[1].type != actors[2].type) {
        w.controller().selectActor(1);
        EXPECT_TRUE(w.actors().slider()->isHidden());
        EXPECT_TRUE(w.actors().scriptLabel()->isHidden());
        EXPECT_EQ(w.controller().actorLayer().marker(1).rect.size(), QSize(16, 24)); // the common picture
    }
    if (actors[2].type != actors[0].type) {
        w.controller().selectActor(2);
        EXPECT_FALSE(w.actors().scriptLabel()->isHidden());
        EXPECT_TRUE(w.actors().slider()->isHidden());
        EXPECT_TRUE(w.actors().healthBox()->isHidden());
    }
}

TEST(WorldPanels, StairTurnsAndDragsRewriteTheirLine)
{
    WorldWindow w;
    w.window.modeAction(EditMode::Stair)->trigger();
    const std::size_t list = rom::cpuToBody(w.area().pointers.stairPointer, rom::DataKind::AreaData);
    const std::vector<std::uint8_t> before = w.body();
    const int index = 2;
    const QPoint at = centreOf(w.controller().stairLayer().marker(index).rect);
    ASSERT_TRUE(w.window.workspace()->mapView()->picture().rect().contains(at));
    ASSERT_EQ(w.controller().stairLayer().markerAt(at), index);
    for (int turn = 0; turn < 4; ++turn) {
        w.doubleClickMap(at);
        EXPECT_EQ(w.window.currentStair(), index);
    }
    // The stair bytes are back as they were (the commit may have written a
    // list terminator $FF where the image had one in byte 1 only).
    for (std::size_t i = list; i < list + 2 * w.area().stairs.size(); ++i)
        EXPECT_EQ(w.document().rom().read(i), before[i]);
    EXPECT_EQ(w.stairs().list()->item(index)->text(), stairListLine(index, w.area().stairs[index], IndexStyle::Hex));
    w.doubleClickMap(at);
    EXPECT_EQ(w.document().rom().read(list + 2 * index), before[list + 2 * index] ^ 0x80);
}

TEST(WorldPanels, DoorsForEachExitKind)
{
    const auto doorsOf = [](const std::function<void(SyntheticWorld&, const rom::AreaId&)>& exits) {
        rom::AreaId id{0, 10, 1};
        WorldWindow w(id, [&](SyntheticWorld& world, std::vector<TypeFile>&) { exits(world, id); });
        QStringList labels;
        for (int i = 0; i < 6; ++i)
            labels << w.window.doorsPanel()->label(i)->text();
        return labels;
    };
    const QStringList mixed = doorsOf([](SyntheticWorld& world, const rom::AreaId& id) {
        world.game.setExit(id.objectSet, id.area, false, {0xFF, 2, 5});
        world.game.setExit(id.objectSet, id.area, true, {0xFA, 9, 3});
        world.game.setLastSubmap(2, 5, 2);
    });
    EXPECT_EQ(mixed, (QStringList{"2", "5", "82", "0", "3", "0"}));
    const QStringList entry = doorsOf([](SyntheticWorld& world, const rom::AreaId& id) {
        world.game.setExit(id.objectSet, id.area, false, {0xFC, 1, 4});
        // An area with a second submap: entry 1 lies inside it, and the
        // entry byte still comes out as 0.
        int target = 0;
        while (target == id.area || world.game.area(id.objectSet, target).submapCount < 2)
            ++target;
        world.game.setExit(id.objectSet, id.area, true, {0xFB, static_cast<std::uint8_t>(target), 0x01});
        world.game.setLastSubmap(1, 4, 0);
    });
    EXPECT_EQ(entry.mid(0, 3), (QStringList{"1", "4", "80"}));
    EXPECT_EQ(entry[3], "0");
    EXPECT_EQ(entry[5], "0");
    // Two areas whose right exits lead to each other, each entered past its end.
    const QStringList loop = doorsOf([](SyntheticWorld& world, const rom::AreaId& id) {
        world.game.setExit(id.objectSet, id.area, true, {0xFB, 11, 0x7F});
        world.game.setExit(id.objectSet, 11, true, {0xFB, static_cast<std::uint8_t>(id.area), 0x7F});
    });
    EXPECT_EQ(loop.mid(3, 3), (QStringList{"--", "--", "--"}));
}

TEST(WorldWindows, MapInfoShowsTheLoadedSubmap)
{
    WorldWindow w(rom::AreaId{0, 10, 1});
    w.window.commandAction(Command::MapInfo)->trigger();
    MapInfo* info = w.window.mapInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->box(MapInfo::ObjectSet)->text(), "$00");
    EXPECT_EQ(info->box(MapInfo::Area)->text(), "$0A");
    EXPECT_EQ(info->box(MapInfo::Submap)->text(), "$01");
    const auto& pointers = w.area().pointers;
    const auto offset = [](std::size_t body) { return QStringLiteral("%1").arg(body + 16, 6, 16, QLatin1Char('0')).toUpper(); };
    EXPECT_EQ(info->box(MapInfo::ActorData)->text(),
              QStringLiteral("$%1 (0x%2)")
                  .arg(QString::number(pointers.actorPointer, 16).toUpper(),
                       offset(rom::cpuToBody(pointers.actorPointer, rom::DataKind::Actors))));
    EXPECT_EQ(info->screenList()->text().count('$'), w.area().map.screensWide * w.area().map.screensHigh);
    EXPECT_TRUE(info->screenList()->text().endsWith(' '));

    // A snapshot: another load leaves it; opening again refreshes it.
    w.load({0, 0, 0});
    EXPECT_EQ(info->box(MapInfo::Area)->text(), "$0A");
    w.window.commandAction(Command::MapInfo)->trigger();
    EXPECT_EQ(info->box(MapInfo::Area)->text(), "$00");
    EXPECT_TRUE(w.window.closeEditors());
    EXPECT_FALSE(info->isVisible());
}

TEST(WorldWindows, ToolWindowsCloseWithEscapeOrTheirCloseButton)
{
    WorldWindow w;
    w.window.openMapInfo();
    w.window.openGlobalProperties();
    w.window.showUndoHistory();
    QWidget* windows[] = {w.window.mapInfo(), w.window.globalProperties(), w.window.historyWindow()};
    for (QWidget* window : windows) {
        ASSERT_TRUE(window->isVisible());
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(window, &escape);
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
        window->show();
        window->findChild<QPushButton*>("cmdClose")->click();
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    }
}

TEST(WorldWindows, GlobalPropertiesWriteOnlyOnApply)
{
    WorldWindow w;
    rom::RomImage& image = w.document().rom();
    image.write(layout::kFerrymanItem, 2);
    image.write(layout::kFerrymanText, 0x05);
    image.write(layout::kFerrymanAltText, 0xC8); // past the 121 texts
    w.window.commandAction(Command::GlobalProperties)->trigger();
    GlobalProperties* props = w.window.globalProperties();
    ASSERT_NE(props, nullptr);
    EXPECT_EQ(props->windowTitle(), "Global Properties");
    EXPECT_EQ(props->itemCombo()->currentText(), "Heart");
    EXPECT_EQ(props->textCombo()->currentIndex(), 5);
    EXPECT_TRUE(props->textCombo()->currentText().startsWith("05: "));
    EXPECT_EQ(props->altTextCombo()->currentText(), "C8 (not in list)");
    EXPECT_EQ(props->textCombo()->count(), 121);

    const std::vector<std::uint8_t> before = w.body();
    props->itemCombo()->setCurrentIndex(4);
    props->textCombo()->setCurrentIndex(7);
    props->close();
    EXPECT_EQ(w.body(), before);

    // Opening again re-reads the bytes; Apply writes the chosen values, and
    // an unlisted value stays as it was.
    w.window.commandAction(Command::GlobalProperties)->trigger();
    EXPECT_EQ(props->itemCombo()->currentIndex(), 2);
    props->itemCombo()->setCurrentIndex(4);
    props->textCombo()->setCurrentIndex(7);
    props->applyButton()->click();
    EXPECT_EQ(image.read(layout::kFerrymanItem), 4);
    EXPECT_EQ(image.read(layout::kFerrymanText), 7);
    EXPECT_EQ(image.read(layout::kFerrymanAltText), 0xC8);
}
