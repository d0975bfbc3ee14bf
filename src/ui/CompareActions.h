#pragma once

#include <QObject>

class QAction;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class ComparePanel;
class Dialogs;
class MainWindow;

// "Compare With..." and "Merge With..." in the File menu: the changes from
// the open image to another image or a patch, and the three-way merge of
// another edit into the open image (which is "mine") as one step.
class CompareActions : public QObject {
    Q_OBJECT

public:
    CompareActions(MainWindow& window, session::Document& document, Dialogs& dialogs);

    void compareWith();
    void mergeWith();

    QAction* compareAction() const { return compare_; }
    QAction* mergeAction() const { return merge_; }
    // Null until the first comparison.
    ComparePanel* panel() const { return panel_; }

private:
    MainWindow& window_;
    session::Document& document_;
    Dialogs& dialogs_;
    QAction* compare_ = nullptr;
    QAction* merge_ = nullptr;
    ComparePanel* panel_ = nullptr;
};

} // namespace quarry::ui
