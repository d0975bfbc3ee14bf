#pragma once

#include "core/session/Change.h"

#include <QWidget>

namespace quarry::session {
struct LoadedArea;
}

class QPushButton;

namespace quarry::ui {

class Dialogs;
class RomDocument;

// What every editor window of the main window shares: it is set up for the
// loaded area when it is opened, writes each edit into the image through
// the document as it is made, shows the image again whenever the document
// says it changed (an edit here or elsewhere, an undo, a patch), and runs
// its closing writes once when it closes. The main window lists them in one
// place and opens, closes and restores them alike.
class EditorWindow : public QWidget {
    Q_OBJECT

public:
    EditorWindow(RomDocument& document, Dialogs& dialogs, QWidget* parent);

    // Sets the window up for `area` (null when none is loaded). Returns
    // false when there is nothing to show (the window stays closed, having
    // said why); throws RomError when what it edits cannot be read.
    virtual bool setUpFor(const session::LoadedArea* area) = 0;
    // Whether the window can only be opened for a loaded area. Such a
    // window follows every load to the submap loaded; the others follow
    // only another image being opened.
    virtual bool needsArea() const { return true; }
    // True from a successful set-up until the window closes.
    bool isEditing() const { return editing_; }
    // Writes what the window still holds and asks its questions, closing
    // nothing: closing the image or the program asks this of every editor
    // before "Save changes?". False when the user chose to keep working.
    bool settleEdits() { return !editing_ || finishPending(); }

protected:
    // The image changed; only called while editing. The window shows what
    // the image holds now and keeps its selections.
    virtual void imageChanged(const session::Change& change) = 0;
    // The writes the window makes when it closes (most make none). Returns
    // false to keep the window open.
    virtual bool finishEditing() { return finishPending(); }
    // The part of them that leaves the window open; must be safe to run twice.
    virtual bool finishPending() { return true; }

    // Another submap was loaded (or another image opened) while the window
    // was editing: by default it settles what it holds and is set up
    // afresh, as opening it again would; a window that cannot show the new
    // state closes.
    virtual void followDocument();

    void setEditing(bool editing) { editing_ = editing; }
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // A "Close" button for the small windows' own layouts.
    QPushButton* makeCloseButton();

    RomDocument& document_;
    Dialogs& dialogs_;

private:
    bool editing_ = false;
};

} // namespace quarry::ui
