// The inspector (typed values with their refusals), the layers of the View
// menu and the doors' words, through the real widgets.
#include "WorldWindow.h"

#include "ui/map/SolidityLayer.h"
#include "ui/panels/DoorsPanel.h"
#include "ui/panels/GridPanel.h"
#include "core/session/MapInfoText.h"
#include "ui/panels/StairPanel.h"
#include "ui/panels/SubmapInfoPanel.h"
#include "ui/panels/TypedBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

// Types `text` over what the box holds and presses Return, as a user does.
void typeInto(QLineEdit* box, const QString& text)
{
    box->selectAll();
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &key);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
}

QAction* layer(OpenedEditor& w, const char* name)
{
    return w.window.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

TEST(Inspector, TypedValuesTakeTheDragsChecksSayWhyInPlaceAndAreOneNamedStepEach)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) {
        types[0].kind = 1; // a text number
        types.push_back({0xE0});
    });
    ActorPanel& p = w.actors();
    const world::ActorRecord first = w.area().actors[0];
    EXPECT_EQ(p.xBox()->text(), QString::number(first.x * 16));
    EXPECT_EQ(p.yBox()->text(), QString::number(first.y * 16));
    EXPECT_EQ(p.typeBox()->text(), QString::asprintf("%02X", first.type));
    EXPECT_FALSE(p.pictureLabel()->pixmap().isNull());
    // The record's four boxes carry names.
    QStringList captions;
    for (const QLabel* label : p.frame()->findChildren<QLabel*>())
        captions << label->text();
    for (const char* name : {"Type", "X", "Y", "Parameter", "Record", "type", "x", "y", "param"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(name))) << name;

    // A position snaps to the actor's cell and is one step named as a drag's.
    typeInto(p.xBox(), "37");
    EXPECT_EQ(w.area().actors[0].x, 2);
    EXPECT_EQ(w.controller().actorLayer().marker(0).rect.left(), 32);
    EXPECT_EQ(p.xBox()->text(), "32");
    ASSERT_EQ(w.history().count(), 1);
    EXPECT_EQ(w.history().text(0), "Move actor 00");

    // Refusals write nothing and say why beside the fields.
    const std::vector<std::uint8_t> moved = w.body();
    typeInto(p.xBox(), "-5");
    EXPECT_EQ(p.refusal()->text(), "Not moved: x would put the picture outside the map.");
    typeInto(p.yBox(), QString::number(w.area().mapHeight()));
    EXPECT_EQ(p.refusal()->text(), "Not moved: y would put the picture outside the map.");
    typeInto(p.xBox(), "ab");
    EXPECT_EQ(p.refusal()->text(), "Type a whole number of map pixels.");
    typeInto(p.controlBox(), "79"); // past the last text, $78
    EXPECT_EQ(p.refusal()->text(), "Not set: this type's parameter goes up to $78.");
    typeInto(p.typeBox(), "E5");
    EXPECT_EQ(p.refusal()->text(), "Type $E5 is not offered in this object set: the list keeps its type.");
    EXPECT_EQ(w.body(), moved);
    EXPECT_EQ(w.history().count(), 1);

    typeInto(p.controlBox(), "$30");
    EXPECT_EQ(w.area().actors[0].control, 0x30);
    EXPECT_EQ(p.slider()->value(), 0x30);
    EXPECT_TRUE(p.refusal()->text().isEmpty());
    typeInto(p.typeBox(), "e0");
    EXPECT_EQ(w.area().actors[0].type, 0xE0);
    EXPECT_EQ(p.typeCombo()->currentText(), "Type E0");
    ASSERT_EQ(w.history().count(), 3);
    EXPECT_EQ(w.history().text(1), "Set parameter of actor 00");
    EXPECT_EQ(w.history().text(2), "Set type of actor 00");

    // Undo takes a typed change back, and the fields show it.
    w.window.undoStep();
    w.window.undoStep();
    EXPECT_EQ(w.area().actors[0].control, first.control);
    EXPECT_EQ(p.controlBox()->text(), QString::asprintf("%02X", first.control));
    w.window.undoStep();
    EXPECT_EQ(p.xBox()->text(), QString::number(first.x * 16));
}

