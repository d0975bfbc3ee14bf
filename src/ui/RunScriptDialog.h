#pragma once

#include "ui/ScriptRunner.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace quarry::ui {

class Dialogs;

// Tools > Run Script...: the script (the last ones run are listed), the
// words it gets as `arg`, and the folder it may write files into.
class RunScriptDialog : public QDialog {
    Q_OBJECT

public:
    RunScriptDialog(Dialogs& dialogs, const QStringList& recentScripts, const QString& writeFolder,
                    QWidget* parent = nullptr);

    ScriptRequest request() const;

private:
    Dialogs& dialogs_;
    QComboBox* script_ = nullptr;
    QLineEdit* arguments_ = nullptr;
    QLineEdit* folder_ = nullptr;
};

} // namespace quarry::ui
