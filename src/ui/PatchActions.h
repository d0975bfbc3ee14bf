#pragma once

#include <QObject>

class QAction;

namespace quarry::session {
class Document;
}

namespace quarry::ui {

class Dialogs;
class MainWindow;

// "Export Patch...", "Export Patch Against..." and "Apply Patch..." in the
// File menu: IPS or BPS patches of the open image (the format follows the
// file name: .bps gives BPS, anything else IPS).
class PatchActions : public QObject {
    Q_OBJECT

public:
    PatchActions(MainWindow& window, session::Document& document, Dialogs& dialogs);

    // Against the file as it was opened.
    void exportPatch();
    // Against another image the user picks.
    void exportPatchAgainst();
    // One step of the history; the views and editors show the result.
    void applyPatch();

    QAction* exportAction() const { return export_; }
    QAction* exportAgainstAction() const { return exportAgainst_; }
    QAction* applyAction() const { return apply_; }

private:
    void writePatch(const std::vector<std::uint8_t>& original);

    MainWindow& window_;
    session::Document& document_;
    Dialogs& dialogs_;
    QAction* export_ = nullptr;
    QAction* exportAgainst_ = nullptr;
    QAction* apply_ = nullptr;
};

} // namespace quarry::ui
