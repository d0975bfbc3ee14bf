#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace quarry::ui {

class AreaWorkspace;
class RomDocument;

// The status bar's two places for words after the address panels: the hover
// words, about what lies under the pointer, and the note, about the last
// thing done. Each keeps to its own place, is shortened with "..." where
// the window is too narrow (the whole text is its tool tip) and never
// covers the other.
//
// A note describes one moment: it ends at the next image change (an edit,
// an undo, a patch), load or open, unless it is given again after it, as
// the words about that change are.
class StatusLine : public QObject {
    Q_OBJECT

public:
    StatusLine(QStatusBar& bar, RomDocument& document, AreaWorkspace& workspace);

    void setNote(const QString& text);
    QString note() const;
    void setHover(const QString& text);
    QString hover() const;
    QLabel* noteLabel() const { return note_; }
    QLabel* hoverLabel() const { return hover_; }

private:
    QLabel* hover_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace quarry::ui
