#include "ui/PreferencesDialog.h"

#include "ui/PlayTest.h"
#include "ui/Settings.h"
#include "ui/Texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quarry::ui {

PreferencesDialog::PreferencesDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Preferences"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    commandEdit_ = new QLineEdit(this);
    commandEdit_->setObjectName(QStringLiteral("emulatorCommand"));
    commandEdit_->setToolTip(QStringLiteral("The command line that starts the emulator; %f stands for the image"));
    form->addRow(QStringLiteral("&Emulator command:"), commandEdit_);
    auto* note = new QLabel(QStringLiteral("Words are split as a shell would, but no shell runs it. Empty: the first "
                                           "installed of fceux, mednafen and nestopia."),
                            this);
    note->setWordWrap(true);
    form->addRow(QString(), note);
    layout->addLayout(form);
    askCheck_ = new QCheckBox(QStringLiteral("Ask before changing data shown elsewhere"), this);
    askCheck_->setObjectName(QStringLiteral("askBeforeChanging"));
    layout->addWidget(askCheck_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &PreferencesDialog::store);
    layout->addWidget(buttons);
    load();
}

void PreferencesDialog::load()
{
    QSettings settings = applicationSettings();
    commandEdit_->setText(settings.value(QString::fromLatin1(PlayTest::kCommandKey)).toString());
    commandEdit_->setPlaceholderText(PlayTest::defaultCommand());
    askCheck_->setChecked(settings.value(QString::fromLatin1(kAskKey), true).toBool());
}

void PreferencesDialog::store()
{
    QSettings settings = applicationSettings();
    settings.setValue(QString::fromLatin1(PlayTest::kCommandKey), commandEdit_->text().trimmed());
    settings.setValue(QString::fromLatin1(kAskKey), askCheck_->isChecked());
}

} // namespace quarry::ui
