#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace quarry::ui {

class CommandTable;

class AreaWorkspace;
class RomDocument;
class SolidityLayer;
class WorldController;

// The View menu's layers, each a checkable action with a stable name:
// actors and stairs in every mode, the grid, shared screens and the
// solidity overlay. Markers of another mode are off by default and are
// only dragged in their own mode.
class ViewLayers : public QObject {
    Q_OBJECT

public:
    ViewLayers(CommandTable& commands, RomDocument& document, WorldController& world, AreaWorkspace& workspace,
               QAction* sharedScreens, QObject* parent = nullptr);

    QAction* actors() const { return actors_; }
    QAction* stairs() const { return stairs_; }
    QAction* grid() const { return grid_; }
    QAction* solidity() const { return solidity_; }
    SolidityLayer* solidityLayer() const { return solidityLayer_; }

private:
    void connectGrid(AreaWorkspace& workspace);

    QAction* actors_ = nullptr;
    QAction* stairs_ = nullptr;
    QAction* grid_ = nullptr;
    QAction* solidity_ = nullptr;
    SolidityLayer* solidityLayer_ = nullptr;
    bool screenGridLast_ = false; // the grid the Grid layer brings back
};

} // namespace quarry::ui
