#pragma once

#include <QLineEdit>

#include <functional>
#include <optional>

class QGridLayout;
class QLabel;

namespace quarry::ui {

// A box of the inspector that takes a typed number: decimal map pixels, or
// a hexadecimal byte. Return or leaving the box commits it; a text that is
// no such number is refused where it was typed, in `note`.
class TypedBox : public QLineEdit {
    Q_OBJECT

public:
    TypedBox(const char* name, const char* tip, bool hex, QWidget* parent);

    // Shows `value` (nothing for no value) without committing it.
    void showValue(std::optional<int> value);
    // The typed number, or no value when the text is none.
    std::optional<int> value() const;
    bool hex() const { return hex_; }

signals:
    // A number was typed and committed.
    void committed(int value);
    // The text typed is not a number of the box's kind.
    void unreadable(const QString& why);

private:
    bool hex_;
};

// Two boxes that make one point (x, y): committing either reports the pair,
// or says in `refused` that a box holds no number.
void pairBoxes(TypedBox* x, TypedBox* y, QObject* context, std::function<void(QPoint)> typed,
               std::function<void(const QString&)> refused);

// The red line under a frame that says why a typed value was refused.
QLabel* refusalLabel(const char* name, QWidget* parent);
// A caption for a field, with the field's tip.
QLabel* fieldCaption(const char* text, const char* tip, QWidget* parent);

} // namespace quarry::ui
