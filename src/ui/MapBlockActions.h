#pragma once

#include "core/session/Document.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QAction;
class QWidget;

namespace quarry::ui {

class AreaWorkspace;
class Dialogs;
class MapSelection;
class MapTool;
class RomDocument;
class SharedConsent;
class SharedScreensLayer;
class StampTool;
class ToolManager;

// The map's block editing beyond one cell: the Select, Fill and Eyedropper
// tools, the selection with Select All / Deselect, Copy / Cut / Paste /
// Delete through the system clipboard, and View > Shared Screens with the
// notes of where else an edit shows.
class MapBlockActions : public QObject {
    Q_OBJECT

public:
    // The MIME type of a copied block: "set N" on the first line (the object
    // set it was copied in), then the block's plain text.
    static constexpr const char* kBlockMimeType = "application/x-quarry-metatile-block";

    struct ToolIds {
        int select;
        int fill;
        int pick;
        int stamp;
    };
    MapBlockActions(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace, ToolManager& tools,
                    ToolIds ids, QWidget* window);

    // What the paint tool reports after each cell of a stroke.
    void cellsWritten(const session::Document::CellEdit& edit);
    // Alt+press and the Eyedropper: the metatile under the pointer becomes
    // the chosen one.
    void pickAt(QPoint mapPixel);

    void copySelection();
    void cutSelection();
    void deleteSelection();
    // Floats the clipboard's block under the pointer (the paste tool), or
    // says why it cannot be pasted here.
    void paste();
    // Escape: ends pasting, or clears the selection.
    void cancel();
    void selectAll();

    // The block tools, for the window to register with the others.
    std::unique_ptr<MapTool> makeSelectTool();
    std::unique_ptr<MapTool> makeFillTool();
    std::unique_ptr<MapTool> makePickTool();
    std::unique_ptr<MapTool> makeStampTool();

    MapSelection& selection() const { return *selection_; }
    SharedScreensLayer& sharedScreens() const { return *shared_; }
    SharedConsent& sharedConsent() const { return *consent_; }
    StampTool& stampTool() const { return *stamp_; }
    QAction* cutAction() const { return cut_; }
    QAction* copyAction() const { return copy_; }
    QAction* pasteAction() const { return paste_; }
    QAction* deleteAction() const { return delete_; }
    QAction* selectAllAction() const { return selectAll_; }
    QAction* deselectAction() const { return deselect_; }
    QAction* sharedScreensAction() const { return sharedView_; }
    // Cut, Copy, Paste, Delete, Select All and Deselect, in menu order.
    QList<QAction*> editActions() const;

signals:
    void statusMessage(const QString& text);

private:
    void buildActions();
    // Fills the selection with metatile 0 as one step named "`verb` C x R block".
    void clearSelection(const char* verb);

    RomDocument& document_;
    Dialogs& dialogs_;
    AreaWorkspace& workspace_;
    ToolManager& tools_;
    ToolIds ids_;
    QWidget* window_;
    MapSelection* selection_ = nullptr;
    SharedScreensLayer* shared_ = nullptr;
    SharedConsent* consent_ = nullptr;
    StampTool* stamp_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* selectAll_ = nullptr;
    QAction* deselect_ = nullptr;
    QAction* sharedView_ = nullptr;
};

} // namespace quarry::ui
