// The sprite editor's frame view: selecting, dragging and nudging sprites,
// removing them, the marks of sprites outside the view and the view modes.
#include "ui/editors/SpriteEditor.h"

#include "core/session/Document.h"
#include "core/sprites/SpriteGeometry.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace quarry::ui {

namespace {

QRect spriteBox(const sprites::OamEntry& entry)
{
    const sprites::GameRect rect = sprites::spriteRect(entry);
    return {rect.x, rect.y, rect.width, rect.height};
}

QRect toView(const QRect& game, const sprites::ViewPlacement& placement)
{
    const int scale = std::max(placement.scale, 1);
    return {(game.x() - placement.left) * scale, (game.y() - placement.top) * scale, game.width() * scale,
            game.height() * scale};
}

// The mark standing for a sprite that lies outside the view: a small square
// on the edge nearest to where the sprite is.
QRect markRect(const QRect& sprite, QSize view)
{
    constexpr int kMark = 6;
    return {std::clamp(sprite.center().x(), 0, view.width() - kMark),
            std::clamp(sprite.center().y(), 0, view.height() - kMark), kMark, kMark};
}

} // namespace

void SpriteEditor::selectSprite(int index)
{
    const int count = static_cast<int>(frameSprites_.sprites.size());
    selectedSprite_ = index >= 0 && index < count ? index : -1;
    if (selectedSprite_ >= 0) {
        tileKit_->selectTile(frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)].tile);
        if (spriteTable_->currentRow() != selectedSprite_) {
            fillingTable_ = true;
            spriteTable_->setCurrentCell(selectedSprite_, 0);
            fillingTable_ = false;
        }
    } else {
        spriteTable_->clearSelection();
    }
    deleteButton_->setEnabled(selectedSprite_ >= 0);
    frameView_->update();
    preview_->update();
}

sprites::ViewPlacement SpriteEditor::framePlacement() const
{
    return wholeRange_ ? sprites::wholeRangePlacement() : sprites::ViewPlacement{sprites::kFrameViewScale, 0, 0};
}

int SpriteEditor::spriteAt(QPoint viewPosition) const
{
    const sprites::ViewPlacement placement = framePlacement();
    const QPoint game(viewPosition.x() / placement.scale + placement.left,
                      viewPosition.y() / placement.scale + placement.top);
    const int count = std::min(static_cast<int>(frameSprites_.sprites.size()), sprites::kOamEntries);
    // Seen as in game, a sprite is taken where it has colour, so a click
    // through another's transparent pixels reaches the one that shows there.
    auto coloured = [&](const sprites::OamEntry& entry) {
        return sprites::spriteColouredAt(entry, tileKit_->tiles(), game.x(), game.y());
    };
    // Entry 0 is drawn last, so it is the one on top.
    for (const bool needColour : {inGame_, false})
        for (int k = 0; k < count; ++k) {
            const sprites::OamEntry entry = sprites::oamEntry(frameList_, k);
            if (!entry.hidden() && spriteBox(entry).contains(game) && (!needColour || coloured(entry)))
                return k;
        }
    // A sprite outside the view is taken by its mark on the edge.
    const QRect area(QPoint(0, 0), frameView_->logicalSize());
    for (int k = 0; k < count; ++k) {
        const sprites::OamEntry entry = sprites::oamEntry(frameList_, k);
        const QRect rect = toView(spriteBox(entry), placement);
        if (!entry.hidden() && !rect.intersects(area)
            && markRect(rect, area.size()).adjusted(-2, -2, 2, 2).contains(viewPosition))
            return k;
    }
    return -1;
}

void SpriteEditor::pressFrameView(QPoint position, int button)
{
    if (!isEditing() || button != 1)
        return;
    selectSprite(spriteAt(position));
    drag_.reset();
    if (selectedSprite_ < 0)
        return;
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)];
    const sprites::ViewPlacement placement = framePlacement();
    drag_ = Drag{QPoint(position.x() / placement.scale, position.y() / placement.scale), sprite.dy, sprite.dx, false};
    // Asked at the press: the box takes the release, so this press drags
    // nothing, and after Change the next one drags freely.
    const bool layoutPart = frameSprites_.form == sprites::FrameForm::Shared;
    if (!unapprovedSharers(layoutPart).empty()) {
        mayChangeShared(layoutPart);
        drag_.reset();
    }
}

