#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace quarry::ui {

class Dialogs;
class MainWindow;

// What the main window shows while no image is open: Open, Open Demo and
// the images opened lately. It takes the place of the map's area and gives
// it back once an image is open.
class StartPage : public QWidget {
    Q_OBJECT

public:
    StartPage(MainWindow& window, Dialogs& dialogs);

    QPushButton* openButton() const { return open_; }
    QPushButton* demoButton() const { return demo_; }
    // One line per recent image, newest first; a click opens it as File >
    // Open Recent does.
    QListWidget* recentList() const { return recent_; }
    // "Open Demo": the demo image of "quarry --demo", written afresh.
    void openDemo();

private:
    void showRecent();
    // The page while no image is open, the map's area once one is.
    void follow();

    MainWindow& window_;
    Dialogs& dialogs_;
    QStackedWidget* stack_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* demo_ = nullptr;
    QListWidget* recent_ = nullptr;
    QLabel* noRecent_ = nullptr;
};

} // namespace quarry::ui
