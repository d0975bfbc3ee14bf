// The keys that move the selected sprite: Alt+arrows wherever the keyboard
// is in the window, plain arrows in the frame view (in the sprite table they
// move between rows), Delete to remove it.
#include "ui/editors/SpriteEditor.h"

#include "ui/editors/PixelView.h"

#include <QApplication>
#include <QKeyEvent>

namespace quarry::ui {

namespace {

// A step of whole game pixels for an arrow key, or none.
QPoint arrowStep(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    default:
        return {};
    }
}

} // namespace

// Alt+arrows reach the window before the focused control, which would
// otherwise take them (the table moves its cursor, a scroll bar its value).
class SpriteEditor::NudgeKeys final : public QObject {
public:
    explicit NudgeKeys(SpriteEditor& editor) : QObject(&editor), editor_(editor) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QPoint step = arrowStep(key->key());
        if (!widget || widget->window() != &editor_ || step.isNull()
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || editor_.selectedSprite() < 0)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // the key press follows, and comes here
            return true;
        }
        editor_.nudgeSelected(step.x(), step.y());
        return true;
    }

private:
    SpriteEditor& editor_;
};

void SpriteEditor::buildNudgeKeys()
{
    new NudgeKeys(*this);
}

void SpriteEditor::keyPressEvent(QKeyEvent* event)
{
    // Plain arrows and Delete reach the window from the frame view and from
    // controls that have no use for them; the table, the bars and the boxes
    // keep theirs.
    const QPoint step = arrowStep(event->key());
    if (selectedSprite_ >= 0 && event->modifiers() == Qt::NoModifier) {
        if (!step.isNull()) {
            nudgeSelected(step.x(), step.y());
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            deleteSelected();
            return;
        }
    }
    EditorWindow::keyPressEvent(event);
}

} // namespace quarry::ui
