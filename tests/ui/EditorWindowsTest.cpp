// What the editor windows share: how they open and close, the bytes two
// of them show, and the map that follows their edits.
#include "OpenedEditor.h"

#include "core/gfx/Chr.h"
#include "core/rom/Addressing.h"
#include "support/SyntheticGraphics.h"
#include "ui/editors/MapInfo.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/PaletteEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

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

std::uint8_t pixelOf(const gfx::TilePixels& tiles, int tile, int column, int row)
{
    return tiles[static_cast<std::size_t>(tile * 64 + row * 8 + column)];
}

} // namespace

TEST(EditorWindows, EachLauncherOpensOneModelessWindowAndReusesIt)
{
    OpenedEditor e;
    for (Command command : {Command::PaletteEditor, Command::MetatileEditor, Command::SpriteEditor,
                            Command::TextEditor, Command::MapInfo, Command::GlobalProperties}) {
        SCOPED_TRACE(static_cast<int>(command));
        QAction* launcher = e.window.commandAction(command);
        launcher->trigger();
        EditorWindow* opened = e.window.editorWindow(command);
        ASSERT_NE(opened, nullptr);
        EXPECT_TRUE(opened->isWindow() && opened->isVisible() && !opened->isModal() && opened->isEditing());
        launcher->trigger();
        EXPECT_EQ(e.window.editorWindow(command), opened);
    }
    EXPECT_EQ(e.window.metatileEditor()->objectSet(), e.area().id.objectSet);
    EXPECT_TRUE(e.dialogs.messages.isEmpty());
    EXPECT_EQ(e.history().index(), 0);
}

TEST(EditorWindows, BothEditorsOfOneSharedBankSeeEachOtherAndBothEditsAreSaved)
{
    // Object set 1 draws its sprites from object set 0's background bank.
    OpenedEditor e([](SyntheticWorld& world, const std::string&) {
        world.rom.body()[layout::kChrBankTable + 2 * 1 + 1] = kSyntheticBackgroundBanks[0];
    });
    e.load(e.submapWhere([](const rom::AreaId& id) { return id.objectSet == 0; }));
    e.window.openMetatileEditor();
    e.window.openSpriteEditor();
    TileKit& background = *e.window.metatileEditor()->tileKit();
    TileKit& sprites = *e.window.spriteEditor()->tileKit();
    e.window.spriteEditor()->objectSetList()->setCurrentIndex(1);
    ASSERT_EQ(sprites.bankStart(), background.bankStart());

    const int a = 0x21, b = 0x42;
    const std::uint8_t paintA = (pixelOf(background.tiles(), a, 2, 3) + 1) & 3;
    const std::uint8_t paintB = (pixelOf(background.tiles(), b, 5, 6) + 1) & 3;
    OpenedEditor::selectTile(background, a);
    OpenedEditor::strokeTile(background, {{2, 3}}, paintA);
    EXPECT_EQ(pixelOf(sprites.tiles(), a, 2, 3), paintA); // at once, in the other window
    OpenedEditor::selectTile(sprites, b);
    OpenedEditor::strokeTile(sprites, {{5, 6}}, paintB);
    EXPECT_EQ(pixelOf(background.tiles(), b, 5, 6), paintB);
    EXPECT_EQ(pixelOf(background.tiles(), a, 2, 3), paintA);

    e.window.metatileEditor()->close();
    e.window.spriteEditor()->close();
    ASSERT_TRUE(e.window.saveFile());
    session::Document saved;
    ASSERT_EQ(saved.open(e.path), rom::OpenResult::Loaded);
    const gfx::TilePixels tiles = gfx::decodeTiles(saved.rom(), rom::bgChrBase(saved.rom(), 0), 256);
    EXPECT_EQ(pixelOf(tiles, a, 2, 3), paintA);
    EXPECT_EQ(pixelOf(tiles, b, 5, 6), paintB);
}

