// What the chooser offers against the limit byte, the status bar's notes and
// hover words, and the map tools' smaller answers.
#include "OpenedEditor.h"

#include "core/gfx/Metatiles.h"
#include "core/rom/Hex.h"
#include "ui/shell/MapExports.h"
#include "ui/shell/MapHover.h"
#include "ui/MapBlockActions.h"
#include "ui/StatusLine.h"
#include "ui/map/MetatilePicker.h"
#include "ui/tools/MapSelection.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {
QPoint chooserBlock(int metatile) { return {(metatile % 8) * 32 + 9, (metatile / 8) * 32 + 9}; }
QString hex2(int value) { return QString::fromStdString(hexDigits(static_cast<std::uint32_t>(value), 2)); }
} // namespace

TEST(OfferedMetatiles, ChooserPasteAndFillTakeExactlyWhatTheLimitByteOffers)
{
    OpenedEditor e;
    const rom::AreaId id = e.area().id;
    MapBlockActions& blocks = *e.window.mapBlocks();
    QWidget* chooser = e.window.workspace()->picker()->chooser();
    // Every object set has room for fewer than 72 metatiles: the limit
    // byte alone decides, 0 to max(0, min(L - 2, 71)).
    ASSERT_LT(gfx::metatileCapacity(id.objectSet), 72);
    const int cases[][2] = {{0, 0}, {1, 0}, {2, 0}, {72, 70}, {73, 71}, {255, 71}};
    for (const auto& [limit, last] : cases) {
        SCOPED_TRACE(limit);
        e.document().rom().write(gfx::metatileLimitIndex(id.objectSet), static_cast<std::uint8_t>(limit));
        e.load(id);
        click(chooser, chooserBlock(0x44));
        EXPECT_EQ(e.window.workspace()->selectedMetatile(), std::min(0x44, last));
        click(chooser, chooserBlock(71));
        EXPECT_EQ(e.window.workspace()->selectedMetatile(), last);
        e.window.setEditMode(EditMode::Fill);
        e.clickMap({40, 40});
        EXPECT_EQ(session::metatileAt(e.area().map, {1, 1}), last);
        // A pasted block: the last offered number is placed, the next refused.
        QGuiApplication::clipboard()->setText(hex2(last) + QStringLiteral("\n"));
        blocks.pasteAction()->trigger();
        e.clickMap({5, 5});
        EXPECT_EQ(session::metatileAt(e.area().map, {0, 0}), last);
        blocks.deselectAction()->trigger();
        QGuiApplication::clipboard()->setText(hex2(last + 1) + QStringLiteral("\n"));
        blocks.pasteAction()->trigger();
        EXPECT_TRUE(e.dialogs.lastMessage().contains(QStringLiteral("metatile %1 is not offered").arg(hex2(last + 1))));
    }
}

TEST(StatusBar, NotesEndAtTheNextLoadOpenOrOtherEditAndKeepApartFromHoverWords)
{
    OpenedEditor e;
    StatusLine& status = *e.window.statusLine();
    e.edit();
    e.window.undoStep();
    EXPECT_TRUE(e.window.statusNote().startsWith(QStringLiteral("Undone: "))) << e.window.statusNote().toStdString();
    // Hover words go to their own place and leave the note alone.
    e.window.hover()->showHover({10, 10});
    EXPECT_FALSE(status.hover().isEmpty());
    EXPECT_TRUE(e.window.statusNote().startsWith(QStringLiteral("Undone: ")));
    e.edit(); // an edit the note does not describe
    EXPECT_TRUE(e.window.statusNote().isEmpty()) << e.window.statusNote().toStdString();

    // A fill that changes nothing says so, until the next load.
    e.window.setEditMode(EditMode::Fill);
    ASSERT_TRUE(e.window.workspace()->chooseMetatile(session::metatileAt(e.area().map, {2, 2})));
    e.clickMap({2 * 32 + 5, 2 * 32 + 5});
    EXPECT_TRUE(e.window.statusNote().startsWith(QStringLiteral("Nothing to fill"))) << e.window.statusNote().toStdString();
    EXPECT_EQ(e.history().count(), 1);
    e.load(e.submapWhere([&](const rom::AreaId& id) { return !(id == e.area().id); }));
    EXPECT_TRUE(e.window.statusNote().isEmpty());

    // And an Open ends a note too.
    e.window.undoStep();
    ASSERT_FALSE(e.window.statusNote().isEmpty());
    e.dialogs.filesToOpen.push_back(QString::fromStdString(e.path));
    e.window.openFile();
    EXPECT_TRUE(e.window.statusNote().isEmpty()) << e.window.statusNote().toStdString();
}

TEST(MapBlocks, AClickBesideOrBelowTheMapClearsTheSelection)
{
    OpenedEditor e;
    MapBlockActions& blocks = *e.window.mapBlocks();
    e.window.setEditMode(EditMode::Select);
    for (const QPoint outside : {QPoint(e.area().mapWidth() + 20, 40), QPoint(40, e.area().mapHeight() + 20)}) {
        blocks.selectAllAction()->trigger();
        ASSERT_TRUE(blocks.selection().rect());
        e.clickMap(outside);
        EXPECT_FALSE(blocks.selection().rect()) << outside.x() << "," << outside.y();
    }
}

TEST(UndoHistory, TheWindowTakesTheKeyboardWhenItOpensAndEscapeClosesIt)
{
    OpenedEditor e;
    e.window.show();
    e.window.showUndoHistory();
    QApplication::processEvents();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_TRUE(focused && focused->window()->objectName() == QStringLiteral("undoHistory"));
    QWidget* history = focused->window();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(focused, &escape);
    EXPECT_FALSE(history->isVisible());
}
