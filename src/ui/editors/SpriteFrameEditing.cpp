// The sprite editor's frame editing: the sprite table, selection, dragging
// and nudging in the frame view, removal and the view modes.
#include "ui/editors/SpriteEditor.h"

#include "core/gfx/Chr.h"
#include "core/rom/Hex.h"
#include "core/sprites/SpriteText.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"
#include "ui/editors/TileKit.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quarry::ui {

namespace {

namespace t = texts::sprite;

enum Column { kIndex, kDy, kTile, kPalette, kFlipH, kFlipV, kBehind, kAttribute, kDx, kColumns };
constexpr std::uint8_t kFlipHBit = 0x40;
constexpr std::uint8_t kFlipVBit = 0x80;
constexpr std::uint8_t kBehindBit = 0x20;
constexpr int kGameRange = 256;

QString hex2(int value)
{
    return QString::fromStdString(hexDigits(static_cast<std::uint32_t>(value & 0xFF), 2));
}

// Frame numbers for notes and questions; a long run is cut short.
QString numberList(const std::vector<int>& frames)
{
    constexpr std::size_t kShown = 8;
    if (frames.size() <= kShown)
        return QString::fromStdString(sprites::frameNumberList(frames));
    const std::vector<int> first(frames.begin(), frames.begin() + kShown);
    return QStringLiteral("%1 and %2 more").arg(QString::fromStdString(sprites::frameNumberList(first)))
        .arg(frames.size() - kShown);
}

// Where a visible entry lies in game pixels: the upper half's corner and 8 x 16.
QRect spriteRect(const sprites::OamEntry& entry)
{
    return {entry.x, (entry.y - 8) & 0xFF, sprites::kSpriteWidth, sprites::kSpriteHeight};
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

QWidget* SpriteEditor::buildSpritePanel()
{
    auto* panel = new QWidget(this);
    sharedNote_ = new QLabel(panel);
    sharedNote_->setWordWrap(true);
    spriteTable_ = new QTableWidget(0, kColumns, panel);
    QStringList headers;
    for (const char* header : t::kSpriteColumns)
        headers << QString::fromLatin1(header);
    spriteTable_->setHorizontalHeaderLabels(headers);
    for (int column = 0; column < kColumns; ++column)
        spriteTable_->horizontalHeaderItem(column)->setToolTip(QString::fromLatin1(t::kSpriteColumnTips[column]));
    spriteTable_->verticalHeader()->hide();
    spriteTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    spriteTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    spriteTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    spriteTable_->setMinimumHeight(160);
    spriteTable_->setMinimumWidth(330);
    connect(spriteTable_, &QTableWidget::itemChanged, this, &SpriteEditor::tableEdited);
    connect(spriteTable_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!fillingTable_ && row != selectedSprite_)
            selectSprite(row);
    });
    deleteButton_ = new QPushButton(QString::fromLatin1(t::kDeleteSprite), panel);
    connect(deleteButton_, &QPushButton::clicked, this, &SpriteEditor::deleteSelected);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sharedNote_);
    layout->addWidget(spriteTable_);
    layout->addWidget(deleteButton_, 0, Qt::AlignLeft);
    return panel;
}

void SpriteEditor::refreshSprites()
{
    try {
        frameSprites_ = sprites::readFrameSprites(document_.document().rom(), currentFrame_);
    } catch (const std::exception&) {
        // The frame's own drawing has said why it cannot be read.
        frameSprites_ = sprites::FrameSprites{};
        frameSprites_.frame = currentFrame_;
    }
    const int count = static_cast<int>(frameSprites_.sprites.size());
    selectedSprite_ = std::min(selectedSprite_, count - 1);
    QStringList notes;
    if (!frameSprites_.sameData.empty())
        notes << QString::fromLatin1(t::kSameData).arg(numberList(frameSprites_.sameData));
    if (!frameSprites_.sameLayout.empty())
        notes << QString::fromLatin1(t::kSameLayout).arg(numberList(frameSprites_.sameLayout));
    sharedNote_->setText(notes.join(QStringLiteral("; ")));
    sharedNote_->setVisible(!notes.isEmpty());
    fillSpriteTable();
    deleteButton_->setEnabled(selectedSprite_ >= 0);
    frameView_->update();
    preview_->update();
}

