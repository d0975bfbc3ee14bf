#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/gfx/NesColor.h"
#include "support/SyntheticRom.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"

#include <QFile>
#include <QPushButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace quarry;
using namespace quarry::ui;
using namespace quarry::test;

namespace {

gfx::TilePixels distinctTiles()
{
    gfx::TilePixels tiles(256 * 64);
    for (std::size_t t = 0; t < 256; ++t)
        for (std::size_t i = 0; i < 64; ++i)
            tiles[t * 64 + i] = static_cast<std::uint8_t>((t * 7 + i * (t % 5 + 1) + i / 8) & 3);
    return tiles;
}

// Four different colours in every palette, or, with `twin`, palette 0 holds
// one colour twice.
gfx::AreaPalette paletteOf(bool twin = false)
{
    gfx::AreaPalette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>(0x01 + 0x11 * (i % 3) + i / 4);
    palette[0] = 0x0F;
    palette[1] = 0x16;
    palette[2] = twin ? 0x16 : 0x2A;
    palette[3] = 0x30;
    return palette;
}

struct Kit {
    TempDir dir;
    ScriptedDialogs dialogs;
    TileKit kit{0};
    int changes = 0;

    explicit Kit(gfx::TilePixels tiles = distinctTiles(), bool twin = false)
    {
        kit.setDialogs(&dialogs);
        kit.setUp(std::move(tiles), paletteOf(twin), {});
        QObject::connect(&kit, &TileKit::tileChanged, [this] { ++changes; });
    }
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    QString exportTo(const char* name)
    {
        dialogs.filesToSave.push_back(file(name));
        kit.exportButton()->click();
        return file(name);
    }
    void importFrom(const QString& path)
    {
        dialogs.filesToOpen.push_back(path);
        kit.importButton()->click();
    }
};

void wheel(QWidget* widget, int notches, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(TileKitPicture, ExportThenImportGivesTheSameTiles)
{
    for (bool twin : {false, true}) {
        SCOPED_TRACE(twin ? "palette with one colour twice" : "four colours");
        Kit source(distinctTiles(), twin);
        source.kit.stepPalette(twin ? 0 : 2); // the current palette is the one written
        const QString path = source.exportTo("bank.png");
        ASSERT_TRUE(source.dialogs.messages.isEmpty()) << source.dialogs.lastMessage().toStdString();

        QImage written(path);
        ASSERT_EQ(written.size(), QSize(128, 128));
        EXPECT_EQ(written.format(), QImage::Format_Indexed8);
        const auto colors = source.kit.colors();
        const auto& palette = source.kit.palette();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(written.color(i) & 0xFFFFFFu,
                      QColor(toQColor(colors[palette[static_cast<std::size_t>(4 * source.kit.paletteNumber() + i)]])).rgb() & 0xFFFFFFu);

        Kit target(gfx::TilePixels(256 * 64, 0), twin);
        target.kit.stepPalette(twin ? 0 : 2);
        target.importFrom(path);
        EXPECT_TRUE(target.dialogs.messages.isEmpty()) << target.dialogs.lastMessage().toStdString();
        EXPECT_EQ(target.kit.tiles(), source.kit.tiles());
        EXPECT_EQ(target.changes, 1);
    }

    // A plain RGB picture in the palette's colours reads the same way.
    Kit source;
    const QString path = source.exportTo("bank.png");
    QImage(path).convertToFormat(QImage::Format_RGB32).save(source.file("rgb.png"));
    Kit target(gfx::TilePixels(256 * 64, 0));
    target.importFrom(source.file("rgb.png"));
    EXPECT_TRUE(target.dialogs.messages.isEmpty());
    EXPECT_EQ(target.kit.tiles(), source.kit.tiles());
}

TEST(TileKitPicture, RefusesWrongSizeForeignColoursAndUnreadableFilesChangingNothing)
{
    Kit k;
    const QString good = k.exportTo("bank.png");
    const gfx::TilePixels before = k.kit.tiles();

    QImage(good).copy(0, 0, 128, 120).save(k.file("short.png"));
    k.importFrom(k.file("short.png"));
    EXPECT_TRUE(k.dialogs.lastMessage().contains("128 x 120")) << k.dialogs.lastMessage().toStdString();

    QImage foreign = QImage(good).convertToFormat(QImage::Format_RGB32);
    foreign.setPixel(77, 3, qRgb(1, 2, 3));
    foreign.save(k.file("foreign.png"));
    k.importFrom(k.file("foreign.png"));
    EXPECT_TRUE(k.dialogs.lastMessage().contains("#010203 at 77, 3")) << k.dialogs.lastMessage().toStdString();

    // Half-transparent pixels are not palette colours either.
    QImage alpha = QImage(good).convertToFormat(QImage::Format_ARGB32);
    alpha.setPixel(0, 127, qRgba(qRed(alpha.pixel(0, 127)), qGreen(alpha.pixel(0, 127)), qBlue(alpha.pixel(0, 127)), 100));
    alpha.save(k.file("alpha.png"));
    k.importFrom(k.file("alpha.png"));
    EXPECT_TRUE(k.dialogs.lastMessage().contains("at 0, 127")) << k.dialogs.lastMessage().toStdString();

    QFile text(k.file("notes.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    k.importFrom(k.file("notes.png"));
    EXPECT_TRUE(k.dialogs.lastMessage().startsWith("Cannot read the picture")) << k.dialogs.lastMessage().toStdString();

    EXPECT_EQ(k.dialogs.messages.size(), 4);
    EXPECT_EQ(k.kit.tiles(), before);
    EXPECT_EQ(k.changes, 0);

    // Cancelled dialogs do nothing; a folder that cannot be written is reported.
    k.kit.importButton()->click();
    k.kit.exportButton()->click();
    EXPECT_EQ(k.dialogs.messages.size(), 4);
    k.dialogs.filesToSave.push_back(k.file("missing/folder/bank.png"));
    k.kit.exportButton()->click();
    EXPECT_TRUE(k.dialogs.lastMessage().startsWith("Cannot write the picture"));
}

TEST(PixelViewZoom, PositionsMapBackExactlyAtEveryZoom)
{
    PixelView view(QSize(64, 64), 2);
    EXPECT_EQ(view.maximumZoom(), 1);
    wheel(&view, 1, Qt::ControlModifier);
    EXPECT_EQ(view.zoom(), 1); // a view without zoom stays as laid out

    view.setMaximumZoom(4);
    std::vector<QPoint> pressed;
    QObject::connect(&view, &PixelView::pressed, [&](QPoint at, int) { pressed.push_back(at); });
    for (int zoom = 1; zoom <= 4; ++zoom) {
        SCOPED_TRACE(zoom);
        view.setZoom(zoom);
        const int factor = 2 * zoom;
        EXPECT_EQ(view.size(), QSize(64 * factor, 64 * factor));
        // The first and last widget pixel of logical pixel (13, 40), and the
        // pixel after it.
        for (const QPoint widget : {QPoint(13 * factor, 40 * factor), QPoint(14 * factor - 1, 41 * factor - 1)}) {
            pressed.clear();
            press(&view, widget);
            ASSERT_EQ(pressed.size(), 1u);
            EXPECT_EQ(pressed[0], QPoint(13, 40));
        }
        EXPECT_EQ(view.toLogical(QPointF(14 * factor, 41 * factor)), QPoint(14, 41));
        EXPECT_EQ(view.toLogical(QPointF(-1, -0.5)), QPoint(-1, -1));
    }

    // Ctrl+wheel steps within 1-4; the plain wheel leaves the zoom.
    view.setZoom(2);
    wheel(&view, 1, Qt::NoModifier);
    EXPECT_EQ(view.zoom(), 2);
    wheel(&view, 1, Qt::ControlModifier);
    EXPECT_EQ(view.zoom(), 3);
    wheel(&view, 5, Qt::ControlModifier);
    EXPECT_EQ(view.zoom(), 4);
    wheel(&view, -9, Qt::ControlModifier);
    EXPECT_EQ(view.zoom(), 1);
}

TEST(PixelViewZoom, ZoomedKitPaintsAndSelectsWhatTheUnzoomedKitDoes)
{
    Kit plain(gfx::TilePixels(256 * 64, 0));
    Kit zoomed(gfx::TilePixels(256 * 64, 0));
    zoomed.kit.zoomViews(1);
    zoomed.kit.zoomViews(1);
    EXPECT_EQ(zoomed.kit.tileView()->zoom(), 3);
    EXPECT_EQ(zoomed.kit.patternTableView()->zoom(), 2); // the table stops at 512 pixels
    EXPECT_TRUE(zoomed.kit.zoomInButton()->isEnabled());
    zoomed.kit.zoomInButton()->click();
    EXPECT_EQ(zoomed.kit.tileView()->zoom(), 4);
    EXPECT_FALSE(zoomed.kit.zoomInButton()->isEnabled());
    zoomed.kit.zoomOutButton()->click();
    EXPECT_EQ(zoomed.kit.tileView()->zoom(), 3);
    EXPECT_EQ(zoomed.kit.patternTableView()->zoom(), 1);
    zoomed.kit.patternTableView()->setZoom(2);

    // Select tile $5B in both tables (the last widget pixel of its last
    // logical pixel), then paint the same pixels with a drag.
    press(plain.kit.patternTableView(), QPoint(0xB * 16 + 15, 5 * 16 + 15));
    press(zoomed.kit.patternTableView(), QPoint((0xB * 16 + 15) * 2 + 1, (5 * 16 + 15) * 2 + 1));
    EXPECT_EQ(plain.kit.selectedTile(), 0x5B);
    EXPECT_EQ(zoomed.kit.selectedTile(), 0x5B);
    for (Kit* k : {&plain, &zoomed}) {
        k->kit.chooseColor(3, 1);
        const int factor = 2 * k->kit.tileView()->zoom(); // widget pixels per logical pixel
        QWidget* view = k->kit.tileView();
        // Logical (63, 0) is tile pixel (7, 0); logical (8, 23) is (1, 2).
        press(view, QPoint(63 * factor + factor - 1, 0));
        move(view, QPoint(8 * factor, 23 * factor), Qt::LeftButton);
        release(view, QPoint(8 * factor, 23 * factor));
    }
    EXPECT_EQ(plain.kit.tiles()[0x5B * 64 + 0 * 8 + 7], 3);
    EXPECT_EQ(plain.kit.tiles()[0x5B * 64 + 2 * 8 + 1], 3);
    EXPECT_EQ(zoomed.kit.tiles(), plain.kit.tiles());
}
