#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/gfx/Chr.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/FrameSprites.h"
#include "core/sprites/OamRenderer.h"
#include "core/sprites/Playback.h"

#include "ui/editors/EditorWindow.h"

#include <array>
#include <optional>
#include <map>
#include <set>

class QCheckBox;
class QComboBox;
class QTableWidget;
class QTableWidgetItem;
class QKeyEvent;
class QLabel;
class QLayout;
class QPainter;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace quarry::ui {

class Dialogs;
class PixelView;
class Swatch;
class TileKit;

// The sprite graphic editor: the 256 sprite tiles of an object set chosen in
// the window, painted with the tile kit in sprite palettes 4-7, and the
// game's frames and animations drawn with those tiles. A frame chosen by
// number shows at four times size with its sprite attribute list as text; an
// animation chosen by number shows its first frame in the preview and plays
// there at the game's 60 ticks per second.
//
// The frame's sprites are edited in place: selected by a click in the frame
// view (topmost first) or a row of the sprite table, moved by dragging or
// with the arrow keys, given another tile, palette, flip or priority in the
// table, and removed with Delete. Every change is written into the frame's
// bytes at once, one step of the history per gesture; the frame data never
// moves or grows. Painted tiles go into the object set's sprite bank as they
// are painted. The window shows the image again whenever the document says
// tiles, colours or sprite frames changed.
class SpriteEditor : public EditorWindow {
    Q_OBJECT

public:
    SpriteEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    bool setUpFor(const session::LoadedArea* area) override;
    // Sets the window up afresh with an area palette (its record at
    // `palettePointer`, 0 when the colours are not followed) and mask
    // settings, for the object set chosen last time (0 the first time).
    // Throws RomError when the sprite data cannot be read; the window is not
    // open then.
    void setupEditor(const gfx::AreaPalette& palette, const gfx::PpuMaskSettings& mask,
                     std::uint16_t palettePointer = 0);

    int objectSet() const { return objectSet_; }
    int currentFrame() const { return currentFrame_; }
    int currentAnimation() const { return currentAnimation_; }
    // The index into the animation's frames that the preview shows.
    int previewPosition() const { return previewPosition_; }
    const sprites::Animation& animation() const { return animation_; }
    const sprites::OamList& frameList() const { return frameList_; }
    const sprites::OamList& previewList() const { return previewList_; }
    bool isPlaying() const { return playback_.playing(); }

    // Gestures.
    void chooseObjectSet(int objectSet);
    void chooseAnimation(int animation);
    void chooseFrame(int frame);
    void gotoFrame();
    void play();
    void stopPlayback();
    // One tick of playback: what the playback timer runs every 17 ms.
    void tickPlayback();
    // The preview one frame of the animation further (+1) or back (-1).
    void stepPreview(int step);

    // Frame editing. The selected sprite is a stored entry of the current
    // frame (-1: none).
    const sprites::FrameSprites& frameSprites() const { return frameSprites_; }
    int selectedSprite() const { return selectedSprite_; }
    void selectSprite(int index);
    // The stored entry drawn topmost at a frame view position (logical), or -1.
    int spriteAt(QPoint viewPosition) const;
    // Moves the selected sprite by whole game pixels as one step.
    void nudgeSelected(int dx, int dy);
    void deleteSelected();
    // The frame view: 4x from the reference corner, or the whole 256 x 256 range.
    void setWholeRange(bool whole);
    void setInGame(bool inGame);
    // The current frame as the game shows it, transparent around the sprites;
    // null when no sprite of it is visible.
    QImage framePicture() const;
    void exportFramePng();
    void exportAnimationSheet();

