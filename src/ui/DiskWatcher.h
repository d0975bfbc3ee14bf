#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QFileSystemWatcher;
class QTimer;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class MainWindow;

// Notices when another program changes the open image's bytes on disk. The
// file and its folder are both watched, as saves (ours and others') often
// replace a file by renaming a new one over it. Our own saves do not count:
// what is compared is the bytes, against those last opened or saved.
class DiskWatcher : public QObject {
    Q_OBJECT

public:
    DiskWatcher(MainWindow& window, session::Document& document, Dialogs& dialogs);

    // The file holds the image as it is now (opened, saved, saved as).
    void fileMatchesImage();
    // Before Save: true to go on. When the bytes on disk are no longer the
    // ones last opened or saved, the user is asked first.
    bool confirmOverwrite();
    // Checks the file now (the watcher's events come here, a moment later).
    void check();

private:
    // The file's bytes differ from those last opened or saved.
    std::optional<std::uint32_t> changedOnDisk() const;
    void ask();

    MainWindow& window_;
    session::Document& document_;
    Dialogs& dialogs_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    QString path_;
    std::uint64_t knownSize_ = 0;
    std::uint32_t knownCrc_ = 0;
    std::optional<std::uint32_t> lastAsked_; // the changed bytes the user already answered for
};

} // namespace quarry::ui