void SpriteEditor::fillSpriteTable()
{
    fillingTable_ = true;
    const int count = static_cast<int>(frameSprites_.sprites.size());
    spriteTable_->setRowCount(count);
    // Items are reused, so an edit made from a cell never deletes that cell.
    auto cell = [this](int row, int column) {
        QTableWidgetItem* item = spriteTable_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            spriteTable_->setItem(row, column, item);
        }
        return item;
    };
    for (int row = 0; row < count; ++row) {
        const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(row)];
        QString attributeTip;
        const std::pair<Column, QString> texts[] = {
            {kIndex, QString::number(row)},
            {kDy, QString::number(sprite.dy)},
            {kTile, hex2(sprite.tile)},
            {kPalette, QString::number((sprite.attribute & 3) + 4)},
            {kAttribute, attributeText(row, &attributeTip)},
            {kDx, QString::fromStdString(sprites::dxText(static_cast<std::uint8_t>(sprite.dx)))}};
        for (const auto& [column, text] : texts) {
            QTableWidgetItem* item = cell(row, column);
            item->setText(text);
            const bool editable = column != kIndex && column != kAttribute;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        }
        cell(row, kAttribute)->setToolTip(attributeTip);
        const std::pair<Column, std::uint8_t> bits[] = {{kFlipH, kFlipHBit}, {kFlipV, kFlipVBit}, {kBehind, kBehindBit}};
        for (const auto& [column, bit] : bits) {
            QTableWidgetItem* item = cell(row, column);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState((sprite.attribute & bit) ? Qt::Checked : Qt::Unchecked);
        }
    }
    if (selectedSprite_ >= 0)
        spriteTable_->setCurrentCell(selectedSprite_, spriteTable_->currentColumn() < 0 ? 0 : spriteTable_->currentColumn());
    else
        spriteTable_->clearSelection();
    fillingTable_ = false;
}

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
    if (!wholeRange_)
        return {sprites::kFrameViewScale, 0, 0};
    // The whole range at 1:1 in the middle of the view.
    return {1, -(sprites::kFrameViewWidth - kGameRange) / 2, -(sprites::kFrameViewHeight - kGameRange) / 2};
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
        const QRect rect = spriteRect(entry);
        int column = game.x() - rect.x();
        int row = game.y() - rect.y();
        if (entry.attribute & kFlipHBit)
            column = sprites::kSpriteWidth - 1 - column;
        if (entry.attribute & kFlipVBit)
            row = sprites::kSpriteHeight - 1 - row;
        const int tile = row < gfx::kTileSize ? entry.tile ^ 1 : entry.tile;
        const std::size_t at = static_cast<std::size_t>(tile) * gfx::kPixelsPerTile
                               + static_cast<std::size_t>((row % gfx::kTileSize) * gfx::kTileSize + column);
        return at < tileKit_->tiles().size() && tileKit_->tiles()[at] != 0;
    };
    // Entry 0 is drawn last, so it is the one on top.
    for (const bool needColour : {inGame_, false})
        for (int k = 0; k < count; ++k) {
            const sprites::OamEntry entry = sprites::oamEntry(frameList_, k);
            if (!entry.hidden() && spriteRect(entry).contains(game) && (!needColour || coloured(entry)))
                return k;
        }
    // A sprite outside the view is taken by its mark on the edge.
    const QRect area(QPoint(0, 0), frameView_->logicalSize());
    for (int k = 0; k < count; ++k) {
        const sprites::OamEntry entry = sprites::oamEntry(frameList_, k);
        const QRect rect = toView(spriteRect(entry), placement);
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
    const int dx = (drag_->dx + position.x() / placement.scale - drag_->start.x()) & 0xFF;
    const int dy = std::clamp(drag_->dy + position.y() / placement.scale - drag_->start.y(), sprites::kMinSpriteDy,
                              sprites::kMaxSpriteDy);
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)];
    if (dx == sprite.dx && dy == sprite.dy)
        return;
    if (!drag_->begun) {
        if (!mayChangeShared(frameSprites_.form == sprites::FrameForm::Shared)) {
            drag_.reset();
            return;
        }
        document_.beginGesture(QStringLiteral("Move sprite %1 of frame %2").arg(selectedSprite_).arg(hex2(currentFrame_)),
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

void SpriteEditor::changeAttribute(int index, std::uint8_t attribute)
{
    selectedSprite_ = index;
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(index)];
    if (sprite.ownAttribute) {
        editSelected({.attribute = attribute});
        return;
    }
    // No byte of its own: the attribute it shows belongs to the sprite it takes it from.
    if (sprite.attributeFrom) {
        QStringList group;
        for (int member : sprites::attributeGroup(frameSprites_, index))
            group << QString::number(member);
        if (!dialogs_.askYesNo(this, QString::fromLatin1(t::kAskSharedAttribute)
                                         .arg(index)
                                         .arg(*sprite.attributeFrom)
                                         .arg(group.join(QStringLiteral(", ")))))
            return;
    }
    if (mayChangeShared(frameSprites_.form == sprites::FrameForm::Shared))
        runGuarded(dialogs_, this,
                   [&] { document_.document().setSharedSpriteAttribute(currentFrame_, index, attribute); });
}

void SpriteEditor::tableEdited(QTableWidgetItem* item)
{
    if (fillingTable_ || !isEditing() || !item)
        return;
    const int row = item->row();
    if (row < 0 || row >= static_cast<int>(frameSprites_.sprites.size()))
        return;
    selectedSprite_ = row;
    const sprites::StoredSprite sprite = frameSprites_.sprites[static_cast<std::size_t>(row)];
    const int column = item->column();
    bool ok = true;
    const QString text = item->text().trimmed();
    switch (column) {
    case kDy: {
        const int value = text.toInt(&ok);
        if (ok)
            editSelected({.dy = value});
        break;
    }
    case kDx: {
        const auto value = sprites::parseDxText(text.toStdString(), static_cast<std::uint8_t>(sprite.dx));
        ok = value.has_value();
        if (ok)
            editSelected({.dx = *value});
        break;
    }
    case kTile: {
        const int value = QString(text).remove(QLatin1Char('$')).toInt(&ok, 16);
        if (ok)
            editSelected({.tile = value});
        break;
    }
    case kPalette: {
        const int value = text.toInt(&ok);
        ok = ok && value >= 4 && value <= 7;
        if (ok)
            changeAttribute(row, static_cast<std::uint8_t>((sprite.attribute & ~3) | (value - 4)));
        break;
    }
    case kFlipH:
    case kFlipV:
    case kBehind: {
        const std::uint8_t bit = column == kFlipH ? kFlipHBit : column == kFlipV ? kFlipVBit : kBehindBit;
        const bool set = item->checkState() == Qt::Checked;
        if (set != ((sprite.attribute & bit) != 0))
            changeAttribute(row, static_cast<std::uint8_t>(set ? sprite.attribute | bit : sprite.attribute & ~bit));
        break;
    }
    default:
        break;
    }
    if (!ok) {
        dialogs_.showMessage(this, QString::fromLatin1(t::kNotANumber).arg(text, QString::fromLatin1(t::kSpriteColumnTips[column])));
    }
    // Refused or not, the table shows what the image holds.
    refreshSprites();
}

void SpriteEditor::nudgeSelected(int dx, int dy)
{
    if (selectedSprite_ < 0)
        return;
    const sprites::StoredSprite& sprite = frameSprites_.sprites[static_cast<std::size_t>(selectedSprite_)];
    const int newDx = (sprite.dx + dx) & 0xFF;
    const int newDy = std::clamp(sprite.dy + dy, sprites::kMinSpriteDy, sprites::kMaxSpriteDy);
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
        const QRect rect = toView(spriteRect(entry), placement);
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
    playingLabel_->setText(QString::fromLatin1(t::kPlayingFrame).arg(hex2(animation_.frameNumber(previewPosition_))));
    preview_->update();
}

} // namespace quarry::ui
