#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QProcess;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class MainWindow;

// File > Test in Emulator (F5): the image as it is now, edits included, is
// written to a play-test image in the user's cache folder (one per open
// image, replaced each time, removed at exit; never the user's file) and
// the emulator command of the preferences is started on it, without a
// shell. The editor stays usable while the emulator runs.
class PlayTest : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kCommandKey = "playTest/command";

    PlayTest(MainWindow& window, session::Document& document, Dialogs& dialogs);
    ~PlayTest() override;

    QAction* action() const { return action_; }
    void run();

    // The command of the preferences, or the first installed of the usual
    // emulators; empty when there is none.
    static QString command();
    static QString defaultCommand();
    // The play-test image of the open image.
    QString imagePath() const;

private:
    void started(QProcess* process, const QString& command);
    void failed(const QString& why);

    MainWindow& window_;
    session::Document& document_;
    Dialogs& dialogs_;
    QAction* action_ = nullptr;
    QStringList written_; // the play-test images made, removed at exit
};

} // namespace quarry::ui
