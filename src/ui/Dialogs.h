#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace quarry::ui {

// The answers to "Save changes?".
enum class SaveChoice { Save, Discard, Cancel };

// The answer to a question before data shown elsewhere changes.
struct ChangeChoice {
    bool change = false;       // Change; false for Cancel or a closed box
    bool dontAskAgain = false; // the box's "Don't ask again for this image"
};

// Every modal box the program shows goes through this seam, so tests can
// answer them from a script instead of blocking on a real dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // The name to write, settled before anyone is asked about it: `ending`
    // ("png", or "ips bps" where the first is added) is added to a name
    // that has none of them, and only then is the user asked whether an
    // existing file of that name may be replaced (No lets them choose again).
    QString chooseSaveFile(QWidget* parent, const QString& folder, const QString& filter,
                           const QString& ending = QString());
    // True when none of `paths` exists or the user agrees to replace those
    // that do; several are asked about at once, saying how many.
    bool confirmReplacing(QWidget* parent, const QStringList& paths);
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
    // One of `buttons` (its index), or -1 when the box was closed.
    virtual int askChoice(QWidget* parent, const QString& text, const QStringList& buttons)
    {
        return (void)parent, (void)text, (void)buttons, -1;
    }
    // Change / Cancel, with the "Don't ask again for this image" check box
    // when `offerDontAsk`; closing the box answers Cancel.
    virtual ChangeChoice askChangeShared(QWidget* parent, const QString& text, bool offerDontAsk) = 0;
    // The name as the user typed or picked it in the save box, which itself
    // asks nothing about replacing; "" when cancelled. Only chooseSaveFile
    // and wrappers of another seam call it.
    virtual QString typeSaveFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // For each conflict of a merge, true to keep mine and false to keep
    // theirs; nothing when the user cancelled. (MergeDialog.cpp)
    virtual std::optional<std::vector<bool>> chooseMergeSides(QWidget* parent, const QStringList& conflicts);
};

// `path` with the first of the space-separated `endings` added when it ends
// in none of them.
QString withEnding(const QString& path, const QString& endings);

// The real dialogs of the toolkit.
class QtDialogs final : public Dialogs {
public:
    QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    SaveChoice askSaveChanges(QWidget* parent, const QString& text) override;
    bool askSaveOrCancel(QWidget* parent, const QString& text) override;
    std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& initial) override;
    QString chooseFolder(QWidget* parent, const QString& folder) override;
    int askChoice(QWidget* parent, const QString& text, const QStringList& buttons) override;
    ChangeChoice askChangeShared(QWidget* parent, const QString& text, bool offerDontAsk) override;
    QString typeSaveFileName(QWidget* parent, const QString& folder, const QString& filter) override;
};

} // namespace quarry::ui
