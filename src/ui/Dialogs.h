#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace quarry::ui {

// The answers to "Save changes?".
enum class SaveChoice { Save, Discard, Cancel };

// Every modal box the program shows goes through this seam, so tests can
// answer them from a script instead of blocking on a real dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    virtual QString chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // A message with one OK button, titled with the program's name.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // Save / Discard / Cancel; closing the box answers Cancel.
    virtual SaveChoice askSaveChanges(QWidget* parent, const QString& text) = 0;
    // Save / Cancel: true for Save; closing the box answers Cancel.
    virtual bool askSaveOrCancel(QWidget* parent, const QString& text) = 0;
    // The typed text, or nothing when the user cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& initial) = 0;
    // A folder to write into, or an empty string when the user cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& folder) { return (void)parent, (void)folder, QString(); }
    // For each conflict of a merge, true to keep mine and false to keep
    // theirs; nothing when the user cancelled. (MergeDialog.cpp)
    virtual std::optional<std::vector<bool>> chooseMergeSides(QWidget* parent, const QStringList& conflicts);
};

// The real dialogs of the toolkit.
class QtDialogs final : public Dialogs {
public:
    QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter) override;
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    SaveChoice askSaveChanges(QWidget* parent, const QString& text) override;
    bool askSaveOrCancel(QWidget* parent, const QString& text) override;
    std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& initial) override;
    QString chooseFolder(QWidget* parent, const QString& folder) override;
};

} // namespace quarry::ui
