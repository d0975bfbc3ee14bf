#pragma once

#include "core/session/Document.h"
#include "ui/tools/BlockTools.h"
#include "ui/tools/MapTool.h"

namespace quarry::ui {

class AreaWorkspace;
class Dialogs;
class RomDocument;

// Map Edit Mode: a press paints the chosen metatile into the cell under the
// pointer (any button); with the brush on, a drag paints every cell it
// crosses. Press to release is one step of the history.
class PaintTool final : public MapTool {
public:
    // `written` hears of the cells the stroke has painted so far, after
    // each cell.
    PaintTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace, CellsWritten written = {});

    MapToolInfo info() const override { return {QStringLiteral("M"), QStringLiteral("Map Edit Mode"), Qt::Key_M}; }

    void press(QPoint mapPixel, Qt::MouseButton button) override;
    void move(QPoint mapPixel) override;
    void release(QPoint mapPixel, Qt::MouseButton button) override;
    void finishGesture() override;
    bool picksWithAlt() const override { return true; }
    QCursor cursor() const override { return Qt::CrossCursor; }

private:
    // Paints one cell; false when the edit failed (the stroke ends then).
    bool paintAt(QPoint mapPixel);
    // Asks, when the cell's screen shows elsewhere; false for Cancel.
    bool mayPaint(QPoint mapPixel, bool* asked = nullptr);

    RomDocument& document_;
    Dialogs& dialogs_;
    AreaWorkspace& workspace_;
    CellsWritten written_;
    session::Document::CellEdit stroke_; // the cells painted since the press
    bool stroking_ = false;
    QPoint last_;
};

// Pointer Edit Mode: a press asks for a new pointer for the screen under the
// pointer and writes it.
class PointerTool final : public MapTool {
public:
    PointerTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace);

    MapToolInfo info() const override
    {
        return {QStringLiteral("P"), QStringLiteral("Pointer Edit Mode"), Qt::Key_P};
    }

    void press(QPoint mapPixel, Qt::MouseButton button) override;
    QCursor cursor() const override { return Qt::PointingHandCursor; }

private:
    RomDocument& document_;
    Dialogs& dialogs_;
    AreaWorkspace& workspace_;
};

// Tile Solidity Mode: the map only shows; a press changes nothing.
class ViewOnlyTool final : public MapTool {
public:
    MapToolInfo info() const override
    {
        return {QStringLiteral("T"), QStringLiteral("Tile Solidity Mode"), Qt::Key_T};
    }
    void press(QPoint, Qt::MouseButton) override {}
};

} // namespace quarry::ui
