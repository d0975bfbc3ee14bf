#pragma once

#include "core/session/Document.h"

#include <QObject>

#include <functional>
#include <set>

class QWidget;

namespace quarry::ui {

class GestureGuard;
class SharedConsent;
class UndoHistory;

// The open image as the editor's windows see it: the core document, its
// undo history, and one signal that says what changed after every edit,
// undo, redo and patch, wherever it was made. Views and editor windows
// redraw from that signal only; none of them keeps a copy of image bytes
// that could go stale.
class RomDocument : public QObject {
    Q_OBJECT

public:
    explicit RomDocument(session::Document& document, QObject* parent = nullptr);
    ~RomDocument() override;

    session::Document& document() { return document_; }
    const session::Document& document() const { return document_; }
    UndoHistory& history() { return *history_; }

    // A gesture (press to release) is one step of the history. `owner` is
    // the widget the press was made in; `cut` tells it the gesture was
    // interrupted (see GestureGuard).
    void beginGesture(const QString& name, QWidget* owner = nullptr, std::function<void()> cut = {});
    void endGesture();
    GestureGuard& gestures() { return *gestures_; }
    // A write inside a gesture that no view needs to hear of: the unsaved
    // mark still follows it.
    void notePendingWrite();
    // True while an open gesture has changed bytes not yet in the history.
    bool gestureChanged() const;
    // Asked before a map edit writes into screen positions of the loaded
    // map, and before a screen pointer edit; false: write nothing. Without
    // a SharedConsent set every write goes ahead.
    void setConsent(SharedConsent* consent) { consent_ = consent; }
    // `asked` tells whether a question was shown (it took the mouse).
    bool mayWriteScreens(const std::set<int>& positions, bool* asked = nullptr);
    bool mayChangePointers();
    // An open gesture ends first, so the step taken back is a whole one.
    void undo();
    void redo();

signals:
    void changed(const session::Change& change);
    void pendingWrite();

private:
    session::Document& document_;
    UndoHistory* history_ = nullptr;
    GestureGuard* gestures_ = nullptr;
    SharedConsent* consent_ = nullptr;
    bool gestureWrote_ = false; // the open gesture has written
};

} // namespace quarry::ui
