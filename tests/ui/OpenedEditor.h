#pragma once

#include "MouseEvents.h"
#include "ScriptedDialogs.h"

#include "core/world/AreaCatalogue.h"
#include "support/SyntheticRom.h"
#include "support/SyntheticText.h"
#include "support/SyntheticWorld.h"
#include "ui/AreaTree.h"
#include "ui/MainWindow.h"
#include "ui/AreaWorkspace.h"
#include "ui/UndoHistory.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/TileKit.h"
#include "ui/map/MapView.h"

#include <QUndoStack>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarry::test {

// The editor's main window, started with a scripted dialog double, with a
// whole synthetic image opened as "Open File" opens it; the first submap of
// the tree is loaded. Messages shown so far are cleared. Every UI test
// starts from here.
struct OpenedEditor {
    TempDir dir;
    SyntheticWorld world;
    ScriptedDialogs dialogs;
    std::string path = dir.file("game.nes");
    ui::MainWindow window{dialogs, QString::fromStdString(dir.file("dat"))};

    // `prepare` may change the synthetic image before it is written, and
    // fill the dat folder the window reads its side files from.
    explicit OpenedEditor(const std::function<void(SyntheticWorld&)>& prepare = {})
        : OpenedEditor([&](SyntheticWorld& w, const std::string&) {
              if (prepare)
                  prepare(w);
          })
    {
    }
    explicit OpenedEditor(const std::function<void(SyntheticWorld&, const std::string& datDir)>& prepare)
    {
        prepare(world, dir.file("dat"));
        world.writeFile(path);
        window.startUp();
        window.document().sideData().charTable = defaultTextTable();
        dialogs.filesToOpen.push_back(QString::fromStdString(path));
        window.openFile();
        if (!window.document().area())
            throw std::runtime_error("the synthetic image did not open");
        dialogs.messages.clear();
    }

    session::Document& document() { return window.document(); }
    const session::LoadedArea& area() { return *window.document().area(); }
    const std::vector<std::uint8_t>& body() { return window.document().rom().body(); }
    QUndoStack& history() { return *window.history()->stack(); }
    // The body indexes whose bytes differ from `before`.
    std::vector<std::size_t> changedSince(const std::vector<std::uint8_t>& before)
    {
        std::vector<std::size_t> changed;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (body()[i] != before[i])
                changed.push_back(i);
        return changed;
    }

    // Loads a submap as a click on its tree node does.
    void load(const rom::AreaId& id)
    {
        const world::SubmapNode* node = world::findSubmap(id);
        if (!node)
            throw std::runtime_error("no such submap in the tree");
        window.loadArea(QString::fromStdString(node->key));
    }
    // The first submap of the tree whose synthetic data satisfies `wanted`.
    rom::AreaId submapWhere(const std::function<bool(const rom::AreaId&)>& wanted) const
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
    void clickMap(QPoint mapPixel, Qt::MouseButton button = Qt::LeftButton)
    {
        click(mapViewport(), onScreen(mapPixel), button);
    }
    // Press at `from`, move through `via`, release at the last point.
    void dragMap(QPoint from, std::initializer_list<QPoint> via)
    {
        press(mapViewport(), onScreen(from));
        QPoint last = from;
        for (QPoint point : via) {
            move(mapViewport(), onScreen(point), Qt::LeftButton);
            last = point;
        }
        release(mapViewport(), onScreen(last));
    }

    // Gestures on a tile kit, as a pointer makes them at the views' zoom:
    // the widget pixel in the middle of a logical pixel.
    static QPoint onView(const ui::PixelView* view, QPoint logical)
    {
        const int factor = view->displayScale() * view->zoom();
        return logical * factor + QPoint(factor / 2, factor / 2);
    }
    static QPoint tilePixel(const ui::TileKit& kit, int column, int row)
    {
        return onView(kit.tileView(), QPoint(column * 8 + 4, row * 8 + 4));
    }
    static QPoint tableTile(const ui::TileKit& kit, int tile)
    {
        return onView(kit.patternTableView(), QPoint((tile % 16) * 16 + 4, (tile / 16) * 16 + 4));
    }
    // A click on a tile of the pattern table selects it (and copies nothing).
    static void selectTile(ui::TileKit& kit, int tile) { click(kit.patternTableView(), tableTile(kit, tile)); }
    // One stroke through pixels (column, row) of the selected tile.
    static void strokeTile(ui::TileKit& kit, std::initializer_list<QPoint> pixels,
                           Qt::MouseButton button = Qt::LeftButton)
    {
        QPoint last = *pixels.begin();
        press(kit.tileView(), tilePixel(kit, last.x(), last.y()), button);
        for (QPoint pixel : pixels) {
            move(kit.tileView(), tilePixel(kit, pixel.x(), pixel.y()), button);
            last = pixel;
        }
        release(kit.tileView(), tilePixel(kit, last.x(), last.y()), button);
    }
};

} // namespace quarry::test
