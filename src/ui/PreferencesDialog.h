#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace quarry::ui {

// Edit > Preferences: what the editor remembers between sessions that the
// user sets by hand. Shows the remembered values when opened; OK stores them.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kAskKey = "sharedData/askBeforeChanging";

    explicit PreferencesDialog(QWidget* parent = nullptr);

    // Reads the remembered values into the controls.
    void load();
    // Remembers what the controls hold.
    void store();

    QLineEdit* commandEdit() const { return commandEdit_; }
    QCheckBox* askCheck() const { return askCheck_; }

private:
    QLineEdit* commandEdit_ = nullptr;
    QCheckBox* askCheck_ = nullptr;
};

} // namespace quarry::ui
