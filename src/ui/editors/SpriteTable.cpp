// The sprite editor's sprite table: the frame's stored entries, one row
// each, edited in place, with the note on frames sharing the data.
#include "ui/editors/SpriteEditor.h"

#include "core/session/Document.h"
#include "core/sprites/SpriteGeometry.h"
#include "core/sprites/SpriteText.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/PixelView.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quarry::ui {

namespace {

namespace t = texts::sprite;

enum Column { kIndex, kDy, kTile, kPalette, kFlipH, kFlipV, kBehind, kAttribute, kDx, kColumns };

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
            {kTile, hexByte(sprite.tile)},
            {kPalette, QString::number(sprites::shownPalette(sprite.attribute))},
            {kAttribute, attributeText(row, &attributeTip)},
            {kDx, QString::fromStdString(sprites::dxText(static_cast<std::uint8_t>(sprite.dx)))}};
        for (const auto& [column, text] : texts) {
            QTableWidgetItem* item = cell(row, column);
            item->setText(text);
            const bool editable = column != kIndex && column != kAttribute;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        }
        cell(row, kAttribute)->setToolTip(attributeTip);
        const std::pair<Column, std::uint8_t> bits[] = {
            {kFlipH, sprites::kFlipHBit}, {kFlipV, sprites::kFlipVBit}, {kBehind, sprites::kBehindBit}};
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
        ok = ok && value >= sprites::kFirstShownPalette && value < sprites::kFirstShownPalette + 4;
        if (ok)
            changeAttribute(row, sprites::withShownPalette(sprite.attribute, value));
        break;
    }
    case kFlipH:
    case kFlipV:
    case kBehind: {
        const std::uint8_t bit = column == kFlipH   ? sprites::kFlipHBit
                                 : column == kFlipV ? sprites::kFlipVBit
                                                    : sprites::kBehindBit;
        const bool set = item->checkState() == Qt::Checked;
        if (set != ((sprite.attribute & bit) != 0))
            changeAttribute(row, sprites::withBit(sprite.attribute, bit, set));
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

} // namespace quarry::ui
