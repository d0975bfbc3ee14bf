#pragma once

#include <QObject>

#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;

namespace quarry::ui {

class MapTool;
class MapView;

// Owns the map tools and the exclusive mode buttons that choose them, and
// hands the map view's gestures to the current tool. A tool is one class
// added with one call.
class ToolManager : public QObject {
    Q_OBJECT

public:
    explicit ToolManager(MapView& view, QObject* parent = nullptr);
    ~ToolManager() override;

    // Adds `tool` under the number `id` with a checkable button made from
    // the tool's own caption, name and key; the first tool added is the
    // current one.
    QAction* addTool(int id, std::unique_ptr<MapTool> tool);
    // Makes the tool `id` current (the one before is deactivated first) and
    // checks its button. Choosing the current tool again activates it anew.
    void setCurrent(int id);
    int current() const { return current_; }
    // The tool that was current before this one (or -1).
    int previous() const { return previous_; }
    // What Alt+press does in the tools that pick with Alt.
    void setAltPicker(std::function<void(QPoint)> picker) { altPicker_ = std::move(picker); }
    MapTool* currentTool() const;
    QAction* action(int id) const;
    const std::vector<QAction*>& actions() const { return actions_; }
    // Ends what the current tool has in hand (a stroke, a drag): before an
    // undo, a load or anything else that must not meet a gesture half-done.
    void interrupt();

signals:
    void currentChanged(int id);

private:
    struct Entry {
        int id;
        std::unique_ptr<MapTool> tool;
        QAction* action;
    };
    Entry* find(int id) const;
    void refreshView();

    MapView& view_;
    QActionGroup* group_ = nullptr;
    std::vector<Entry> tools_;
    std::vector<QAction*> actions_;
    int current_ = -1;
    int previous_ = -1;
    std::function<void(QPoint)> altPicker_;
};

} // namespace quarry::ui
