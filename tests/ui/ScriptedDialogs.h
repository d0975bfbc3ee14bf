#pragma once

#include "ui/Dialogs.h"

#include <QStringList>

#include <deque>

namespace quarry::test {

// Answers the program's dialogs from a script and remembers every message,
// so GUI tests never block on a modal box.
class ScriptedDialogs final : public ui::Dialogs {
public:
    std::deque<QString> filesToOpen; // "" answers like a cancelled dialog
    std::deque<QString> filesToSave;
    std::deque<QString> foldersToChoose;
    std::deque<bool> yesNoAnswers;
    // Unscripted, "Save changes?" is cancelled: a test never loses work by
    // accident.
    std::deque<ui::SaveChoice> saveChoices;
    int saveQuestions = 0;
    // Unscripted, Save / Cancel questions are cancelled.
    std::deque<bool> saveOrCancelAnswers;
    std::deque<std::optional<QString>> textAnswers;
    QStringList messages;
    QString lastOpenFolder;

    QString chooseOpenFile(QWidget*, const QString& folder, const QString&) override
    {
        lastOpenFolder = folder;
        return take(filesToOpen, QString());
    }
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return take(filesToSave, QString()); }
    void showMessage(QWidget*, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString& text) override
    {
        messages << text;
        return take(yesNoAnswers, false);
    }
    ui::SaveChoice askSaveChanges(QWidget*, const QString& text) override
    {
        messages << text;
        ++saveQuestions;
        return take(saveChoices, ui::SaveChoice::Cancel);
    }
    bool askSaveOrCancel(QWidget*, const QString& text) override
    {
        messages << text;
        return take(saveOrCancelAnswers, false);
    }
    std::optional<QString> askText(QWidget*, const QString& prompt, const QString&) override
    {
        messages << prompt;
        if (textAnswers.empty())
            return std::nullopt;
        // Taken apart by hand: GCC warns about a copy of the optional itself.
        const bool answered = textAnswers.front().has_value();
        const QString text = answered ? *textAnswers.front() : QString();
        textAnswers.pop_front();
        if (!answered)
            return std::nullopt;
        return text;
    }

    QString chooseFolder(QWidget*, const QString&) override { return take(foldersToChoose, QString()); }

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last(); }

private:
    template <typename T>
    static T take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace quarry::test