TEST(Inspector, OffMapMarkersComeBackByTypingAndThePanelsKeepTheirPlaces)
{
    WorldWindow w({}, [](SyntheticWorld&, std::vector<TypeFile>& types) { types[1].kind = 3; }); // health
    w.window.resize(1280, 720);
    w.window.show();
    QApplication::processEvents();
    const QRect listPlace = w.actors().list()->geometry();
    const QRect stairPlace = w.window.stairPanel()->geometry();
    w.controller().selectActor(1);
    QApplication::processEvents();
    EXPECT_EQ(w.actors().list()->geometry(), listPlace);
    EXPECT_EQ(w.window.stairPanel()->geometry(), stairPlace);

    w.document().rom().write(w.actorList() + 4 * 2, 0xF0); // far right of the map
    w.load(w.area().id);
    emit w.actors().list()->itemClicked(w.actors().list()->item(2));
    EXPECT_EQ(w.actors().xBox()->text(), QString::number(0xF0 * 16));
    ASSERT_TRUE(w.controller().actorLayer().marker(2).outside);
    typeInto(w.actors().xBox(), "64");
    EXPECT_FALSE(w.controller().actorLayer().marker(2).outside);
    EXPECT_FALSE(w.actors().list()->item(2)->text().contains("outside"));

    // A stair below the map comes back too; its direction is chosen in words.
    StairPanel& stairs = *w.window.stairPanel();
    const std::size_t list = rom::cpuToBody(w.area().pointers.stairPointer, rom::DataKind::AreaData);
    ASSERT_GT(0x7E * 8, w.area().mapHeight());
    w.document().rom().write(list + 3, static_cast<std::uint8_t>((w.body()[list + 3] & 0x80) | 0x7E));
    w.load(w.area().id);
    emit stairs.list()->itemClicked(stairs.list()->item(1));
    ASSERT_TRUE(w.controller().stairLayer().marker(1).outside);
    EXPECT_EQ(stairs.yBox()->text(), QString::number(0x7E * 8));
    typeInto(stairs.yBox(), "17");
    EXPECT_EQ(w.area().stairs[1].y, 2);
    EXPECT_FALSE(w.controller().stairLayer().marker(1).outside);
    emit stairs.directionCombo()->activated(3);
    EXPECT_EQ(w.area().stairs[1].upDown, 1);
    EXPECT_EQ(w.area().stairs[1].leftRight, 1);
    EXPECT_EQ(w.history().text(w.history().count() - 1), "Turn stair 01");
    EXPECT_EQ(w.history().text(w.history().count() - 2), "Move stair 01");
}

TEST(Layers, MarkersShowInEveryModeWhenAskedAndAreDraggedOnlyInTheirOwn)
{
    WorldWindow w;
    for (const char* name : {"layerActors", "layerStairs", "layerGrid", "layerSharedScreens", "layerSolidity"}) {
        QAction* action = layer(w, name);
        ASSERT_TRUE(action) << name;
        EXPECT_TRUE(action->isCheckable());
        EXPECT_TRUE(w.window.menu(Menu::View)->actions().contains(action)) << name;
    }
    w.window.modeAction(EditMode::Stair)->trigger();
    EXPECT_FALSE(w.controller().actorLayer().shown()); // off by default outside their mode
    layer(w, "layerActors")->trigger();
    EXPECT_TRUE(w.controller().actorLayer().shown());
    w.window.modeAction(EditMode::Map)->trigger();
    EXPECT_TRUE(w.controller().actorLayer().shown());
    EXPECT_FALSE(w.controller().stairLayer().shown());

    // In stair mode a drag over an actor does not move it.
    w.window.modeAction(EditMode::Stair)->trigger();
    const world::ActorRecord actor = w.area().actors[0];
    const QPoint grab = w.controller().actorLayer().marker(0).rect.center();
    if (w.controller().stairLayer().markerAt(grab) < 0) {
        w.dragMap(grab, {grab + QPoint(32, 0)});
        EXPECT_EQ(w.area().actors[0], actor);
    }

    // The Grid layer and the Grid frame say the same.
    GridPanel* grid = w.window.workspace()->gridPanel();
    layer(w, "layerGrid")->trigger();
    EXPECT_TRUE(grid->metatileButton()->isChecked());
    grid->noneButton()->click();
    EXPECT_FALSE(layer(w, "layerGrid")->isChecked());
    grid->screenButton()->click();
    EXPECT_TRUE(layer(w, "layerGrid")->isChecked());
}

