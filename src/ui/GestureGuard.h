#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

// Holds the one gesture in progress (a stroke, a drag) and ends it, as one
// named step, whenever something cuts it short: its window closes or hides
// or is blocked by a modal box, the program loses focus, or the caller
// interrupts it (undo, redo, save, open, close). The owner then hears that
// its drag was cut, so the rest of the drag writes nothing until a new press.
class GestureGuard : public QObject {
    Q_OBJECT

public:
    explicit GestureGuard(session::Document& document, QObject* parent = nullptr);
    ~GestureGuard() override;

    // Opens a gesture named `name` for `owner`, first ending any other.
    // `cut` is called when the gesture is interrupted rather than ended.
    void begin(QWidget* owner, const QString& name, std::function<void()> cut = {});
    // The owner's own end (the button released).
    void end();
    // Ends the open gesture as a step and tells its owner its drag is over.
    void interrupt();
    bool open() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void unwatch();

    session::Document& document_;
    QPointer<QWidget> window_; // the owner's window, watched while open
    std::function<void()> cut_;
};

} // namespace quarry::ui
