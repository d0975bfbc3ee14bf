#include "ui/map/GridLines.h"
#include "ui/map/MapView.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace quarry::ui;

TEST(MapViewScrolling, RangesFollowTheMapSize)
{
    MapView view;
    view.setupScrollBars(2, 2);
    EXPECT_FALSE(view.horizontalBar()->isEnabled());
    EXPECT_FALSE(view.verticalBar()->isEnabled());
    EXPECT_EQ(view.scrollOffset(), QPoint(0, 0));

    view.setupScrollBars(3, 4);
    EXPECT_TRUE(view.horizontalBar()->isEnabled());
    EXPECT_EQ(view.horizontalBar()->maximum(), 256);
    EXPECT_EQ(view.verticalBar()->maximum(), 448);
    view.horizontalBar()->setValue(200);
    view.verticalBar()->setValue(100);
    EXPECT_EQ(view.scrollOffset(), QPoint(200, 100));

    // A new load starts at the top-left corner.
    view.setupScrollBars(5, 1);
    EXPECT_EQ(view.scrollOffset(), QPoint(0, 0));
    EXPECT_EQ(view.horizontalBar()->maximum(), 768);
    EXPECT_FALSE(view.verticalBar()->isEnabled());
}

TEST(MapViewScrolling, PressesMapThroughTheScrollOffset)
{
    MapView view;
    view.setPicture(QImage(768, 448, QImage::Format_RGBX8888));
    view.setupScrollBars(3, 2);
    view.horizontalBar()->setValue(100);
    QPoint pressed(-1, -1);
    QObject::connect(&view, &MapView::mapPressed, [&](QPoint pixel, Qt::MouseButton) { pressed = pixel; });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), QPointF(10, 20), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &press);
    EXPECT_EQ(pressed, QPoint(110, 20));
}

TEST(GridLines, CountsAndEdges)
{
    GridLines grid;
    grid.build(1, 1, true, false);
    EXPECT_EQ(grid.lines(GridLines::MetatileVertical).size(), 8u);
    EXPECT_EQ(grid.lines(GridLines::MetatileHorizontal).size(), 7u);
    EXPECT_EQ(grid.lines(GridLines::ScreenVertical).size(), 2u);
    EXPECT_EQ(grid.lines(GridLines::ScreenHorizontal).size(), 2u);
    // The metatile grid has no line on the outer right edge; the screen grid has.
    EXPECT_EQ(grid.lines(GridLines::MetatileVertical).back().x1, 224);
    EXPECT_EQ(grid.lines(GridLines::ScreenVertical).back().x1, 256);
    EXPECT_EQ(grid.lines(GridLines::ScreenHorizontal).back().y1, 224);
    EXPECT_TRUE(grid.lines(GridLines::MetatileVertical)[0].visible);
    EXPECT_FALSE(grid.lines(GridLines::ScreenVertical)[0].visible);
}

TEST(GridLines, LinesLeftFromALargerMapStayUntilHidden)
{
    GridLines grid;
    grid.build(5, 1, true, false);
    grid.build(2, 1, true, false);
    const auto& vertical = grid.lines(GridLines::MetatileVertical);
    ASSERT_EQ(vertical.size(), 40u);
    EXPECT_EQ(vertical[20].x1, 640); // placed for the 5-wide map, untouched since
    EXPECT_TRUE(vertical[20].visible);
    EXPECT_EQ(vertical[15].y2, 224);

    grid.showNone();
    for (int array = 0; array < GridLines::kArrayCount; ++array)
        for (const auto& line : grid.lines(static_cast<GridLines::Array>(array)))
            EXPECT_FALSE(line.visible);

    grid.showScreenGrid(true);
    EXPECT_TRUE(grid.lines(GridLines::ScreenVertical)[5].visible);
    EXPECT_FALSE(vertical[0].visible);
}

TEST(GridLines, LeftOverLinesAreNotSeenAroundASmallerMap)
{
    MapView view;
    view.resize(1000, 520);
    QImage picture(512, 224, QImage::Format_RGB32);
    picture.fill(Qt::black);
    view.setPicture(picture);
    view.setupScrollBars(2, 1);
    view.grid().build(5, 2, true, false);
    view.grid().build(2, 1, true, false);
    view.grid().setBlueLevel(200);
    view.refreshGrid();
    const QImage shot = view.viewport()->grab().toImage();
    const QColor line(0, 0, 200);
    EXPECT_EQ(shot.pixelColor(32, 100), line); // the map's own line
    EXPECT_NE(shot.pixelColor(608, 100), line); // a 5-wide map's, right of the picture
    EXPECT_NE(shot.pixelColor(100, 288), line); // a 2-high map's, below it
}

TEST(GridLines, ColourAppliesToOldAndNewLines)
{
    GridLines grid;
    grid.build(1, 1, false, true);
    grid.setBlueLevel(128);
    grid.build(3, 2, false, true); // new lines take the colour of the first
    for (int array = 0; array < GridLines::kArrayCount; ++array)
        for (const auto& line : grid.lines(static_cast<GridLines::Array>(array)))
            EXPECT_EQ(line.blue, 128);
    grid.setBlueLevel(999);
    EXPECT_EQ(grid.lines(GridLines::ScreenVertical)[3].blue, 255);
}
