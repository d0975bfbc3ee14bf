#pragma once

#include "core/rom/DataFiles.h"
#include "core/session/Document.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolBar;
class QUndoView;

namespace quarry::ui {

class ActorPanel;
class AreaTree;
class DoorsPanel;
class GlobalProperties;
class MapInfo;
class StairPanel;
class TextEditor;
class WorldController;
class AreaWorkspace;
class Dialogs;
class MetatileEditor;
class PaletteEditor;
class SpriteEditor;
class MainWindowExtras;
class PatchActions;
class UndoHistory;

// The commands of the tool bar, in their order there.
enum class Command {
    Open,
    Save,
    TextEditor,
    MetatileEditor,
    PaletteEditor,
    SpriteEditor,
    GlobalProperties,
    MapInfo,
    EraseMap,
    Exit,
};

// The menus of the menu bar.
enum class Menu { File, Edit, View, Tools, Help };

// What a mouse action on the map does.
enum class EditMode { Map = 0, Actor = 1, Stair = 2, Pointer = 3, Solidity = 4 };

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `datDir` is the side-data folder; the program passes the "dat" folder
    // beside itself. Call startUp() once the window exists.
    MainWindow(Dialogs& dialogs, QString datDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the side data and reports files that are missing.
    void startUp();

    void openFile();
    // The steps of "Open File" after the dialog, for a path given otherwise
    // (the program's command line).
    void openPath(const QString& path);
    // Writes the image back to its file; false when it was not written.
    bool saveFile();
    // "Save As...": asks for a path, writes the image there (a regular file
    // or a new name, never a device or a pipe) and makes it the current file.
    bool saveFileAs();
    // Undo and redo of the Edit menu. The editors that keep working copies
    // write them first, so an edit made there is the step taken back.
    void undoStep();
    void redoStep();
    void showUndoHistory();
    // Writes the working copies of the open palette and background editors
    // into the image, each as one step.
    void writeEditorCopies();
    // After undo, redo or a patch: the main views and every open editor
    // show the image.
    void showRestoredImage(const session::Document::Restored& result);
    // When the image is modified asks "Save changes?"; true when the caller
    // may go on (saved or discarded), false for Cancel or a failed save.
    bool settleUnsavedChanges();
    bool isModified() const;
    UndoHistory* history() const { return history_.get(); }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* historyAction() const { return historyAction_; }
    QUndoView* historyView() const { return historyView_; }
    void exitProgram();
    void openTextEditor();
    void openGlobalProperties();
    void openMapInfo();
    // Closes every editor window, each running its own closing code; false
    // when one of them declined (the user chose to keep it open).
    bool closeEditors();

    // Loads the submap of a tree node's key; object set and area keys load
    // nothing. A failed load is reported and the previous area stays.
    void loadArea(const QString& key);
    // For the graphics editors once they wrote the image: re-reads tiles,
    // thresholds and palette and redraws chooser and map.
    void refreshGraphicsEdits();
    void eraseMap();
    // The launchers: each sets its window up afresh for the loaded area and
    // shows it modeless. A window still open is closed first, so its edits
    // are written before it is set up again.
    void openPaletteEditor();
    void openMetatileEditor();
    void openSpriteEditor();

    void setCommandsEnabled(bool enabled);
    void setViewsEnabled(bool enabled);
    void refreshStatusBar();
    void setEditMode(EditMode mode);

    EditMode editMode() const { return editMode_; }
    QAction* commandAction(Command command) const;
    // Features add their own commands to these.
    QMenu* menu(Menu which) const;
    void showAbout();
    QAction* modeAction(EditMode mode) const;
    QString statusText(int panel) const;
    AreaTree* areaTree() const { return areaTree_; }
    AreaWorkspace* workspace() const { return workspace_; }
    const QString& currentNode() const { return currentNode_; }
    int currentActor() const;
    int currentStair() const;
    WorldController* world() const { return world_; }
    ActorPanel* actorPanel() const { return actorPanel_; }
    StairPanel* stairPanel() const { return stairPanel_; }
    DoorsPanel* doorsPanel() const { return doorsPanel_; }
    MapInfo* mapInfo() const { return mapInfo_; }
    GlobalProperties* globalProperties() const { return globalProperties_; }
    session::Document& document() { return document_; }
    const rom::SideData& sideData() const { return document_.sideData(); }
    const QString& datDir() const { return datDir_; }
    // The editor windows, null until first opened.
    PaletteEditor* paletteEditor() const { return paletteEditor_; }
    MetatileEditor* metatileEditor() const { return metatileEditor_; }
    SpriteEditor* spriteEditor() const { return spriteEditor_; }
    // Zoom, brush, hover information, map exports and file drops.
    MainWindowExtras* extras() const { return extras_; }
    PatchActions* patches() const { return patches_; }
    TextEditor* textEditor() const { return textEditor_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The message that reports a save or Save As.
    QString saveResultText(rom::SaveResult result) const;
    void buildToolBar();
    void buildViews();
    void buildStatusBar();
    void buildMenus();
    void buildHistoryActions();
    // Opens `path` once unsaved changes were settled.
    void openSettledPath(const QString& path);
    void updateCaption();
    // Undo is offered while there is a step to take back or an editor
    // holds a copy that would become one.
    void refreshUndoEnabled();
    void selectNode(const QString& key);
    QAction* addCommand(Command command, const QString& tip, int iconKind, const QKeySequence& shortcut = {});
    // A launcher is usable only when its window exists.
    bool isAvailable(Command command) const;

    Dialogs& dialogs_;
    QString datDir_;
    QString startFolder_;
    session::Document document_;
    EditMode editMode_ = EditMode::Map;
    TextEditor* textEditor_ = nullptr; // frmTextEdit, created on first use
    MapInfo* mapInfo_ = nullptr;                   // frmAreaInfo, created on first use
    GlobalProperties* globalProperties_ = nullptr; // frmGlobalProp, created on first use
    QString currentNode_; // the tree node last clicked
    QString loadedNode_;  // the node of the loaded submap

    std::array<QAction*, 10> commands_{};
    std::array<QAction*, 5> modes_{};
    std::array<QMenu*, 5> menus_{};
    QActionGroup* modeGroup_ = nullptr;
    QToolBar* toolBar_ = nullptr;           // frameMenubar
    AreaTree* areaTree_ = nullptr;          // tvAreaList
    AreaWorkspace* workspace_ = nullptr;
    ActorPanel* actorPanel_ = nullptr;
    StairPanel* stairPanel_ = nullptr;
    DoorsPanel* doorsPanel_ = nullptr;          // fraAreaConnections
    WorldController* world_ = nullptr;          // actor and stair mode
    std::vector<QWidget*> views_;           // enabled with setViewsEnabled
    std::array<QLabel*, 4> statusPanels_{}; // mainStatusBar
    // The loaded area's map, actor, stair and palette addresses.
    std::array<std::uint32_t, 4> statusPointers_{};
    PaletteEditor* paletteEditor_ = nullptr;   // frmPaletteEdit
    MetatileEditor* metatileEditor_ = nullptr; // frmMetatileEdit
    SpriteEditor* spriteEditor_ = nullptr;     // frmAnimationEdit
    MainWindowExtras* extras_ = nullptr;
    PatchActions* patches_ = nullptr;

    // Declared after the document it listens to, so it goes first.
    std::unique_ptr<UndoHistory> history_;
    QString fileCaption_; // the caption without the modified mark
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* historyAction_ = nullptr;
    QUndoView* historyView_ = nullptr; // created on first use
};

} // namespace quarry::ui
