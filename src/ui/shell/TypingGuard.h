#pragma once

#include <QObject>

class QWidget;

namespace quarry::ui {

// The map tools are chosen by plain letters (M, A, S, P, T, R, F, I). A
// letter typed into the tree, a list or a box of the window stays there:
// type-ahead and typing win over the tool keys, which act everywhere else.
class TypingGuard : public QObject {
    Q_OBJECT

public:
    explicit TypingGuard(QWidget& window);

    // Whether `widget` takes typed letters itself.
    static bool takesTyping(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
};

} // namespace quarry::ui
