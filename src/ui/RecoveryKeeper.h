#pragma once

#include "core/session/JournalReplay.h"
#include "core/session/RecoveryJournal.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QTimer;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class UndoHistory;

// Keeps the recovery journal of the open image while it has unsaved
// changes: started at the first one with the history as it stands, each
// later step appended at once and flushed within a second, removed when the
// image is clean again (saved, or undone back to the saved state), when its
// changes are discarded and at a clean exit.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper(session::Document& document, UndoHistory& history, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Where the journals live: "recovery" in the user's data folder.
    static QString folder();

    // The file holds the image as it is now (opened, saved, saved as).
    void fileMatchesImage();
    // Before a risky operation: what was appended reaches the disk now.
    void flushNow();
    // The unsaved changes are given up: the journal goes.
    void discard();
    // Takes a recovered session: the image shows `recovery`'s bytes as
    // unsaved edits with its history, and a fresh journal replaces `old`.
    void adopt(const session::Recovery& recovery, rom::LockedFile& old);

    // The journal being written, empty when there is none.
    QString journalPath() const;

private:
    void note(session::JournalStep step, const session::EditEntry& entry);
    void sync();
    void startJournal();

    session::Document& document_;
    UndoHistory& history_;
    QTimer* flushTimer_ = nullptr;
    std::optional<session::RecoveryJournal> journal_;
    std::vector<std::pair<session::JournalStep, session::EditEntry>> queued_;
    session::JournalHeader file_; // the file as last opened or saved
};

} // namespace quarry::ui