void SpriteEditor::moveFrameView(QPoint position, int buttons)
{
    if (!drag_ || (buttons & 1) == 0 || selectedSprite_ < 0)
        return;
    const sprites::ViewPlacement placement = framePlacement();
    // Whole game pixels: four screen pixels each at four times size.
    // X wraps as on screen: one pixel left of dx 0 is dx 255.
    const int dx = sprites::wrappedDx(drag_->dx + position.x() / placement.scale - drag_->start.x());
    const int dy = sprites::clampedDy(drag_->dy + position.y() / placement.scale - drag_->start.y());
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)];
    if (dx == sprite.dx && dy == sprite.dy)
        return;
    if (!drag_->begun) {
        if (!mayChangeShared(frameSprites_.form == sprites::FrameForm::Shared)) {
            drag_.reset();
            return;
        }
        document_.beginGesture(QStringLiteral("Move sprite %1 of frame %2").arg(selectedSprite_).arg(hexByte(currentFrame_)),
                               this, [this] { drag_.reset(); });
        drag_->begun = true;
    }
    if (!runGuarded(dialogs_, this, [&] { document_.document().setFrameSprite(currentFrame_, selectedSprite_, {dy, dx}); })) {
        document_.endGesture();
        drag_.reset();
    }
}

void SpriteEditor::releaseFrameView()
{
    if (drag_ && drag_->begun)
        document_.endGesture();
    drag_.reset();
}

bool SpriteEditor::editSelected(const sprites::SpriteChange& change)
{
    if (selectedSprite_ < 0 || !isEditing())
        return false;
    const bool layoutPart = frameSprites_.form == sprites::FrameForm::Shared
                            && (change.dy || change.dx || change.attribute);
    if (!mayChangeShared(layoutPart))
        return false;
    const int index = selectedSprite_;
    return runGuarded(dialogs_, this, [&] { document_.document().setFrameSprite(currentFrame_, index, change); });
}

void SpriteEditor::nudgeSelected(int dx, int dy)
{
    if (selectedSprite_ < 0)
        return;
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)];
    const int newDx = sprites::wrappedDx(sprite.dx + dx);
    const int newDy = sprites::clampedDy(sprite.dy + dy);
    if (newDx == sprite.dx && newDy == sprite.dy)
        return;
    editSelected({newDy, newDx});
}

void SpriteEditor::deleteSelected()
{
    if (selectedSprite_ < 0 || !isEditing())
        return;
    const int index = selectedSprite_;
    if (!mayChangeShared(frameSprites_.form == sprites::FrameForm::Shared))
        return;
    if (runGuarded(dialogs_, this, [&] { document_.document().deleteFrameSprite(currentFrame_, index); }))
        selectSprite(std::min(index, static_cast<int>(frameSprites_.sprites.size()) - 1));
}

void SpriteEditor::drawMarks(QPainter& painter, const sprites::OamList& list, const sprites::ViewPlacement& placement,
                             QSize view, bool outlineSelection) const
{
    const QRect area(QPoint(0, 0), view);
    const int selected = outlineSelection ? selectedSprite_ : -1;
    for (int k = sprites::kOamEntries - 1; k >= 0; --k) {
        const sprites::OamEntry entry = sprites::oamEntry(list, k);
        if (entry.hidden())
            continue;
        const QRect rect = toView(spriteBox(entry), placement);
        const QColor colour = k == selected ? QColor(255, 230, 0) : QColor(255, 80, 200);
        if (rect.intersects(area)) {
            if (k == selected) {
                painter.setPen(QPen(colour, 1));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRect(markRect(rect, view));
    }
}

void SpriteEditor::setWholeRange(bool whole)
{
    wholeRange_ = whole;
    if (wholeRangeCheck_->isChecked() != whole)
        wholeRangeCheck_->setChecked(whole);
    drawFrameView();
}

void SpriteEditor::setInGame(bool inGame)
{
    inGame_ = inGame;
    if (inGameCheck_->isChecked() != inGame)
        inGameCheck_->setChecked(inGame);
    drawPreview();
    drawFrameView();
}

void SpriteEditor::stepPreview(int step)
{
    if (!isEditing())
        return;
    stopPlayback();
    const int count = animation_.frameCount();
    previewPosition_ = ((previewPosition_ + step) % count + count) % count;
    showAnimation(currentAnimation_, previewPosition_);
}

void SpriteEditor::showPlayingFrame()
{
    playingLabel_->setText(QString::fromLatin1(texts::sprite::kPlayingFrame).arg(hexByte(animation_.frameNumber(previewPosition_))));
    preview_->update();
}

} // namespace quarry::ui
