#include "ui/panels/TypedBox.h"
#include "ui/HexText.h"

#include "core/session/NumberInput.h"

#include <QLabel>

namespace quarry::ui {

namespace {

constexpr const char* kNoPixels = "Type a whole number of map pixels.";

} // namespace

TypedBox::TypedBox(const char* name, const char* tip, bool hex, QWidget* parent) : QLineEdit(parent), hex_(hex)
{
    setObjectName(QString::fromLatin1(name));
    setToolTip(QString::fromLatin1(tip));
    setMaximumWidth(hex ? 40 : 50);
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (const std::optional<int> typed = value())
            emit committed(*typed);
        else
            emit unreadable(hex_ ? QStringLiteral("Type a hexadecimal number, such as 1A or $1A.")
                                 : QString::fromLatin1(kNoPixels));
    });
}

void TypedBox::showValue(std::optional<int> value)
{
    if (!value)
        clear();
    else
        setText(hex_ ? hexByte(*value) : QString::number(*value));
}

std::optional<int> TypedBox::value() const
{
    return session::parseTypedNumber(text().toStdString(), hex_);
}

void pairBoxes(TypedBox* x, TypedBox* y, QObject* context, std::function<void(QPoint)> typed,
               std::function<void(const QString&)> refused)
{
    for (TypedBox* box : {x, y}) {
        QObject::connect(box, &TypedBox::committed, context, [=] {
            const std::optional<int> across = x->value();
            const std::optional<int> down = y->value();
            if (across && down)
                typed(QPoint(*across, *down));
            else
                refused(QString::fromLatin1(kNoPixels));
        });
        QObject::connect(box, &TypedBox::unreadable, context, refused);
    }
}

QLabel* refusalLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #b00000"));
    // Two lines, whatever is said: the panels below never move.
    label->setFixedHeight(label->fontMetrics().lineSpacing() * 2 + 2);
    return label;
}

QLabel* fieldCaption(const char* text, const char* tip, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setToolTip(QString::fromLatin1(tip));
    return label;
}

} // namespace quarry::ui
