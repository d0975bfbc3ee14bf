#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/gfx/Chr.h"
#include "core/gfx/Metatiles.h"
#include "core/rom/Addressing.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"
#include "ui/map/MapView.h"
#include "ui/map/MetatilePicker.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

struct OpenProgram {
    TempDir dir;
    SyntheticWorld world;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    OpenProgram()
    {
        world.writeFile(dir.file("game.nes"));
        window = std::make_unique<MainWindow>(dialogs, QString::fromStdString(dir.file("dat")));
        window->startUp();
        dialogs.filesToOpen.push_back(QString::fromStdString(dir.file("game.nes")));
        window->commandAction(Command::Open)->trigger();
        if (!window->document().area())
            throw std::runtime_error("the synthetic image did not load an area");
        dialogs.messages.clear();
    }

    const session::LoadedArea& area() const { return *window->document().area(); }

    // Goes to a submap whose background and sprite palette sets differ, so
    // every background entry written stays as written.
    void loadAreaWithOwnSets()
    {
        for (const rom::AreaId& id : world::catalogueSubmaps()) {
            const auto& sets = world.game.submap(id).dayPaletteSets;
            if (sets[0] != sets[1] && id.objectSet == 2) {
                window->loadArea(QString::fromStdString(world::findSubmap(id)->key));
                return;
            }
        }
        throw std::runtime_error("no submap with palette sets of its own");
    }
};

// Notes the windows that receive a close event, in order.
class CloseRecorder : public QObject {
public:
    QStringList closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

} // namespace

TEST(EditorLaunch, EachLauncherShowsOneSharedWindowForTheLoadedArea)
{
    OpenProgram p;
    p.loadAreaWithOwnSets();
    QAction* palette = p.window->commandAction(Command::PaletteEditor);
    QAction* background = p.window->commandAction(Command::MetatileEditor);
    EXPECT_TRUE(palette->isEnabled());
    EXPECT_TRUE(background->isEnabled());
    EXPECT_EQ(palette->toolTip(), "Palette Editor");
    EXPECT_EQ(background->toolTip(), "Background Editor");

    palette->trigger();
    background->trigger();
    PaletteEditor* paletteWindow = p.window->paletteEditor();
    MetatileEditor* metatileWindow = p.window->metatileEditor();
    ASSERT_NE(paletteWindow, nullptr);
    ASSERT_NE(metatileWindow, nullptr);
    EXPECT_TRUE(paletteWindow->isWindow());
    EXPECT_TRUE(paletteWindow->isVisible());
    EXPECT_TRUE(metatileWindow->isVisible());
    EXPECT_EQ(paletteWindow->boundPalettePointer(), p.area().pointers.palettePointer);
    EXPECT_EQ(metatileWindow->objectSet(), p.area().id.objectSet);
    // The main window stays usable: both are modeless.
    EXPECT_FALSE(paletteWindow->isModal());
    EXPECT_FALSE(metatileWindow->isModal());

    // Launching again reuses the window; edits made so far are written first.
    click(paletteWindow->masterCell(0x27), QPoint(2, 2));
    click(paletteWindow->paletteCell(1), QPoint(2, 2));
    palette->trigger();
    EXPECT_EQ(p.window->paletteEditor(), paletteWindow);
    EXPECT_EQ(p.area().palette[1], 0x27);
    EXPECT_EQ(paletteWindow->editPalette()[1], 0x27);
    EXPECT_TRUE(paletteWindow->isEditing());
    background->trigger();
    EXPECT_EQ(p.window->metatileEditor(), metatileWindow);
    EXPECT_TRUE(p.dialogs.messages.isEmpty());
}

TEST(EditorLaunch, TheMapShowsTheNewColoursAfterClosingAndSelectionsStay)
{
    OpenProgram p;
    p.loadAreaWithOwnSets();
    AreaWorkspace* workspace = p.window->workspace();
    workspace->selectMetatileAt(QPoint(40, 40));
    const int selected = workspace->selectedMetatile();
    ASSERT_GT(selected, 0);
    p.window->setEditMode(EditMode::Pointer);
    const QImage mapBefore = workspace->mapView()->picture();

    p.window->commandAction(Command::PaletteEditor)->trigger();
    PaletteEditor* editor = p.window->paletteEditor();
    click(editor->masterCell(0x16), QPoint(2, 2));
    for (int i = 0; i < 16; ++i)
        click(editor->paletteCell(i), QPoint(2, 2));
    // Nothing shows before the window closes.
    EXPECT_EQ(workspace->mapView()->picture(), mapBefore);
    editor->close();

    const QColor red = toQColor(p.area().colors[0x16]);
    const QImage map = workspace->mapView()->picture();
    ASSERT_EQ(map.size(), mapBefore.size());
    // Every cell showing one of the object set's metatiles is in the new colour.
    const rom::AreaMap& grid = p.area().map;
    int checked = 0;
    for (int sy = 0; sy < grid.screensHigh; ++sy)
        for (int sx = 0; sx < grid.screensWide; ++sx)
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 8; ++c) {
                    if (grid.mapGrid[grid.cellIndex(sx, sy, r, c)] >= p.area().metatileLimit - 1)
                        continue;
                    ASSERT_EQ(map.pixelColor(sx * 256 + c * 32 + 13, sy * 224 + r * 32 + 21), red);
                    ++checked;
                }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(toQColor(p.area().chooser.pixel(0, 0)), red);
    EXPECT_EQ(workspace->selectedMetatile(), selected);
    EXPECT_EQ(p.window->editMode(), EditMode::Pointer);
}

