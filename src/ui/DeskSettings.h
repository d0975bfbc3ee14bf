#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QAction;
class QDockWidget;
class QMainWindow;
class QTimer;
class QWidget;

namespace quarry::ui {

class MainWindow;

// Puts `content` in a dock of the main window, so the desk can remember
// where the user put it. `name` is the dock's object name, the key its
// place is remembered under.
QDockWidget* addPanelDock(QMainWindow& window, QWidget* content, Qt::DockWidgetArea area, const QString& name,
                          const QString& title);

// The desk as the user left it, kept in the settings between runs: the
// window's place and size, where the panels are, the map's zoom, the grid,
// Night, every checkable choice of the View menu that has an object name,
// and per image the submap shown last. A window remembers only once
// restore() was called (the program does so; a test's windows do not).
// View > Reset Layout puts the panels back where they start.
class DeskSettings : public QObject {
    Q_OBJECT

public:
    explicit DeskSettings(MainWindow& window);

    // Puts the window as it was left, before it is shown, and from then
    // remembers: the desk when the window closes, the submap at each load.
    void restore();
    bool remembering() const { return remembering_; }
    // Writes the desk to the settings now.
    void save();
    // The window closes for good.
    void closing();
    // Both panels docked where they start, shown, at their first widths.
    void resetLayout();
    QAction* resetLayoutAction() const { return reset_; }

    // The tree key of the submap to show when the image at `path` opens:
    // the one shown last, while it is a submap the image can still show,
    // otherwise `first`.
    QString submapToOpen(const QString& path, const QString& first);

private:
    // A load notes the submap; the settings file is written a moment later
    // (or at once before another image opens, or at the close), so a click
    // never waits for the disk.
    void rememberSubmap();
    void writeSubmap();
    void restoreViewChoices();
    // A window that would lie off every screen (a screen since removed)
    // opens on the primary screen, no larger than it.
    void keepOnScreen();

    MainWindow& window_;
    QByteArray firstLayout_;
    QAction* reset_ = nullptr;
    QTimer* submapWrite_ = nullptr;
    QString shownImage_; // the image and submap to write, empty when written
    QString shownSubmap_;
    bool remembering_ = false;
};

} // namespace quarry::ui
