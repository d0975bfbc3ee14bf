#include "ui/RunScriptDialog.h"

#include "ui/Dialogs.h"
#include "ui/FileFolders.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

namespace quarry::ui {

namespace {

QWidget* withBrowse(QWidget* field, QPushButton* browse)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    layout->addWidget(browse);
    return row;
}

} // namespace

RunScriptDialog::RunScriptDialog(Dialogs& dialogs, const QStringList& recentScripts, const QString& writeFolder,
                                 QWidget* parent)
    : QDialog(parent), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Run Script"));
    script_ = new QComboBox;
    script_->setEditable(true);
    script_->addItems(recentScripts);
    script_->setMinimumContentsLength(40);
    arguments_ = new QLineEdit;
    arguments_->setToolTip(QStringLiteral("The words the script gets as arg[1], arg[2], ...; quote words with spaces"));
    folder_ = new QLineEdit(writeFolder);
    folder_->setPlaceholderText(QStringLiteral("none: the script may write no files"));

    auto* chooseScript = new QPushButton(QStringLiteral("Browse..."));
    connect(chooseScript, &QPushButton::clicked, this, [this] {
        const QString typed = script_->currentText().trimmed();
        const QString path = dialogs_.chooseOpenFile(
            this, typed.isEmpty() ? lastFolder(FileKind::Scripts) : QFileInfo(typed).absolutePath(),
            QStringLiteral("Lua scripts (*.lua)"));
        rememberFolder(FileKind::Scripts, path);
        if (!path.isEmpty())
            script_->setEditText(path);
    });
    auto* chooseFolder = new QPushButton(QStringLiteral("Browse..."));
    connect(chooseFolder, &QPushButton::clicked, this, [this] {
        const QString path = dialogs_.chooseFolder(this, folder_->text());
        if (!path.isEmpty())
            folder_->setText(path);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton* run = buttons->addButton(QStringLiteral("Run"), QDialogButtonBox::AcceptRole);
    run->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto update = [this, run] { run->setEnabled(!script_->currentText().trimmed().isEmpty()); };
    connect(script_, &QComboBox::editTextChanged, this, update);
    update();

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Script:"), withBrowse(script_, chooseScript));
    form->addRow(QStringLiteral("Arguments:"), arguments_);
    form->addRow(QStringLiteral("Files may be written in:"), withBrowse(folder_, chooseFolder));
    form->addRow(buttons);
}

ScriptRequest RunScriptDialog::request() const
{
    return {script_->currentText().trimmed(), QProcess::splitCommand(arguments_->text()), folder_->text().trimmed(), {}};
}

} // namespace quarry::ui
