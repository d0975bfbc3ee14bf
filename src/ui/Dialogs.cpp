#include "ui/Dialogs.h"

#include "ui/Texts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quarry::ui {

QString withEnding(const QString& path, const QString& endings)
{
    const QStringList list = endings.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (path.isEmpty() || list.isEmpty())
        return path;
    for (const QString& ending : list)
        if (path.endsWith(QLatin1Char('.') + ending, Qt::CaseInsensitive))
            return path;
    return path + QLatin1Char('.') + list.first();
}

QString Dialogs::chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter, const QString& ending)
{
    QString start = folder;
    for (;;) {
        const QString path = withEnding(typeSaveFileName(parent, start, filter), ending);
        if (path.isEmpty() || confirmReplacing(parent, {path}))
            return path;
        start = path;
    }
}

bool Dialogs::confirmReplacing(QWidget* parent, const QStringList& paths)
{
    QStringList taken;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            taken << QDir::toNativeSeparators(path);
    }
    if (taken.isEmpty())
        return true;
    if (taken.size() == 1)
        return askYesNo(parent, QString::fromLatin1(texts::kReplaceOne).arg(taken.first()));
    return askYesNo(parent, QString::fromLatin1(texts::kReplaceMany)
                                .arg(taken.size())
                                .arg(QDir::toNativeSeparators(QFileInfo(taken.first()).absolutePath())));
}

QString QtDialogs::chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString QtDialogs::typeSaveFileName(QWidget* parent, const QString& folder, const QString& filter)
{
    // The question about replacing comes once the ending is settled.
    return QFileDialog::getSaveFileName(parent, QString(), folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
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

int QtDialogs::askChoice(QWidget* parent, const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, texts::kTitle, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added << box.addButton(caption, QMessageBox::ActionRole);
    box.exec();
    return static_cast<int>(added.indexOf(box.clickedButton()));
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
