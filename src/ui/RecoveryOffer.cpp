#include "ui/RecoveryOffer.h"

#include "core/RomError.h"
#include "core/rom/FileAccess.h"
#include "core/session/JournalReplay.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/RecoveryKeeper.h"
#include "ui/UndoHistory.h"

#include <QDateTime>
#include <QFileInfo>

namespace quarry::ui {

namespace {

constexpr const char* kOffer = "Recover the unsaved changes to %1 from %2 (%3 steps)?";
constexpr const char* kFileChanged =
    "The unsaved changes to %1 from %2 (%3 steps) were made to a file that has changed or vanished since; "
    "they are never applied to other bytes.";
constexpr const char* kUnreadable = "The recovery journal %1 is damaged and cannot be read.";
constexpr const char* kLost = "Recovered %1 steps of the unsaved changes to %2; %3 steps after damage in the "
                              "recovery journal could not be recovered.";
constexpr std::size_t kLargestJournal = std::size_t(1) << 30;

enum Answer { Recover, Discard, Later };

// Every do, undo and redo since the file was last saved: the records, and
// the steps the history had already moved from the saved state when the
// journal began.
std::size_t stepsOf(const session::DecodedJournal& journal)
{
    const session::JournalHistory& start = journal.history;
    const std::size_t clean = start.clean.value_or(start.index);
    return journal.records.size() + (start.index > clean ? start.index - clean : clean - start.index);
}

Answer ask(MainWindow& window, Dialogs& dialogs, const QString& text, bool canRecover)
{
    QStringList buttons{QStringLiteral("Recover"), QStringLiteral("Discard"), QStringLiteral("Later")};
    if (!canRecover)
        buttons.removeFirst();
    const int choice = dialogs.askChoice(&window, text, buttons);
    if (choice < 0)
        return Later; // a closed box keeps the journal
    return static_cast<Answer>(choice + (canRecover ? 0 : 1));
}

// The image as it is on disk now, if it still is the one the journal knew.
std::optional<rom::RomImage> fileOf(const session::JournalHeader& header)
{
    rom::RomImage image;
    if (rom::openRomImage(header.imagePath, image) != rom::OpenResult::Loaded || !session::journalFits(header, image))
        return std::nullopt;
    return image;
}

// Recovers one journal; true when its image is now open with its changes.
bool offerOne(MainWindow& window, Dialogs& dialogs, RecoveryKeeper& keeper, rom::LockedFile& journal)
{
    const QString fileName = QFileInfo(QString::fromStdString(journal.path())).fileName();
    session::DecodedJournal decoded;
    try {
        decoded = session::decodeJournal(rom::readRegularFileOrThrow(journal.path(), kLargestJournal));
    } catch (const std::exception&) {
        if (ask(window, dialogs, QString::fromLatin1(kUnreadable).arg(fileName), false) == Discard)
            journal.remove();
        return false;
    }
    const QString image = QString::fromStdString(decoded.header.imagePath);
    const QString name = QFileInfo(image).fileName();
    const QString date = QFileInfo(QString::fromStdString(journal.path())).lastModified().toString(Qt::ISODate);
    const QString steps = QString::number(stepsOf(decoded));
    const std::optional<rom::RomImage> file = fileOf(decoded.header);
    if (!file) {
        if (ask(window, dialogs, QString::fromLatin1(kFileChanged).arg(name, date, steps), false) == Discard)
            journal.remove();
        return false;
    }
    switch (ask(window, dialogs, QString::fromLatin1(kOffer).arg(name, date, steps), true)) {
    case Later: return false;
    case Discard: journal.remove(); return false;
    case Recover: break;
    }
    const session::Recovery recovery = session::replayJournal(decoded, *file);
    window.openPath(image);
    // The file may have changed again between the question and the open.
    if (window.document().romPath() != decoded.header.imagePath || !session::journalFits(decoded.header, window.document().rom())) {
        dialogs.showMessage(&window, QString::fromLatin1(kFileChanged).arg(name, date, steps));
        return false;
    }
    keeper.adopt(recovery, journal);
    if (recovery.lost > 0)
        dialogs.showMessage(&window, QString::fromLatin1(kLost).arg(recovery.applied).arg(name).arg(recovery.lost));
    return true;
}

} // namespace

bool offerRecovery(MainWindow& window, Dialogs& dialogs, RecoveryKeeper& keeper)
{
    bool recovered = false;
    for (const std::string& path : session::listJournals(RecoveryKeeper::folder().toStdString())) {
        // A journal another running editor holds is none of ours.
        std::optional<rom::LockedFile> journal = rom::LockedFile::take(path);
        if (!journal || recovered)
            continue; // one image opens at a time; the others are offered at the next start
        runGuarded(dialogs, &window, [&] { recovered = offerOne(window, dialogs, keeper, *journal); });
    }
    return recovered;
}

} // namespace quarry::ui