TEST(EditorWindows, TheMapShowsAnEditorsColourAtOnceAndUndoBringsItBack)
{
    OpenedEditor e;
    e.load(e.submapWhere([&](const rom::AreaId& id) {
        const auto& sets = e.world.game.submap(id).dayPaletteSets;
        return sets[0] != sets[1];
    }));
    e.window.setEditMode(EditMode::Pointer);
    const QImage before = e.window.workspace()->mapView()->picture();
    e.window.openPaletteEditor();
    PaletteEditor* palette = e.window.paletteEditor();
    for (int entry = 0; entry < 4; ++entry) {
        click(palette->masterCell((e.area().palette[static_cast<std::size_t>(entry)] + 0x11) & 0x3F), QPoint(2, 2));
        click(palette->paletteCell(entry), QPoint(2, 2));
    }
    EXPECT_NE(e.window.workspace()->mapView()->picture(), before);
    for (int entry = 0; entry < 4; ++entry)
        e.window.undoStep();
    EXPECT_EQ(e.window.workspace()->mapView()->picture(), before);
    EXPECT_EQ(e.window.editMode(), EditMode::Pointer);
}

TEST(EditorWindows, ExitClosesEveryWindowInOrderBeforeAskingToSaveOnce)
{
    OpenedEditor e(OpenedEditor::withMask(0x41)); // show bits clear: the palette editor's closing write is a change
    for (Command command : {Command::PaletteEditor, Command::MetatileEditor, Command::MapInfo, Command::SpriteEditor})
        e.window.openEditor(command);
    SpriteEditor* sprites = e.window.spriteEditor();
    sprites->playButton()->click();
    CloseRecorder recorder;
    for (QWidget* w : std::initializer_list<QWidget*>{sprites, e.window.mapInfo(), e.window.metatileEditor(),
                                                       e.window.paletteEditor()})
        w->installEventFilter(&recorder);
    e.dialogs.saveChoices.push_back(SaveChoice::Discard);
    e.window.exitProgram();
    EXPECT_EQ(recorder.closed, (QStringList{"frmAnimationEdit", "frmAreaInfo", "frmMetatileEdit", "frmPaletteEdit"}));
    EXPECT_FALSE(sprites->isPlaying());
    EXPECT_EQ(e.body()[layout::kPpuMaskByte], 0x5F); // written before the question
    EXPECT_EQ(e.dialogs.saveQuestions, 1);
}

TEST(EditorWindows, AnotherImageOpensOnceTheWindowsCloseAndStartsClean)
{
    OpenedEditor e(OpenedEditor::withMask(0x41));
    for (Command command : {Command::PaletteEditor, Command::MetatileEditor, Command::TextEditor})
        e.window.openEditor(command);
    TextEditor* texts = e.window.textEditor();
    texts->textList()->setCurrentRow(1);
    texts->textBox()->setText(QString(300, QChar('Q'))); // more than the block holds
    SyntheticWorld other;
    putTextBlock(other.rom, {textBytes("OTHER GAME")});
    other.writeFile(e.dir.file("other.nes"));

    // Text kept that is not written keeps the image; dropped, the other
    // comes (after "Save changes?" for the palette editor's closing write).
    for (bool drop : {false, true}) {
        e.dialogs.filesToOpen.push_back(QString::fromStdString(e.dir.file("other.nes")));
        e.dialogs.yesNoAnswers = {drop};
        e.dialogs.saveChoices = {SaveChoice::Discard};
        e.window.openFile();
        EXPECT_EQ(e.document().romPath(), drop ? e.dir.file("other.nes") : e.path);
        EXPECT_EQ(texts->isVisible(), !drop);
    }
    EXPECT_FALSE(e.window.paletteEditor()->isVisible());
    EXPECT_EQ(e.body(), other.rom.body()); // nothing of the first image's windows reached it
    EXPECT_EQ(e.history().count(), 0);
    EXPECT_FALSE(e.captionMarked());
    e.window.openTextEditor();
    EXPECT_EQ(texts->textBox()->text(), "OTHER GAME");
}
