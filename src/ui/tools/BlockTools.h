#pragma once

#include "core/session/Document.h"
#include "core/session/MapBlocks.h"
#include "ui/tools/MapTool.h"

#include <QString>

#include <functional>
#include <optional>

namespace quarry::ui {

class AreaWorkspace;
class Dialogs;
class MapSelection;
class MapView;
class RomDocument;

// What the block tools tell the user: a refusal or where else an edit
// shows, in the status bar.
using StatusNote = std::function<void(const QString&)>;
// What a tool reports after it wrote cells.
using CellsWritten = std::function<void(const session::Document::CellEdit&)>;

// Select tool: a drag chooses a rectangle of cells (shown while dragging);
// a click outside the selection clears it, a click inside keeps it.
class SelectTool final : public MapTool {
public:
    SelectTool(RomDocument& document, MapSelection& selection);

    MapToolInfo info() const override { return {QStringLiteral("R"), QStringLiteral("Select Tool"), Qt::Key_R}; }

    void press(QPoint mapPixel, Qt::MouseButton button) override;
    void move(QPoint mapPixel) override;
    void release(QPoint mapPixel, Qt::MouseButton button) override;
    void finishGesture() override { dragging_ = false; }
    bool picksWithAlt() const override { return true; }
    QCursor cursor() const override { return Qt::CrossCursor; }

private:
    RomDocument& document_;
    MapSelection& selection_;
    bool dragging_ = false;
    bool moved_ = false;
    QPoint pressPixel_;
    session::MapCell anchor_;
};

// Fill tool: a press fills the region of like cells around the cell with
// the chosen metatile, inside the selection where there is one.
class FillTool final : public MapTool {
public:
    FillTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace, MapSelection& selection,
             CellsWritten written, StatusNote note);

    MapToolInfo info() const override { return {QStringLiteral("F"), QStringLiteral("Fill Tool"), Qt::Key_F}; }

    void press(QPoint mapPixel, Qt::MouseButton button) override;
    bool picksWithAlt() const override { return true; }
    QCursor cursor() const override { return Qt::CrossCursor; }

private:
    RomDocument& document_;
    Dialogs& dialogs_;
    AreaWorkspace& workspace_;
    MapSelection& selection_;
    CellsWritten written_;
    StatusNote note_;
};

// Eyedropper: a press chooses the metatile under the pointer.
class PickTool final : public MapTool {
public:
    explicit PickTool(std::function<void(QPoint)> pick) : pick_(std::move(pick)) {}
    MapToolInfo info() const override { return {QStringLiteral("I"), QStringLiteral("Eyedropper"), Qt::Key_I}; }
    void press(QPoint mapPixel, Qt::MouseButton) override { pick_(mapPixel); }
    QCursor cursor() const override { return Qt::PointingHandCursor; }

private:
    std::function<void(QPoint)> pick_;
};

// Paste: the block floats under the pointer, snapped to cells, and each
// press places it there (one step each) until Escape.
class StampTool final : public MapTool {
public:
    StampTool(RomDocument& document, Dialogs& dialogs, MapView& view, CellsWritten written);

    // Chosen by Paste, not by a key of its own.
    MapToolInfo info() const override { return {QStringLiteral("V"), QStringLiteral("Paste"), {}}; }

    void setBlock(const session::MetatileBlock& block) { block_ = block; }
    const session::MetatileBlock& block() const { return block_; }
    // The cell the block's top-left cell would go to.
    std::optional<session::MapCell> placement() const { return at_; }

    void deactivate() override { at_.reset(); }
    void press(QPoint mapPixel, Qt::MouseButton button) override;
    void hover(QPoint mapPixel) override;
    void paintOverlay(QPainter& painter) const override;
    QCursor cursor() const override { return Qt::CrossCursor; }

private:
    RomDocument& document_;
    Dialogs& dialogs_;
    MapView& view_;
    CellsWritten written_;
    session::MetatileBlock block_;
    std::optional<session::MapCell> at_;
};

} // namespace quarry::ui