TEST(Layers, TheSolidityOverlayTintsTheMapWithALegendAndLeavesThePictureBeneath)
{
    WorldWindow w;
    w.window.resize(1280, 720);
    w.window.show();
    QApplication::processEvents();
    QWidget* viewport = w.mapViewport();
    const QImage plain = viewport->grab().toImage();
    layer(w, "layerSolidity")->trigger();
    QWidget* legend = viewport->findChild<QWidget*>("solidityLegend");
    ASSERT_TRUE(legend);
    EXPECT_TRUE(legend->isVisible());
    QStringList names;
    for (const QLabel* label : legend->findChildren<QLabel*>())
        names << label->text();
    names.removeAll(QString());
    EXPECT_EQ(names, (QStringList{"non-solid", "non-solid (event)", "solid", "solid (breakable)"}));
    // A cell away from the legend is tinted by its metatile's range.
    const QPoint cell = w.onScreen(QPoint(32 * 7 + 16, 32 * 6 + 16));
    const QColor before = plain.pixelColor(cell);
    const QColor tinted = viewport->grab().toImage().pixelColor(cell);
    EXPECT_NE(tinted, before);
    const std::uint8_t n = w.area().map.mapGrid[w.area().map.cellIndex(0, 0, 6, 7)];
    const QColor tint = SolidityLayer::tint(gfx::solidityOf(n, w.area().thresholds));
    const double a = tint.alphaF();
    EXPECT_NEAR(tinted.red(), before.red() * (1 - a) + tint.red() * a, 2);
    layer(w, "layerSolidity")->trigger();
    EXPECT_FALSE(legend->isVisible());
    EXPECT_EQ(viewport->grab().toImage(), plain);
}

TEST(Doors, EachDoorSaysInWordsWhereItLeadsAndGoToLoadsIt)
{
    const rom::AreaId id{0, 10, 1};
    WorldWindow w(id, [&](SyntheticWorld& world, std::vector<TypeFile>&) {
        world.game.setExit(id.objectSet, id.area, false, {0xFF, 2, 7});
        world.game.setExit(id.objectSet, id.area, true, {0xFB, 11, 0x7F}); // two areas leading to each other
        world.game.setExit(id.objectSet, 11, true, {0xFB, static_cast<std::uint8_t>(id.area), 0x7F});
    });
    DoorsPanel* doors = w.window.doorsPanel();
    const int last = 2; // object set 2, area 7 has three submaps
    EXPECT_EQ(doors->label(2)->text(), QString::number(0x80 + last, 16).toUpper());
    EXPECT_EQ(doors->words(0)->text(), QStringLiteral("To object set 2, area 7, submap %1, right end").arg(last));
    EXPECT_EQ(doors->words(1)->text(), "These exits lead round in a circle and arrive nowhere");
    EXPECT_FALSE(doors->goToButton(1)->isEnabled());
    ASSERT_TRUE(doors->goToButton(0)->isEnabled());
    doors->goToButton(0)->click();
    EXPECT_EQ(w.area().id, (rom::AreaId{2, 7, last}));
}

TEST(Inspector, MapInformationNamesEveryFieldOfTheLoadedSubmapAndFollowsLoads)
{
    OpenedEditor w;
    auto* info = w.window.findChild<SubmapInfoPanel*>();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->value(SubmapInfoPanel::MapData)->text(),
              QString::fromStdString(session::describeMapInfo(w.area()).mapData));
    w.load({0, 10, 1});
    EXPECT_TRUE(info->value(SubmapInfoPanel::Place)->text().startsWith("set 0, area 10, submap 1"));
    EXPECT_EQ(info->value(SubmapInfoPanel::Size)->text(),
              QStringLiteral("%1 x %2 screens").arg(w.area().map.screensWide).arg(w.area().map.screensHigh));
    EXPECT_EQ(info->value(SubmapInfoPanel::ActorData)->text(),
              QString::fromStdString(session::describeMapInfo(w.area()).actorData));
    // Every field has its name beside it.
    EXPECT_EQ(info->findChildren<QLabel*>().size(), 2 * SubmapInfoPanel::FieldCount);
}
