#include "ui/Dialogs.h"

#include "ui/Texts.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>
#include <QInputDialog>
#include <QMessageBox>

namespace quarry::ui {

QString QtDialogs::chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString QtDialogs::chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter);
}

void QtDialogs::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, texts::kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, texts::kTitle, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtDialogs::askSaveChanges(QWidget* parent, const QString& text)
{
    switch (QMessageBox::question(parent, texts::kTitle, text,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

bool QtDialogs::askSaveOrCancel(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, texts::kTitle, text, QMessageBox::Save | QMessageBox::Cancel,
                                 QMessageBox::Cancel)
           == QMessageBox::Save;
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, texts::kTitle, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, QString(), folder);
}

ChangeChoice QtDialogs::askChangeShared(QWidget* parent, const QString& text, bool offerDontAsk)
{
    QMessageBox box(QMessageBox::Question, texts::kTitle, text, QMessageBox::NoButton, parent);
    QPushButton* change = box.addButton(QString::fromLatin1(texts::kChangeButton), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(change);
    if (offerDontAsk)
        box.setCheckBox(new QCheckBox(QString::fromLatin1(texts::kDontAskAgain)));
    box.exec();
    ChangeChoice choice;
    choice.change = box.clickedButton() == change;
    choice.dontAskAgain = choice.change && box.checkBox() && box.checkBox()->isChecked();
    return choice;
}

} // namespace quarry::ui
