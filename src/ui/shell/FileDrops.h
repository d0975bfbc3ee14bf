#pragma once

#include <QObject>

namespace quarry::ui {

class MainWindow;

// A file dropped on the main window opens as File > Open would open it.
class FileDrops : public QObject {
    Q_OBJECT

public:
    explicit FileDrops(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
};

} // namespace quarry::ui
