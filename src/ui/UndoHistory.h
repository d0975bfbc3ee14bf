#pragma once

#include "core/session/Document.h"
#include "core/session/JournalFormat.h"

#include <QObject>

class QUndoStack;

namespace quarry::ui {

// The undo stack of the open image. Each entry the document finishes is
// pushed as one step; undoing or redoing a step writes its bytes back
// through the document, and restored() then tells the views to show the
// image again. Consecutive commits of one string merge into one step.
// "Modified" is the stack's clean state: it clears on save and whenever
// undo or redo returns to the saved state.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    UndoHistory(session::Document& document, QObject* parent = nullptr);
    ~UndoHistory() override;

    QUndoStack* stack() const { return stack_; }
    bool isModified() const;
    // The image as it is now is the saved one.
    void markSaved();
    // Another image was opened: its history starts empty and unmodified.
    void clear();
    // The history as the recovery journal keeps it.
    session::JournalHistory snapshot() const;
    // Takes `history` (a recovered one) as this image's, with the image
    // already holding the state after `history.index` steps: nothing is
    // written, and the file's state is the clean one.
    void adopt(const session::JournalHistory& history);

signals:
    // Undo or redo wrote the image; `result` tells whether the loaded area
    // could be read again. Sent once the stack has settled, so listeners
    // may push new steps.
    void restored(const session::Document::Restored& result);
    void modifiedChanged(bool modified);
    // Each do, merge, undo and redo, as it happens; `settled` follows once
    // the stack has moved.
    void stepTaken(session::JournalStep step, const session::EditEntry& entry);
    void settled();

private:
    friend class ImageEditCommand;
    void apply(const session::EditEntry& entry, bool forward);
    void settle();

    session::Document& document_;
    QUndoStack* stack_ = nullptr;
    bool pending_ = false;
    bool merged_ = false;
    bool pushing_ = false;
    bool adopting_ = false;
    session::Document::Restored result_;
};

} // namespace quarry::ui
