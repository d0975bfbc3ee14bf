#include "ui/tools/ToolManager.h"

#include "ui/map/MapView.h"
#include "ui/tools/MapTool.h"

#include <QAction>
#include <QActionGroup>
#include <QPainter>

namespace quarry::ui {

ToolManager::ToolManager(MapView& view, QObject* parent) : QObject(parent), view_(view)
{
    group_ = new QActionGroup(this);
    group_->setExclusive(true);
    connect(&view_, &MapView::mapPressed, this, [this](QPoint pixel, Qt::MouseButton button) {
        MapTool* tool = currentTool();
        if (tool && tool->picksWithAlt() && altPicker_ && (view_.pressModifiers() & Qt::AltModifier))
            altPicker_(pixel);
        else if (tool)
            tool->press(pixel, button);
        view_.viewport()->update(); // the tool's overlay may have changed
    });
    connect(&view_, &MapView::mapMoved, this, [this](QPoint pixel) {
        if (MapTool* tool = currentTool())
            tool->move(pixel);
        view_.viewport()->update(); // the tool's overlay may have changed
    });
    connect(&view_, &MapView::mapReleased, this, [this](QPoint pixel, Qt::MouseButton button) {
        if (MapTool* tool = currentTool())
            tool->release(pixel, button);
        view_.viewport()->update(); // the tool's overlay may have changed
    });
    connect(&view_, &MapView::mapDoubleClicked, this, [this](QPoint pixel, Qt::MouseButton button) {
        if (MapTool* tool = currentTool())
            tool->doubleClick(pixel, button);
        view_.viewport()->update(); // the tool's overlay may have changed
    });
    connect(&view_, &MapView::mapHovered, this, [this](QPoint pixel) {
        if (MapTool* tool = currentTool())
            tool->hover(pixel);
    });
    view_.setOverlay(MapView::OverlayLayer::Tool, [this](QPainter& painter) {
        if (MapTool* tool = currentTool())
            tool->paintOverlay(painter);
    });
}

ToolManager::~ToolManager() = default;

QAction* ToolManager::addTool(int id, std::unique_ptr<MapTool> tool)
{
    const MapToolInfo info = tool->info();
    // The button shows the letter; the menu the name.
    auto* action = new QAction(info.name, this);
    action->setIconText(info.caption);
    action->setToolTip(info.name);
    action->setShortcut(info.key);
    action->setCheckable(true);
    group_->addAction(action);
    connect(action, &QAction::triggered, this, [this, id] { setCurrent(id); });
    tools_.push_back(Entry{id, std::move(tool), action});
    actions_.push_back(action);
    if (current_ < 0) {
        current_ = id;
        action->setChecked(true);
    }
    return action;
}

ToolManager::Entry* ToolManager::find(int id) const
{
    for (const Entry& entry : tools_)
        if (entry.id == id)
            return const_cast<Entry*>(&entry);
    return nullptr;
}

MapTool* ToolManager::currentTool() const
{
    Entry* entry = find(current_);
    return entry ? entry->tool.get() : nullptr;
}

QAction* ToolManager::action(int id) const
{
    Entry* entry = find(id);
    return entry ? entry->action : nullptr;
}

void ToolManager::setCurrent(int id)
{
    Entry* next = find(id);
    if (!next)
        return;
    if (MapTool* tool = currentTool())
        tool->deactivate();
    if (current_ != id)
        previous_ = current_;
    current_ = id;
    next->action->setChecked(true);
    next->tool->activate();
    refreshView();
    emit currentChanged(id);
}

void ToolManager::interrupt()
{
    if (MapTool* tool = currentTool())
        tool->finishGesture();
    refreshView();
}

void ToolManager::refreshView()
{
    if (MapTool* tool = currentTool())
        view_.viewport()->setCursor(tool->cursor());
    view_.viewport()->update();
}

} // namespace quarry::ui
