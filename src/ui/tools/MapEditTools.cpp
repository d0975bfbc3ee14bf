#include "ui/tools/MapEditTools.h"

#include "core/session/MapBlocks.h"
#include "core/rom/Hex.h"
#include "core/session/PointerAnswer.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/map/SharedConsent.h"

#include <algorithm>
#include <cstdlib>

namespace quarry::ui {

namespace {
constexpr const char* kPointerPrompt = "New pointer: ($0000-$FFFF)";
// A drag is sampled finer than a cell, so no cell it crosses is skipped.
constexpr int kStrokeStep = 8;
} // namespace

PaintTool::PaintTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace, CellsWritten written)
    : document_(document), dialogs_(dialogs), workspace_(workspace), written_(std::move(written))
{
}

bool PaintTool::paintAt(QPoint mapPixel)
{
    const auto metatile = static_cast<std::uint8_t>(workspace_.selectedMetatile());
    return runGuarded(dialogs_, &workspace_, [&] {
        session::Document& document = document_.document();
        if (!document.paintCell(mapPixel.x(), mapPixel.y(), metatile) || !written_)
            return;
        const rom::AreaMap& map = document.area()->map;
        const session::MapCell cell = *session::cellAtPixel(map, mapPixel.x(), mapPixel.y());
        stroke_.cells.push_back(cell);
        stroke_.bodyBytes.insert(session::cellBodyIndex(map, cell));
        stroke_.positions.insert(session::screenPosition(map, cell));
        written_(stroke_);
    });
}

bool PaintTool::mayPaint(QPoint mapPixel, bool* asked)
{
    const rom::AreaMap& map = document_.document().area()->map;
    const auto cell = session::cellAtPixel(map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return true;
    const auto metatile = static_cast<std::uint8_t>(workspace_.selectedMetatile());
    return document_.mayWriteScreens(screensChanged(map, {{*cell, metatile}}), asked);
}

void PaintTool::press(QPoint mapPixel, Qt::MouseButton)
{
    finishGesture();
    bool asked = false;
    if (!document_.document().area() || !mayPaint(mapPixel, &asked))
        return;
    if (asked) {
        // The box took the release: the press paints its cell, as one step.
        stroke_ = {};
        paintAt(mapPixel);
        return;
    }
    const auto metatile = static_cast<std::uint32_t>(workspace_.selectedMetatile());
    document_.beginGesture(QStringLiteral("Paint metatile %1").arg(hexByte(static_cast<int>(metatile))),
                           &workspace_, [this] { stroking_ = false; });
    stroking_ = true;
    stroke_ = {};
    last_ = mapPixel;
    if (!paintAt(mapPixel))
        finishGesture();
}

void PaintTool::move(QPoint mapPixel)
{
    if (!stroking_ || !workspace_.brush() || !document_.document().area())
        return;
    const QPoint delta = mapPixel - last_;
    const int steps = std::max(1, std::max(std::abs(delta.x()), std::abs(delta.y())) / kStrokeStep);
    std::optional<session::MapCell> lastCell;
    for (int i = 1; i <= steps; ++i) {
        const QPoint at = last_ + delta * i / steps;
        const auto cell = session::cellAtPixel(document_.document().area()->map, at.x(), at.y());
        if (!cell || cell == lastCell)
            continue;
        lastCell = cell;
        if (!mayPaint(at)) {
            // The question ended the stroke (a modal box does); what it
            // approved is painted as a step of its own.
            finishGesture();
            return;
        }
        if (!stroking_) {
            stroke_ = {};
            paintAt(at);
            return;
        }
        if (!paintAt(at)) {
            finishGesture();
            return;
        }
    }
    last_ = mapPixel;
}

void PaintTool::release(QPoint, Qt::MouseButton)
{
    finishGesture();
}

void PaintTool::finishGesture()
{
    if (!stroking_)
        return;
    stroking_ = false;
    document_.endGesture();
}

PointerTool::PointerTool(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace)
    : document_(document), dialogs_(dialogs), workspace_(workspace)
{
}

void PointerTool::press(QPoint mapPixel, Qt::MouseButton)
{
    if (!document_.document().area())
        return;
    runGuarded(dialogs_, &workspace_, [&] {
        const auto answer = dialogs_.askText(&workspace_, QString::fromLatin1(kPointerPrompt), QString());
        if (!answer)
            return;
        const auto pointer = session::parsePointerAnswer(answer->toStdString());
        if (!pointer)
            return;
        if (document_.mayChangePointers())
            document_.document().setScreenPointerAt(mapPixel.x(), mapPixel.y(), *pointer);
    });
}

} // namespace quarry::ui
