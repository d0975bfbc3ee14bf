#include "ui/ComparePanel.h"

#include "core/rom/DataAddress.h"
#include "core/rom/GameLayout.h"
#include "core/world/AreaCatalogue.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/WorldController.h"
#include "ui/editors/MetatileEditor.h"
#include "ui/editors/SpriteEditor.h"
#include "ui/editors/TextEditor.h"
#include "ui/editors/TileKit.h"
#include "ui/map/MapView.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace quarry::ui {

namespace {

using compare::PartKind;

constexpr int kChangeRole = Qt::UserRole;
constexpr int kFieldRole = Qt::UserRole + 1;

// The groups of the list, in the order the editor shows the data.
QString groupName(PartKind kind)
{
    switch (kind) {
    case PartKind::Screen: return QStringLiteral("Map cells");
    case PartKind::MapHeader: return QStringLiteral("Screen pointers");
    case PartKind::Actors: return QStringLiteral("Actors");
    case PartKind::Stairs: return QStringLiteral("Stairs");
    case PartKind::Doors: return QStringLiteral("Doors");
    case PartKind::Palette:
    case PartKind::PpuMask: return QStringLiteral("Palettes");
    case PartKind::Tiles: return QStringLiteral("Tiles");
    case PartKind::Metatile:
    case PartKind::MetatileLimit:
    case PartKind::Thresholds: return QStringLiteral("Metatiles");
    case PartKind::Text:
    case PartKind::TextSpace: return QStringLiteral("Texts");
    case PartKind::FrameTable:
    case PartKind::FramePointer:
    case PartKind::Animation: return QStringLiteral("Sprites");
    case PartKind::Ferryman:
    case PartKind::ActorTexts: return QStringLiteral("Global properties");
    case PartKind::Directory: return QStringLiteral("Tables");
    case PartKind::Other: return QStringLiteral("Other bytes");
    }
    return QStringLiteral("Other bytes");
}

// The number after `word` in a field name: "actor 3 type" gives 3.
int numberAfter(const std::string& name, const std::string& word)
{
    if (name.rfind(word + " ", 0) != 0)
        return -1;
    try {
        return std::stoi(name.substr(word.size() + 1));
    } catch (const std::exception&) {
        return -1;
    }
}

} // namespace

ComparePanel::ComparePanel(MainWindow& window) : QDockWidget(QStringLiteral("Changes"), &window), window_(window)
{
    setObjectName(QStringLiteral("comparePanel"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    summary_ = new QLabel(body);
    summary_->setWordWrap(true);
    list_ = new QTreeWidget(body);
    list_->setHeaderLabels({QStringLiteral("Change"), QStringLiteral("Before"), QStringLiteral("After")});
    list_->setToolTip(QStringLiteral("Double-click or press Enter on a change to show it"));
    layout->addWidget(summary_);
    layout->addWidget(list_);
    setWidget(body);
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { activate(item); });
    connect(this, &QDockWidget::visibilityChanged, this, [this] { window_.workspace()->mapView()->update(); });
}

void ComparePanel::compare(const rom::RomImage& base, const rom::RomImage& other, const QString& name)
{
    const compare::ImageMap map = compare::ImageMap::build(base);
    changes_ = compare::diffImages(map, base, other, window_.sideData().charTable);
    base_ = base;
    other_ = other;
    setWindowTitle(QStringLiteral("Changes: %1").arg(name));
    summary_->setText(changes_.empty() ? QStringLiteral("No changes.")
                                       : QStringLiteral("%1 parts changed.").arg(changes_.size()));
    list_->clear();
    std::map<QString, QTreeWidgetItem*> groups;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        const compare::PartChange& change = changes_[i];
        QTreeWidgetItem*& group = groups[groupName(change.kind)];
        if (!group) {
            group = new QTreeWidgetItem(list_, {groupName(change.kind)});
            group->setData(0, kChangeRole, -1);
        }
        auto* part = new QTreeWidgetItem(group, {QString::fromStdString(change.name + ": " + change.summary)});
        part->setData(0, kChangeRole, static_cast<int>(i));
        part->setData(0, kFieldRole, -1);
        for (std::size_t f = 0; f < change.changes.size(); ++f) {
            const compare::FieldChange& field = change.changes[f];
            auto* line = new QTreeWidgetItem(part, {QString::fromStdString(field.field), QString::fromStdString(field.before),
                                                    QString::fromStdString(field.after)});
            line->setData(0, kChangeRole, static_cast<int>(i));
            line->setData(0, kFieldRole, static_cast<int>(f));
        }
    }
    list_->expandToDepth(0);
    list_->resizeColumnToContents(0);
    show();
    raise();
    window_.workspace()->mapView()->update();
}