    QComboBox* objectSetList() const { return objectSetList_; }
    QScrollBar* animationBar() const { return animationBar_; }
    QLabel* animationLabel() const { return animationLabel_; }
    PixelView* preview() const { return preview_; }
    QLineEdit* framesBox() const { return framesBox_; }
    QLineEdit* startBox() const { return startBox_; }
    QLineEdit* timerBox() const { return timerBox_; }
    QPushButton* playButton() const { return playButton_; }
    QPushButton* stopButton() const { return stopButton_; }
    QScrollBar* frameBar() const { return frameBar_; }
    QLabel* frameLabel() const { return frameLabel_; }
    QPushButton* gotoButton() const { return gotoButton_; }
    PixelView* frameView() const { return frameView_; }
    QPushButton* editButton() const { return editButton_; }
    QPlainTextEdit* oamTextBox() const { return oamText_; }
    Swatch* paletteSwatch(int index) const { return swatches_.at(static_cast<std::size_t>(index)); }
    TileKit* tileKit() const { return tileKit_; }
    QTimer* playbackTimer() const { return timer_; }
    QTableWidget* spriteTable() const { return spriteTable_; }
    QLabel* sharedNote() const { return sharedNote_; }
    QCheckBox* inGameCheck() const { return inGameCheck_; }
    QCheckBox* wholeRangeCheck() const { return wholeRangeCheck_; }
    QLabel* playingLabel() const { return playingLabel_; }
    QPushButton* stepBackButton() const { return stepBack_; }
    QPushButton* stepForwardButton() const { return stepForward_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    QPushButton* exportFrameButton() const { return exportFrameButton_; }
    QPushButton* exportSheetButton() const { return exportSheetButton_; }

protected:
    void imageChanged(const session::Change& change) override;
    void followDocument() override;
    bool finishEditing() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class NudgeKeys;
    void buildNudgeKeys();
    // The attribute column of a sprite table row.
    QString attributeText(int row, QString* tip) const;
    void buildViews();
    QWidget* buildAnimationColumn();
    QLayout* buildPlaybackButtons(QWidget* column);
    QLayout* buildSpriteSwatches(QWidget* column);
    QWidget* buildFrameColumn();
    // Loads animation a and shows its frame k in the preview.
    void showAnimation(int animation, int position);
    // Builds frame f's list and shows it in the frame view and as text.
    void showFrame(int frame);
    void drawPreview();
    void drawFrameView();
    void drawPaletteSwatches();
    sprites::SpriteArt art() const;
    QWidget* buildSpritePanel();
    // The frame's stored entries read again, the table filled and the
    // selection kept where it still exists.
    void refreshSprites();
    void fillSpriteTable();
    void tableEdited(QTableWidgetItem* item);
    void pressFrameView(QPoint position, int button);
    void moveFrameView(QPoint position, int buttons);
    void releaseFrameView();
    // Whether the edit may go ahead: data other frames share is changed only
    // when the user agreed, asked once per frame. `layoutPart`: the edit
    // writes the layout (positions and attributes of the shared form).
    bool mayChangeShared(bool layoutPart);
    // The frames an edit would change along with this one and the user has
    // not agreed to change with it.
    std::set<int> unapprovedSharers(bool layoutPart) const;
    // One edit of the selected sprite through the document; false when refused.
    bool editSelected(const sprites::SpriteChange& change);
    void changeAttribute(int index, std::uint8_t attribute);
    sprites::ViewPlacement framePlacement() const;
    void drawMarks(QPainter& painter, const sprites::OamList& list, const sprites::ViewPlacement& placement,
                   QSize view, bool outlineSelection) const;
    void showPlayingFrame();

    int objectSet_ = 0;
    std::uint16_t palettePointer_ = 0;
    int currentFrame_ = 0;
    int currentAnimation_ = 0;
    int previewPosition_ = 0;
    gfx::AreaPalette palette_{};
    gfx::PpuMaskSettings mask_;
    sprites::Animation animation_;
    // One builder for the preview and the frame view: a frame whose first
    // sprite keeps the attribute before it takes it from the list built last,
    // whichever view that was for.
    sprites::FrameBuilder builder_;
    sprites::OamList frameList_ = sprites::hiddenOamList();
    sprites::OamList previewList_ = sprites::hiddenOamList();
    sprites::Playback playback_;
    QTimer* timer_ = nullptr;

    QComboBox* objectSetList_ = nullptr; // cmboObjSet
    QScrollBar* animationBar_ = nullptr; // hscrAnimation
    QLabel* animationLabel_ = nullptr;   // lblAnimIndex
    PixelView* preview_ = nullptr;       // picRenderDest
    QLineEdit* framesBox_ = nullptr;     // txtFrames
    QLineEdit* startBox_ = nullptr;      // txtStart
    QLineEdit* timerBox_ = nullptr;      // txtTimer
    QPushButton* playButton_ = nullptr;  // cmdPlay
    QPushButton* stopButton_ = nullptr;  // cmdStop
    QScrollBar* frameBar_ = nullptr;     // hscrFrame
    QLabel* frameLabel_ = nullptr;       // lblFrameIndex
    QPushButton* gotoButton_ = nullptr;  // cmdGotoFrame
    PixelView* frameView_ = nullptr;     // picFrameEditor, painted as one picture
    QPushButton* editButton_ = nullptr;  // cmdEdit
    QPlainTextEdit* oamText_ = nullptr;  // txtOAM
    std::array<Swatch*, 16> swatches_{}; // lblnespal: sprite palettes, area entries 16-31
    TileKit* tileKit_ = nullptr;

    sprites::FrameSprites frameSprites_;
    int selectedSprite_ = -1;
    bool fillingTable_ = false;
    bool inGame_ = false;
    bool wholeRange_ = false;
    // Per frame, the other frames the user agreed to change with it.
    std::map<int, std::set<int>> sharedApproved_;
    struct Drag {
        QPoint start;  // game pixels
        int dy = 0;
        int dx = 0;
        bool begun = false;
    };
    std::optional<Drag> drag_;

    QTableWidget* spriteTable_ = nullptr;
    QLabel* sharedNote_ = nullptr;
    QCheckBox* inGameCheck_ = nullptr;
    QCheckBox* wholeRangeCheck_ = nullptr;
    QLabel* playingLabel_ = nullptr;
    QPushButton* stepBack_ = nullptr;
    QPushButton* stepForward_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* exportFrameButton_ = nullptr;
    QPushButton* exportSheetButton_ = nullptr;
};

} // namespace quarry::ui
