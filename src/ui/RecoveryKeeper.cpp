#include "ui/RecoveryKeeper.h"

#include "core/session/Document.h"
#include "ui/UndoHistory.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QTimer>

namespace quarry::ui {

RecoveryKeeper::RecoveryKeeper(session::Document& document, UndoHistory& history, QObject* parent)
    : QObject(parent), document_(document), history_(history), flushTimer_(new QTimer(this))
{
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(static_cast<int>(session::RecoveryJournal::kFlushInterval.count()));
    connect(flushTimer_, &QTimer::timeout, this, &RecoveryKeeper::flushNow);
    connect(&history_, &UndoHistory::stepTaken, this, &RecoveryKeeper::note);
    connect(&history_, &UndoHistory::settled, this, &RecoveryKeeper::sync);
    // Marking the image saved moves no step; the journal goes all the same.
    connect(&history_, &UndoHistory::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            sync();
    });
}

RecoveryKeeper::~RecoveryKeeper()
{
    discard();
}

QString RecoveryKeeper::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString RecoveryKeeper::journalPath() const
{
    return journal_ ? QString::fromStdString(journal_->path()) : QString();
}

void RecoveryKeeper::fileMatchesImage()
{
    const rom::RomImage& image = document_.rom();
    file_.imagePath = document_.romPath();
    file_.imageSize = image.header().size() + image.size();
    file_.imageCrc = session::imageChecksum(image);
    // A journal of the name it was saved under, or of the image before,
    // belongs to no file now: the next change starts one.
    if (journal_)
        journal_->remove();
    journal_.reset();
    queued_.clear();
    sync();
}

void RecoveryKeeper::flushNow()
{
    if (journal_ && !journal_->flush())
        discard(); // a journal the disk refuses protects nothing
}

void RecoveryKeeper::discard()
{
    flushTimer_->stop();
    if (journal_)
        journal_->remove();
    journal_.reset();
    queued_.clear();
}

void RecoveryKeeper::note(session::JournalStep step, const session::EditEntry& entry)
{
    if (journal_)
        queued_.emplace_back(step, entry);
}

void RecoveryKeeper::sync()
{
    if (!document_.romLoaded() || !history_.isModified()) {
        discard();
        return;
    }
    if (!journal_) {
        startJournal();
        return;
    }
    for (const auto& [step, entry] : queued_)
        if (!journal_->record(step, entry)) {
            discard();
            return;
        }
    queued_.clear();
    if (journal_->unflushed() && !flushTimer_->isActive())
        flushTimer_->start();
}

void RecoveryKeeper::startJournal()
{
    queued_.clear();
    session::JournalHeader header = file_;
    header.startedAt = QDateTime::currentSecsSinceEpoch();
    // The history as it stands holds every step taken so far.
    journal_ = session::RecoveryJournal::start(folder().toStdString(), header, history_.snapshot());
}

void RecoveryKeeper::adopt(const session::Recovery& recovery, rom::LockedFile& old)
{
    // The image's bytes become the recovered ones without a step of their
    // own: one change from the first to the last byte that differs.
    const std::vector<std::uint8_t>& now = document_.rom().body();
    std::size_t first = 0;
    std::size_t last = std::min(now.size(), recovery.body.size());
    while (first < last && now[first] == recovery.body[first])
        ++first;
    while (last > first && now[last - 1] == recovery.body[last - 1])
        --last;
    if (first < last) {
        session::EditEntry entry;
        entry.name = "Recover";
        entry.changes.push_back({first, {now.begin() + static_cast<std::ptrdiff_t>(first), now.begin() + static_cast<std::ptrdiff_t>(last)},
                                 {recovery.body.begin() + static_cast<std::ptrdiff_t>(first),
                                  recovery.body.begin() + static_cast<std::ptrdiff_t>(last)}});
        document_.redo(entry);
    }
    discard();
    history_.adopt(recovery.history);
    sync();
    old.remove();
}

} // namespace quarry::ui