void ComparePanel::activate(QTreeWidgetItem* item)
{
    const int index = item->data(0, kChangeRole).toInt();
    if (index >= 0)
        showChange(index, item->data(0, kFieldRole).toInt());
}

void ComparePanel::loadSubmap(const rom::AreaId& id)
{
    if (const world::SubmapNode* node = world::findSubmap(id)) {
        const auto* area = window_.document().area();
        if (!area || !(area->id == id))
            window_.loadArea(QString::fromStdString(node->key));
    }
}

void ComparePanel::showChange(int index, int field)
{
    if (index < 0 || static_cast<std::size_t>(index) >= changes_.size())
        return;
    const compare::PartChange& change = changes_[static_cast<std::size_t>(index)];
    const std::string fieldName
        = field >= 0 && static_cast<std::size_t>(field) < change.changes.size() ? change.changes[static_cast<std::size_t>(field)].field : "";
    if (change.place.area)
        loadSubmap(*change.place.area);
    if (change.kind == PartKind::Actors || change.kind == PartKind::Stairs) {
        const bool actors = change.kind == PartKind::Actors;
        window_.setEditMode(actors ? EditMode::Actor : EditMode::Stair);
        const int number = numberAfter(fieldName, actors ? "actor" : "stair");
        if (number >= 0)
            actors ? window_.world()->selectActor(number) : window_.world()->selectStair(number);
        return;
    }
    showInEditor(change);
}

void ComparePanel::showInEditor(const compare::PartChange& change)
{
    const compare::Place& place = change.place;
    switch (change.kind) {
    case PartKind::Tiles:
        if (place.sprites) {
            window_.openSpriteEditor();
            window_.spriteEditor()->tileKit()->switchBank(place.bank);
            window_.spriteEditor()->tileKit()->selectTile(place.number);
        } else {
            window_.openMetatileEditor();
            window_.metatileEditor()->tileKit()->switchBank(place.bank);
            window_.metatileEditor()->tileKit()->selectTile(place.number);
        }
        break;
    case PartKind::Metatile:
    case PartKind::MetatileLimit:
    case PartKind::Thresholds:
        for (const rom::AreaId& id : world::catalogueSubmaps())
            if (id.objectSet == place.objectSet) {
                loadSubmap(id);
                break;
            }
        window_.openMetatileEditor();
        if (change.kind == PartKind::Metatile)
            window_.metatileEditor()->selectMetatile(place.number);
        break;
    case PartKind::Text:
        window_.openTextEditor();
        window_.textEditor()->textList()->setCurrentRow(place.number);
        break;
    case PartKind::FrameTable:
        window_.openSpriteEditor();
        window_.spriteEditor()->chooseFrame(place.number);
        break;
    case PartKind::Animation:
        window_.openSpriteEditor();
        window_.spriteEditor()->chooseAnimation(place.number);
        break;
    case PartKind::Palette:
    case PartKind::PpuMask:
        window_.openPaletteEditor();
        break;
    case PartKind::Screen:
        window_.setEditMode(EditMode::Map);
        break;
    default:
        break;
    }
}

void ComparePanel::paintMarks(QPainter& painter) const
{
    const auto* area = window_.document().area();
    if (!isVisible() || !area || base_.size() != other_.size())
        return;
    painter.setBrush(QColor(255, 0, 255, 60));
    painter.setPen(QPen(QColor(255, 0, 255), 2));
    const rom::AreaMap& map = area->map;
    for (std::size_t position = 0; position < map.screenTable.size(); ++position) {
        std::size_t start = 0;
        try {
            start = rom::bodyIndexOf(map.screenTable[position], rom::DataKind::AreaData, "a screen");
        } catch (const std::exception&) {
            continue;
        }
        const int sx = static_cast<int>(position % map.screensWide);
        const int sy = static_cast<int>(position / map.screensWide);
        for (int cell = 0; cell < static_cast<int>(layout::kScreenBytes); ++cell) {
            const std::size_t at = start + static_cast<std::size_t>(cell);
            if (at >= base_.size() || base_.body()[at] == other_.body()[at])
                continue;
            painter.drawRect(QRect(sx * layout::kScreenWidth + (cell % layout::kScreenColumns) * layout::kMetatilePixels + 1,
                                   sy * layout::kScreenHeight + (cell / layout::kScreenColumns) * layout::kMetatilePixels + 1,
                                   layout::kMetatilePixels - 2, layout::kMetatilePixels - 2));
        }
    }
}

} // namespace quarry::ui