TEST(EditorLaunch, ExitClosesTheEditorsSoTheirEditsAreWritten)
{
    OpenProgram p;
    p.window->commandAction(Command::MetatileEditor)->trigger();
    p.window->commandAction(Command::PaletteEditor)->trigger();
    MetatileEditor* metatile = p.window->metatileEditor();
    metatile->tileKit()->chooseColor(3, 1);
    press(metatile->tileKit()->patternTableView(), QPoint(7 * 16, 7 * 16)); // tile $77
    press(metatile->tileKit()->tileView(), QPoint(127, 127));
    release(metatile->tileKit()->tileView(), QPoint(127, 127));
    p.window->paletteEditor()->monochromeCheck()->click();
    p.window->paletteEditor()->redCheck()->click();

    // The editors' copies are written before "Save changes?" is asked.
    p.dialogs.saveChoices.push_back(SaveChoice::Discard);
    p.window->exitProgram();
    EXPECT_EQ(p.dialogs.saveQuestions, 1);
    EXPECT_FALSE(metatile->isVisible());
    EXPECT_FALSE(p.window->paletteEditor()->isVisible());
    const auto& rom = p.window->document().rom();
    const std::size_t tile = rom::bgChrBase(rom, p.area().id.objectSet) + 0x77 * 16;
    EXPECT_EQ(rom.read(tile + 7) & 1, 1);
    EXPECT_EQ(rom.read(tile + 15) & 1, 1);
    // The default mask had greyscale and green; now green and red.
    EXPECT_EQ(rom.read(layout::kPpuMaskByte), 0x7E);
}

TEST(EditorLaunch, OpeningAnotherImageFinishesTheEditorsWithTheOldOne)
{
    OpenProgram p;
    p.window->commandAction(Command::PaletteEditor)->trigger();
    p.window->commandAction(Command::MetatileEditor)->trigger();
    // Another image with other graphics takes the place of the first.
    SyntheticWorld other;
    other.rom.body()[layout::kPpuMaskByte] = 0x1E;
    other.writeFile(p.dir.file("other.nes"));
    p.dialogs.filesToOpen.push_back(QString::fromStdString(p.dir.file("other.nes")));
    p.window->commandAction(Command::Open)->trigger();

    EXPECT_FALSE(p.window->paletteEditor()->isEditing());
    EXPECT_FALSE(p.window->metatileEditor()->isEditing());
    EXPECT_FALSE(p.window->paletteEditor()->isVisible());
    // Nothing of the first image's editors reached the new one.
    EXPECT_EQ(p.window->document().rom().body(), other.rom.body());
}

TEST(EditorLaunch, SpriteEditorIsSharedWritesOnRelaunchAndClosesFirstOnExit)
{
    OpenProgram p;
    p.loadAreaWithOwnSets();
    QAction* launcher = p.window->commandAction(Command::SpriteEditor);
    EXPECT_TRUE(launcher->isEnabled());
    EXPECT_EQ(launcher->toolTip(), "Sprite Editor");
    launcher->trigger();
    SpriteEditor* editor = p.window->spriteEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(editor->isModal());
    // Set up with the loaded area's palette: the sprite swatches show entries 16-31.
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(editor->paletteSwatch(i)->color(),
                  p.area().colors[p.area().palette[static_cast<std::size_t>(16 + i)]]);

    // Launching again closes the open window first, so its tiles are written.
    const int objectSet = editor->objectSet();
    editor->tileKit()->chooseColor(3, 1);
    press(editor->tileKit()->patternTableView(), QPoint(5 * 16, 2 * 16)); // tile $25
    press(editor->tileKit()->tileView(), QPoint(0, 0));
    release(editor->tileKit()->tileView(), QPoint(0, 0));
    const gfx::TilePixels painted = editor->tileKit()->tiles();
    editor->playButton()->click();
    launcher->trigger();
    EXPECT_EQ(p.window->spriteEditor(), editor);
    EXPECT_EQ(gfx::loadSpriteTiles(p.window->document().rom(), objectSet), painted);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->isEditing());
    EXPECT_FALSE(editor->isPlaying());

    // Exit closes the sprite editor before every other window.
    p.window->commandAction(Command::MapInfo)->trigger();
    p.window->commandAction(Command::MetatileEditor)->trigger();
    CloseRecorder recorder;
    for (QWidget* window : std::initializer_list<QWidget*>{editor, p.window->mapInfo(), p.window->metatileEditor()})
        window->installEventFilter(&recorder);
    editor->playButton()->click();
    p.dialogs.saveChoices.push_back(SaveChoice::Discard);
    p.window->exitProgram();
    EXPECT_EQ(recorder.closed, (QStringList{"frmAnimationEdit", "frmAreaInfo", "frmMetatileEdit"}));
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(editor->isPlaying());
    EXPECT_EQ(p.dialogs.messages, QStringList{"Save changes?"}); // only the guard asked
}
