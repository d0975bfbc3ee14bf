#pragma once

#include "ScriptedDialogs.h"

#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticText.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/UndoHistory.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/Swatch.h"
#include "ui/editors/TileKit.h"
#include "ui/map/MapView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::test {

// Mouse gestures delivered straight to a widget, at widget positions (which
// may lie outside it, as while a button is held).
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}
inline void press(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton) { sendMouse(w, QEvent::MouseButtonPress, at, b, b); }
inline void move(QWidget* w, QPoint at, Qt::MouseButtons held) { sendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held); }
inline void release(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
}
inline void click(QWidget* w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
{
    press(w, at, b);
    release(w, at, b);
}

using Prepare = std::function<void(SyntheticWorld&, const std::string& datDir)>;

// The editor's main window, started with a scripted dialog double, with a
// whole synthetic image opened as "Open File" opens it; the first submap of
// the tree is loaded and the messages shown so far are cleared. With `open`
// false the window stays as started, before any image. Every UI test starts
// from here.
struct OpenedEditor {
    TempDir dir;
    SyntheticWorld world;
    ScriptedDialogs dialogs;
    std::string path = dir.file("game.nes");
    ui::MainWindow window{dialogs, QString::fromStdString(dir.file("dat"))};

    // `prepare` may change the image before it is written and fill the dat folder.
    explicit OpenedEditor(const Prepare& prepare = {}, bool open = true)
    {
        if (prepare)
            prepare(world, dir.file("dat"));
        world.writeFile(path);
        window.startUp();
        window.document().sideData().charTable = defaultTextTable();
        if (!open)
            return;
        dialogs.filesToOpen.push_back(QString::fromStdString(path));
        window.openFile();
        if (!window.document().area())
            throw std::runtime_error("the synthetic image did not open");
        dialogs.messages.clear();
    }
    // An image whose PPU mask byte is `mask`.
    static Prepare withMask(std::uint8_t mask)
    {
        return [mask](SyntheticWorld& w, const std::string&) { w.rom.body()[layout::kPpuMaskByte] = mask; };
    }

    session::Document& document() { return window.document(); }
    const session::LoadedArea& area() { return *window.document().area(); }
    const std::vector<std::uint8_t>& body() { return window.document().rom().body(); }
    QUndoStack& history() { return *window.history()->stack(); }
    bool captionMarked() const { return window.windowTitle().startsWith(QLatin1Char('*')); }
    // The body indexes whose bytes differ from `before`.
    std::vector<std::size_t> changedSince(const std::vector<std::uint8_t>& before)
    {
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (body()[i] != before[i])
                changed.push_back(i);
        return changed;
    }

    // A change through the document: the top left cell takes another metatile.
    void edit() { document().paintCell(0, 0, static_cast<std::uint8_t>(area().map.mapGrid[0] ^ 1)); }
    // The body of the file at `file` (the image's own file by default).
    std::vector<std::uint8_t> fileBody(const std::string& file = {})
    {
        const std::vector<std::uint8_t> bytes = readFileBytes(file.empty() ? path : file);
        return {bytes.begin() + 16, bytes.end()};
    }

    static QString keyOf(const rom::AreaId& id) { return QString::fromStdString(world::findSubmap(id)->key); }
    // Loads a submap as a click on its tree node does.
    void load(const rom::AreaId& id) { window.loadArea(keyOf(id)); }
    // The first submap of the tree whose synthetic data satisfies `wanted`.
    static rom::AreaId submapWhere(const std::function<bool(const rom::AreaId&)>& wanted)
    {
        for (const rom::AreaId& id : world::catalogueSubmaps())
            if (wanted(id))
                return id;
        throw std::runtime_error("no such submap");
    }

    // Mouse gestures on the map, at map pixels (the view's zoom and scroll
    // are taken into account as a user's pointer would be).
    QWidget* mapViewport() { return window.workspace()->mapView()->viewport(); }
    QPoint onScreen(QPoint mapPixel) { return window.workspace()->mapView()->toViewport(mapPixel); }
    void clickMap(QPoint mapPixel) { click(mapViewport(), onScreen(mapPixel)); }
    // Press at `from`, move through `via`, release at the last point.
    void dragMap(QPoint from, std::initializer_list<QPoint> via)
    {
        press(mapViewport(), onScreen(from));
        QPoint last = from;
        for (QPoint point : via)
            move(mapViewport(), onScreen(last = point), Qt::LeftButton);
        release(mapViewport(), onScreen(last));
    }

    // Gestures on a tile kit, as a pointer makes them at the views' zoom:
    // the widget pixel in the middle of a logical pixel.
    static QPoint onView(const ui::PixelView* view, int x, int y)
    {
        const int factor = view->displayScale() * view->zoom();
        return QPoint(x, y) * factor + QPoint(factor / 2, factor / 2);
    }
    static QPoint tilePixel(const ui::TileKit& kit, int c, int r) { return onView(kit.tileView(), c * 8 + 4, r * 8 + 4); }
    static QPoint tableTile(const ui::TileKit& kit, int tile)
    {
        return onView(kit.patternTableView(), (tile % 16) * 16 + 4, (tile / 16) * 16 + 4);
    }
    // A click on a tile of the pattern table selects it (and copies nothing).
    static void selectTile(ui::TileKit& kit, int tile) { click(kit.patternTableView(), tableTile(kit, tile)); }
    // One stroke through pixels (column, row) of the selected tile, in
    // colour `colour` when given.
    static void strokeTile(ui::TileKit& kit, std::initializer_list<QPoint> pixels, int colour = -1,
                           Qt::MouseButton button = Qt::LeftButton)
    {
        if (colour >= 0)
            press(kit.colorSwatch(colour), QPoint(2, 2), button);
        QPoint last = *pixels.begin();
        press(kit.tileView(), tilePixel(kit, last.x(), last.y()), button);
        for (QPoint pixel : pixels)
            move(kit.tileView(), tilePixel(kit, (last = pixel).x(), pixel.y()), button);
        release(kit.tileView(), tilePixel(kit, last.x(), last.y()), button);
    }
};

} // namespace quarry::test
