#pragma once

#include <QDockWidget>

class QPlainTextEdit;

namespace quarry::ui {

// The script console: what a running script prints and the errors it
// raises, as they come.
class ScriptConsole : public QDockWidget {
    Q_OBJECT

public:
    explicit ScriptConsole(QWidget* parent = nullptr);

    void begin(const QString& script);
    void append(const QString& text, bool error);
    QString text() const;

private:
    QPlainTextEdit* view_ = nullptr;
};

} // namespace quarry::ui
