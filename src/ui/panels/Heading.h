#pragma once

#include <QLabel>

namespace quarry::ui {

// The bold line that names a list or a panel.
inline QLabel* headingLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace quarry::ui
