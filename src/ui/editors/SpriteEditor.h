#pragma once

#include "core/gfx/AreaPalette.h"
#include "core/gfx/Chr.h"
#include "core/sprites/Animations.h"
#include "core/sprites/FrameOam.h"
#include "core/sprites/OamRenderer.h"
#include "core/sprites/Playback.h"

#include "ui/editors/EditorWindow.h"

#include <array>

class QComboBox;
class QLabel;
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
// Frames and animations are only shown. Painted tiles go into the object
// set's sprite bank as they are painted, and the window shows the image
// again whenever the document says tiles or colours changed.
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

protected:
    void imageChanged(const session::Change& change) override;
    bool finishEditing() override;

private:
    void buildViews();
    QWidget* buildAnimationColumn();
    QWidget* buildFrameColumn();
    // Loads animation a and shows its frame k in the preview.
    void showAnimation(int animation, int position);
    // Builds frame f's list and shows it in the frame view and as text.
    void showFrame(int frame);
    void drawPreview();
    void drawFrameView();
    void drawPaletteSwatches();
    sprites::SpriteArt art() const;

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
};

} // namespace quarry::ui
