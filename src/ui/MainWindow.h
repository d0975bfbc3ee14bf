#pragma once

#include "core/rom/DataFiles.h"
#include "core/session/Document.h"
#include "ui/shell/CommandTable.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
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
class GuardedDialogs;
class MetatileEditor;
class PaletteEditor;
class SpriteEditor;
class StatusLine;
class MapBlockActions;
class PatchActions;
class ScriptActions;
class UndoHistory;
class EditorWindow;
class RomDocument;
class ToolManager;
class RecentFiles;
class SessionSafety;
class DeskSettings;
class CommandTable;
class MapExports;
class MapHover;
class MapZoomActions;

// The main window's own commands, by which tests and parts find them.
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

// What a mouse action on the map does: the map tools, by the mode buttons.
// The map tools: the five modes of the mode buttons, then the block tools
// (Paste floats a copied block and has no button of its own).
enum class EditMode { Map = 0, Actor = 1, Stair = 2, Pointer = 3, Solidity = 4, Select = 5, Fill = 6, Pick = 7, Paste = 8 };

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
    // File > Open Recent: opens the image, or takes a vanished one off the list.
    void openRecent(const QString& path);
    RecentFiles* recentFiles() const { return recent_; }
    // The steps of "Open File" after the dialog, for a path given otherwise
    // (the program's command line).
    void openPath(const QString& path);
    // Writes the image back to its file; false when it was not written.
    bool saveFile();
    // "Save As...": asks for a path, writes the image there (a regular file
    // or a new name, never a device or a pipe) and makes it the current file.
    bool saveFileAs();
    // Opens the image's file again, its unsaved changes given up.
    void reloadFile(const QString& path);
    // The recovery journal, the watch on the file, play-testing, preferences.
    SessionSafety* safety() const { return safety_; }
    // Undo and redo of the Edit menu: one gesture each, wherever it was made.
    void undoStep();
    void redoStep();
    void showUndoHistory();
    // After undo, redo or a patch (the views have followed the document
    // already): a submap that could not be read again is reported, and a
    // step of the history that belongs to another submap loads that one,
    // or the status bar says where it was.
    void showRestored(const session::Document::Restored& result);
    // When the image is modified asks "Save changes?"; true when the caller
    // may go on (saved or discarded), false for Cancel or a failed save.
    bool settleUnsavedChanges();
    bool isModified() const;
    UndoHistory* history() const;
    RomDocument& liveDocument() { return *live_; }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    QAction* saveAsAction() const { return saveAsAction_; }
    QAction* historyAction() const { return historyAction_; }
    QUndoView* historyView() const { return historyView_; }
    QWidget* historyWindow() const { return historyWindow_; }
    void exitProgram();
    void openTextEditor();
    void openGlobalProperties();
    void openMapInfo();
    // Closes every editor window, each running its own closing code; false
    // when one of them declined (the user chose to keep it open).
    bool closeEditors();
    // Before closing the image or the program: the editors' questions and
    // last writes, then "Save changes?"; closes nothing. False for Cancel.
    bool settleBeforeClosing();
    // Ends a gesture in progress as one step (undo, redo, save, open, a box).
    void interruptGesture();

    // Loads the submap of a tree node's key; object set and area keys load
    // nothing. A failed load is reported and the previous area stays.
    void loadArea(const QString& key);
    void eraseMap();
    // The launchers: each sets its window up afresh for the loaded area and
    // shows it modeless.
    void openPaletteEditor();
    void openMetatileEditor();
    void openSpriteEditor();
    // The one launcher behind them all.
    void openEditor(Command command);
    // The window a command opens, null until first opened.
    EditorWindow* editorWindow(Command command) const;

    // Enables the commands that need an image (all built from the table).
    void setCommandsEnabled(bool enabled);
    void setViewsEnabled(bool enabled);
    void refreshStatusBar();
    void setEditMode(EditMode mode);

    EditMode editMode() const;
    QAction* commandAction(Command command) const;
    // Every command of the menus and the tool bar is a row of this table.
    CommandTable& commands() const { return *commands_; }
    // Features add their own commands to these.
    QMenu* menu(Menu which) const;
    void showAbout();
    // Help > Keyboard Shortcuts: every key of the table, by menu.
    void showShortcuts();
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
    MapInfo* mapInfo() const;
    GlobalProperties* globalProperties() const;
    session::Document& document() { return document_; }
    const rom::SideData& sideData() const { return document_.sideData(); }
    const QString& datDir() const { return datDir_; }
    // The editor windows, null until first opened.
    PaletteEditor* paletteEditor() const;
    MetatileEditor* metatileEditor() const;
    SpriteEditor* spriteEditor() const;
    MapZoomActions* zoom() const { return zoom_; }
    MapHover* hover() const { return hover_; }
    MapExports* exports() const { return exports_; }
    QAction* brushAction() const { return brushAction_; }
    StatusLine* statusLine() const { return statusLine_; }
    MapBlockActions* mapBlocks() const { return blocks_; }
    PatchActions* patches() const { return patches_; }
    ScriptActions* scripts() const { return scripts_; }
    TextEditor* textEditor() const;
    ToolManager* tools() const { return tools_; }
    // The window, panels and view choices remembered between runs.
    DeskSettings* desk() const { return desk_; }
    // The status bar's note: the last undo or redo, or why an edit was refused.
    QString statusNote() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The message that reports a save or Save As.
    QString saveResultText(rom::SaveResult result) const;
    // The command table's rows: the file commands, the editor windows,
    // the history, the help.
    void buildCommands();
    void buildHistoryActions();
    void buildViews();
    void buildStatusBar();
    // Every map tool, registered in one place.
    void buildTools();
    void buildViewActions();
    // One row per editor window: the command that opens it and how it is made.
    void addEditorWindow(Command command, CommandRow row, std::function<EditorWindow*()> make);
    // The document opened an image or loaded a submap (or lost it).
    void followDocument(const session::Change& change);
    // Opens `path` once unsaved changes were settled.
    void openSettledPath(const QString& path);
    void updateCaption();
    // While the text editor holds strings that do not fit, asks whether to
    // save what is written; false to cancel the save.
    bool confirmUnwrittenTexts();
    void selectNode(const QString& key);
    QAction* addCommand(Command command, CommandRow row);

    // Every modal box first ends a gesture in progress.
    std::unique_ptr<GuardedDialogs> guardedDialogs_;
    Dialogs& dialogs_;
    QString datDir_;
    session::Document document_;
    // Declared after the document it listens to, so it goes first.
    RomDocument* live_ = nullptr;
    QString currentNode_; // the tree node last clicked
    QString loadedNode_;  // the node of the loaded submap

    CommandTable* commands_ = nullptr;  // menus and the tool bar (frameMenubar)
    std::map<Command, QAction*> commandActions_;
    ToolManager* tools_ = nullptr;
    AreaTree* areaTree_ = nullptr;          // tvAreaList
    AreaWorkspace* workspace_ = nullptr;
    ActorPanel* actorPanel_ = nullptr;
    StairPanel* stairPanel_ = nullptr;
    DoorsPanel* doorsPanel_ = nullptr;          // fraAreaConnections
    WorldController* world_ = nullptr;          // actor and stair mode
    std::vector<QWidget*> views_;           // enabled with setViewsEnabled
    std::array<QLabel*, 4> statusPanels_{}; // mainStatusBar
    // The editor windows in the order they close in.
    struct EditorSlot {
        Command command;
        std::function<EditorWindow*()> make;
        EditorWindow* window = nullptr; // created on first use
    };
    std::vector<EditorSlot> editors_;
    MapZoomActions* zoom_ = nullptr;
    MapHover* hover_ = nullptr;
    MapExports* exports_ = nullptr;
    QAction* brushAction_ = nullptr;
    MapBlockActions* blocks_ = nullptr;
    PatchActions* patches_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    ScriptActions* scripts_ = nullptr;
    RecentFiles* recent_ = nullptr;
    SessionSafety* safety_ = nullptr;
    DeskSettings* desk_ = nullptr;

    QString fileCaption_; // the caption without the modified mark
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* historyAction_ = nullptr;
    QUndoView* historyView_ = nullptr; // created on first use
    QWidget* historyWindow_ = nullptr; // the view's window
};

} // namespace quarry::ui
