#pragma once

#include "ui/Dialogs.h"

#include <functional>

namespace quarry::ui {

// The program's dialogs with one thing done before each box opens: a modal
// box takes the mouse and the keys, so a gesture in progress ends first
// (the box would swallow its release).
class GuardedDialogs final : public Dialogs {
public:
    explicit GuardedDialogs(Dialogs& inner) : inner_(inner) {}
    void setBeforeModal(std::function<void()> beforeModal) { beforeModal_ = std::move(beforeModal); }

    QString chooseOpenFile(QWidget* parent, const QString& folder, const QString& filter) override
    {
        return settle(), inner_.chooseOpenFile(parent, folder, filter);
    }
    // The replace question chooseSaveFile asks afterwards comes through
    // askYesNo here, guarded as well.
    QString typeSaveFileName(QWidget* parent, const QString& folder, const QString& filter) override
    {
        return settle(), inner_.typeSaveFileName(parent, folder, filter);
    }
    void showMessage(QWidget* parent, const QString& text) override { settle(), inner_.showMessage(parent, text); }
    bool askYesNo(QWidget* parent, const QString& text) override { return settle(), inner_.askYesNo(parent, text); }
    SaveChoice askSaveChanges(QWidget* parent, const QString& text) override
    {
        return settle(), inner_.askSaveChanges(parent, text);
    }
    bool askSaveOrCancel(QWidget* parent, const QString& text) override
    {
        return settle(), inner_.askSaveOrCancel(parent, text);
    }
    std::optional<QString> askText(QWidget* parent, const QString& prompt, const QString& initial) override
    {
        return settle(), inner_.askText(parent, prompt, initial);
    }
    QString chooseFolder(QWidget* parent, const QString& folder) override
    {
        return settle(), inner_.chooseFolder(parent, folder);
    }
    int askChoice(QWidget* parent, const QString& text, const QStringList& buttons) override
    {
        return settle(), inner_.askChoice(parent, text, buttons);
    }
    std::optional<std::vector<bool>> chooseMergeSides(QWidget* parent, const QStringList& conflicts) override
    {
        return settle(), inner_.chooseMergeSides(parent, conflicts);
    }
    ChangeChoice askChangeShared(QWidget* parent, const QString& text, bool offerDontAsk) override
    {
        return settle(), inner_.askChangeShared(parent, text, offerDontAsk);
    }

private:
    void settle()
    {
        if (beforeModal_)
            beforeModal_();
    }

    Dialogs& inner_;
    std::function<void()> beforeModal_;
};

} // namespace quarry::ui
