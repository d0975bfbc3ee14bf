#include "ui/FileMessages.h"

#include "core/rom/DataFiles.h"
#include "core/session/Document.h"
#include "ui/Texts.h"

#include <QDir>
#include <QFileInfo>

namespace quarry::ui {

namespace {

QString native(const std::string& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

QString cause()
{
    return QString::fromStdString(rom::writeErrorText(rom::lastWriteError()));
}

} // namespace

QString saveMessage(rom::SaveResult result, const session::Document& document, const std::string& backupBefore)
{
    const QString path = native(document.romPath());
    switch (result) {
    case rom::SaveResult::Written: {
        QString text = QString::fromLatin1(texts::kSaved);
        if (!document.backupPath().empty() && document.backupPath() != backupBefore)
            text += QLatin1Char('\n') + QString::fromLatin1(texts::kBackupMade).arg(native(document.backupPath()));
        return text;
    }
    case rom::SaveResult::NotRegularFile: return texts::kNotRegularFile;
    case rom::SaveResult::InPlaceFailed: {
        QString text = texts::kSaveFailedInPlace;
        if (!document.backupPath().empty())
            text += ' ' + QString::fromLatin1(texts::kBackupHolds).arg(native(document.backupPath()));
        return text;
    }
    case rom::SaveResult::BackupFailed:
    case rom::SaveResult::WriteFailed:
    case rom::SaveResult::Link: break;
    }
    return QString::fromLatin1(texts::kSaveFailed) + QLatin1Char('\n')
           + QString::fromLatin1(texts::kSaveFailedWhy).arg(path, cause());
}

QString backupQuestion(const session::Document& document)
{
    const QFileInfo image(QString::fromStdString(document.romPath()));
    return QString::fromLatin1(texts::kBackupQuestion) + QLatin1Char('\n')
           + QString::fromLatin1(texts::kBackupWhere)
                 .arg(QDir::toNativeSeparators(image.absolutePath()), image.fileName(), cause());
}

QString charTableMessage(rom::ReadStatus status, const QString& datDir)
{
    QString text = QString::fromLatin1(texts::kTblMissing);
    if (status != rom::ReadStatus::Unreadable && status != rom::ReadStatus::Read) {
        const std::string file = QDir(datDir).filePath(QStringLiteral("TBL.DAT")).toStdString();
        text += QLatin1Char('\n') + QString::fromStdString(rom::readFailureText(status, file, rom::kSideFileLimit));
    }
    return text;
}

} // namespace quarry::ui
