#include "ui/ScriptConsole.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace quarry::ui {

ScriptConsole::ScriptConsole(QWidget* parent) : QDockWidget(QStringLiteral("Script Console"), parent)
{
    setObjectName(QStringLiteral("scriptConsole"));
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setFont(QFont(QStringLiteral("monospace")));
    view_->setMaximumBlockCount(10000);
    setWidget(view_);
}

void ScriptConsole::begin(const QString& script)
{
    view_->appendHtml(QStringLiteral("<b>%1</b>").arg(QFileInfo(script).fileName().toHtmlEscaped()));
    append(QStringLiteral("\n"), false);
}

void ScriptConsole::append(const QString& text, bool error)
{
    if (text.isEmpty())
        return;
    QTextCharFormat format;
    if (error)
        format.setForeground(QColor(192, 0, 0));
    QTextCursor cursor(view_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, format);
    view_->ensureCursorVisible();
}

QString ScriptConsole::text() const
{
    return view_->toPlainText();
}

} // namespace quarry::ui
