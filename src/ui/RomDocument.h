#pragma once

#include "core/session/Document.h"

#include <QObject>

namespace quarry::ui {

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

    // A gesture (press to release) is one step of the history.
    void beginGesture(const QString& name);
    void endGesture();
    // An open gesture ends first, so the step taken back is a whole one.
    void undo();
    void redo();

signals:
    void changed(const session::Change& change);

private:
    session::Document& document_;
    UndoHistory* history_ = nullptr;
};

} // namespace quarry::ui
