#pragma once

#include "core/text/TextBlock.h"

#include "ui/editors/EditorWindow.h"

#include <set>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QListWidget;

namespace quarry::ui {

class Dialogs;

// The game's 121 strings (frmTextEdit): a list of "NN: text" lines above a
// one-line box that edits the selected string. Every change is written into
// the image at once by rewriting the whole text block. A change the block
// cannot hold stays in the box and the list, marked as not written with the
// number of bytes over, until the texts are shortened enough to fit.
class TextEditor : public EditorWindow {
    Q_OBJECT

public:
    TextEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    // Opened with or without a loaded area: sets up afresh, or shows the
    // texts not written yet when the user keeps them.
    bool setUpFor(const session::LoadedArea* area) override;
    bool needsArea() const override { return false; }

    // Reads every string from the image again and selects string 0. When the
    // editor holds changes that were not written, asks first whether to drop
    // them; returns false (and changes nothing) when the user keeps them or
    // the strings cannot be read.
    bool setupEditor();
    // After a change of the image made elsewhere (an undo, a patch): reads
    // the strings again as setupEditor does but keeps the selected string.
    void reloadFromImage();

    // The widgets, for tests.
    QListWidget* textList() const { return textList_; }   // lstTextList
    QLineEdit* textBox() const { return textBox_; }       // txtTextEditor
    QLabel* usageLabel() const { return usageLabel_; }     // bytes used and free
    QLabel* notWrittenLabel() const { return notWrittenLabel_; }
    QLabel* missingLabel() const { return missingLabel_; } // characters the table lacks

    const text::Texts& editTexts() const { return editTexts_; }
    int editIndex() const { return editIndex_; }
    // True while the box and the list hold changes the image does not.
    bool hasUnwrittenChanges() const { return !unwritten_.empty(); }
    // What to ask before a save while such changes are held ("String 0B does
    // not fit: 8 bytes over. Save what is written?"), or nothing.
    QString unwrittenQuestion() const;

protected:
    void imageChanged(const session::Change& change) override;
    bool finishEditing() override;
    bool finishPending() override;
    // Undo and redo in the box are those of the document, not the box's own.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectText(int index);
    void textEdited(const QString& text);
    // Writes editTexts_ into the image; a refusal for lack of room marks
    // the changed strings as not written.
    void commit();
    bool imageChangedElsewhere() const;
    // How far the edited texts exceed the block (0 when they fit).
    std::size_t bytesOver() const;
    void refreshLine(int index);
    void refreshUsage();
    void refreshMissing();

    text::Texts editTexts_;
    // The strings as the image held them after the last read or write, to
    // notice when something else replaced them (another image opened).
    text::Texts imageTexts_;
    int editIndex_ = 0;
    bool loaded_ = false;
    bool filling_ = false;
    bool committing_ = false; // the change the document reports is our own
    std::set<int> unwritten_; // strings changed since the last write

    QListWidget* textList_ = nullptr;
    QLineEdit* textBox_ = nullptr;
    QLabel* usageLabel_ = nullptr;
    QLabel* notWrittenLabel_ = nullptr;
    QLabel* missingLabel_ = nullptr;
};

} // namespace quarry::ui
