#include "ui/DiskWatcher.h"

#include "core/patch/Crc32.h"
#include "core/rom/FileAccess.h"
#include "core/session/Document.h"
#include "core/session/JournalReplay.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/UndoHistory.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace quarry::ui {

namespace {

constexpr const char* kChangedClean = "%1 was changed on disk by another program. Reload it?";
constexpr const char* kChangedEdited =
    "%1 was changed on disk by another program, and you have unsaved edits. Reload it (your edits are lost), keep "
    "yours, or save yours under another name?";
constexpr const char* kOverwrite =
    "%1 was changed on disk by another program since it was opened or last saved. Save over those changes?";
constexpr std::size_t kLargestImage = std::size_t(64) << 20;

} // namespace

DiskWatcher::DiskWatcher(MainWindow& window, session::Document& document, Dialogs& dialogs)
    : QObject(&window), window_(window), document_(document), dialogs_(dialogs),
      watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this))
{
    // A save comes as several events (write, rename, folder change): the
    // file is read once they have passed.
    settle_->setSingleShot(true);
    settle_->setInterval(150);
    connect(settle_, &QTimer::timeout, this, &DiskWatcher::check);
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
}

void DiskWatcher::fileMatchesImage()
{
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    path_ = QString::fromStdString(document_.romPath());
    const rom::RomImage& image = document_.rom();
    knownSize_ = image.header().size() + image.size();
    knownCrc_ = session::imageChecksum(image);
    lastAsked_.reset();
    if (path_.isEmpty())
        return;
    watcher_->addPath(path_);
    watcher_->addPath(QFileInfo(path_).absolutePath());
}

std::optional<std::uint32_t> DiskWatcher::changedOnDisk() const
{
    if (path_.isEmpty())
        return std::nullopt;
    const rom::FileContents file = rom::readRegularFile(path_.toStdString(), kLargestImage);
    if (file.status != rom::ReadStatus::Read)
        return std::nullopt; // gone for now: a save by rename, or a move; nothing to reload
    const std::uint32_t crc = patch::crc32(std::span(file.bytes).first(std::min<std::size_t>(file.bytes.size(), knownSize_)));
    if (file.bytes.size() >= knownSize_ && crc == knownCrc_)
        return std::nullopt;
    return crc ^ static_cast<std::uint32_t>(file.bytes.size());
}

void DiskWatcher::check()
{
    // A file replaced by a rename is a new file to the watcher.
    if (!path_.isEmpty() && !watcher_->files().contains(path_) && QFileInfo::exists(path_))
        watcher_->addPath(path_);
    const std::optional<std::uint32_t> changed = changedOnDisk();
    if (!changed || changed == lastAsked_)
        return;
    lastAsked_ = changed;
    runGuarded(dialogs_, &window_, [this] { ask(); });
}

void DiskWatcher::ask()
{
    const QString name = QFileInfo(path_).fileName();
    const QString path = path_;
    if (!window_.isModified()) {
        if (dialogs_.askYesNo(&window_, QString::fromLatin1(kChangedClean).arg(name)))
            window_.reloadFile(path);
        return;
    }
    const QStringList buttons{QStringLiteral("Reload"), QStringLiteral("Keep Mine"), QStringLiteral("Save As...")};
    switch (dialogs_.askChoice(&window_, QString::fromLatin1(kChangedEdited).arg(name), buttons)) {
    case 0: window_.reloadFile(path); break;
    case 2: window_.saveFileAs(); break;
    default: break; // keep mine: Save still asks before writing over the other program's bytes
    }
}

bool DiskWatcher::confirmOverwrite()
{
    if (!changedOnDisk())
        return true;
    return dialogs_.askYesNo(&window_, QString::fromLatin1(kOverwrite).arg(QFileInfo(path_).fileName()));
}

} // namespace quarry::ui
