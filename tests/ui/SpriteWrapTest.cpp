// Sprite positions that wrap as the game's do, the table's offsets, the keys
// that move a sprite, and what the table says about an attribute taken from
// the frame drawn before.
#include "OpenedEditor.h"

#include "support/SyntheticSprites.h"
#include "ui/editors/SpriteEditor.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

constexpr int kDxColumn = 8;
constexpr int kAttributeColumn = 7;

void key(QWidget* to, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, code, modifiers);
    QApplication::sendEvent(to, &event);
}

} // namespace

TEST(SpriteEditor, SpritesCrossTheReferenceColumnByDragKeysAndTable)
{
    OpenedEditor s;
    s.window.openSpriteEditor();
    SpriteEditor& e = *s.window.spriteEditor();
    e.frameBar()->setValue(kSyntheticExampleFrame);
    // Frame FF shares the data: the first press asks and drags nothing.
    press(e.frameView(), QPoint(170, 200));
    release(e.frameView(), QPoint(170, 200));
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 1);
    // Sprite 0 (X 40, dx $F8) covers view x 160-191: four view pixels a game
    // pixel. Dragged right across the reference column (X 48) and back.
    press(e.frameView(), QPoint(170, 200));
    ASSERT_EQ(e.selectedSprite(), 0);
    move(e.frameView(), QPoint(210, 200), Qt::LeftButton);
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0x02);
    move(e.frameView(), QPoint(178, 200), Qt::LeftButton);
    release(e.frameView(), QPoint(178, 200));
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0xFA);
    EXPECT_EQ(s.history().index(), 1);

    QTableWidget* table = e.spriteTable();
    EXPECT_EQ(table->item(0, kDxColumn)->text(), "-6 ($FA)");
    table->item(0, kDxColumn)->setText("0"); // the screen offset form
    ASSERT_EQ(e.frameSprites().sprites[0].dx, 0x00);
    EXPECT_EQ(table->item(0, kDxColumn)->text(), "0 ($00)");

    // Alt+arrows from the table, where plain arrows move between rows.
    key(table, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0xFF);
    key(e.frameBar(), Qt::Key_Right, Qt::AltModifier); // also from a scroll bar
    EXPECT_EQ(e.frameSprites().sprites[0].dx, 0x00);
    EXPECT_EQ(e.frameBar()->value(), kSyntheticExampleFrame);
    key(&e, Qt::Key_Left); // a plain arrow reaching the window from the picture
    EXPECT_EQ(table->item(0, kDxColumn)->text(), "-1 ($FF)");

    // The stored byte form, and refusals that leave the row as it was.
    table->item(0, kDxColumn)->setText("$F0");
    table->item(0, kDxColumn)->setText("208");
    EXPECT_TRUE(s.dialogs.lastMessage().contains("208"));
    EXPECT_EQ(table->item(0, kDxColumn)->text(), "-16 ($F0)");
    EXPECT_EQ(s.dialogs.messages.size(), 1); // the refusal
    EXPECT_EQ(s.dialogs.changeQuestions.size(), 1); // approved once for these frames
}

TEST(SpriteEditor, ARowCarryingTheAttributeOfTheFrameBeforeSaysWhatThePictureUses)
{
    OpenedEditor s;
    s.window.openSpriteEditor();
    SpriteEditor& e = *s.window.spriteEditor();
    e.frameBar()->setValue(kSyntheticCarryInFrame - 1);
    e.frameBar()->setValue(kSyntheticCarryInFrame);
    const int drawn = sprites::oamEntry(e.frameList(), 0).attribute;
    const QTableWidgetItem* row = e.spriteTable()->item(0, kAttributeColumn);
    EXPECT_EQ(row->text(), QString::asprintf("from before, drawn with $%02X", drawn));
    EXPECT_TRUE(row->toolTip().contains(QString::asprintf("$%02X", e.frameSprites().sprites[0].attribute)));
}
