#pragma once

#include "ui/Dialogs.h"

#include <QStringList>

#include <deque>

namespace quarry::test {

// Answers the program's dialogs from a script and remembers every message,
// so GUI tests never block on a modal box. Unscripted, every question is
// cancelled: a test never loses work by accident.
class ScriptedDialogs final : public ui::Dialogs {
public:
    std::deque<QString> filesToOpen; // "" answers like a cancelled dialog
    std::deque<QString> filesToSave;
    std::deque<QString> foldersToChoose;
    std::deque<bool> yesNoAnswers;
    std::deque<ui::SaveChoice> saveChoices;
    std::deque<bool> saveOrCancelAnswers;
    std::deque<std::optional<QString>> textAnswers;
    std::deque<int> choices; // -1 answers like a closed box
    // Questions before data shown elsewhere changes: unscripted they answer
    // Change, as a user who agreed, so tests of other edits write as asked.
    std::deque<ui::ChangeChoice> changeChoices;
    QStringList changeQuestions;
    std::deque<std::optional<std::vector<bool>>> mergeAnswers; // per conflict, true keeps mine
    QStringList mergeConflicts;                                // as last asked
    int saveQuestions = 0;
    QStringList messages;
    QString lastOpenFolder;
    QString lastSaveProposal;   // where the last save box started: folder and name
    QString lastFolderProposal; // where the last folder box started

    QString chooseOpenFile(QWidget*, const QString& folder, const QString&) override
    {
        lastOpenFolder = folder;
        return take(filesToOpen, QString());
    }
    // The names as typed: the seam adds the ending and asks about replacing.
    QString typeSaveFileName(QWidget*, const QString& proposal, const QString&) override
    {
        lastSaveProposal = proposal;
        return take(filesToSave, QString());
    }
    QString chooseFolder(QWidget*, const QString& folder) override
    {
        lastFolderProposal = folder;
        return take(foldersToChoose, QString());
    }
    int askChoice(QWidget*, const QString& text, const QStringList&) override
    {
        return messages << text, take(choices, -1);
    }
    void showMessage(QWidget*, const QString& text) override { messages << text; }
    bool askYesNo(QWidget*, const QString& text) override { return messages << text, take(yesNoAnswers, false); }
    bool askSaveOrCancel(QWidget*, const QString& text) override
    {
        return messages << text, take(saveOrCancelAnswers, false);
    }
    ui::SaveChoice askSaveChanges(QWidget*, const QString& text) override
    {
        messages << text;
        ++saveQuestions;
        return take(saveChoices, ui::SaveChoice::Cancel);
    }
    ui::ChangeChoice askChangeShared(QWidget*, const QString& text, bool) override
    {
        changeQuestions << text;
        return take(changeChoices, ui::ChangeChoice{true, false});
    }
    std::optional<QString> askText(QWidget*, const QString& prompt, const QString&) override
    {
        messages << prompt;
        // No std::optional<QString> is copied or moved here: GCC's -O2 flow
        // analysis takes the disengaged one for an uninitialised QString.
        if (textAnswers.empty() || !textAnswers.front()) {
            if (!textAnswers.empty())
                textAnswers.pop_front();
            return std::nullopt;
        }
        const QString answer = *textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    std::optional<std::vector<bool>> chooseMergeSides(QWidget*, const QStringList& conflicts) override
    {
        mergeConflicts = conflicts;
        return take(mergeAnswers, std::optional<std::vector<bool>>());
    }
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
