#include "ui/MapBlockActions.h"

#include "core/RomError.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/map/MapView.h"
#include "ui/map/SharedConsent.h"
#include "ui/map/SharedScreensLayer.h"
#include "ui/tools/BlockTools.h"
#include "ui/tools/MapSelection.h"
#include "ui/tools/ToolManager.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>

namespace quarry::ui {

namespace {

QString blockSize(const session::MetatileBlock& block)
{
    return QStringLiteral("%1 x %2").arg(block.columns).arg(block.rows);
}

// A block copied in one of our windows, with the object set it came from.
std::optional<session::BlockEnvelope> ownBlock(const QMimeData* mime)
{
    if (!mime || !mime->hasFormat(QLatin1String(MapBlockActions::kBlockMimeType)))
        return std::nullopt;
    return session::readBlockEnvelope(mime->data(QLatin1String(MapBlockActions::kBlockMimeType)).toStdString());
}

} // namespace

MapBlockActions::MapBlockActions(RomDocument& document, Dialogs& dialogs, AreaWorkspace& workspace,
                                 ToolManager& tools, ToolIds ids, QWidget* window)
    : QObject(window), document_(document), dialogs_(dialogs), workspace_(workspace), tools_(tools), ids_(ids),
      window_(window)
{
    MapView& view = *workspace_.mapView();
    selection_ = new MapSelection(this);
    shared_ = new SharedScreensLayer(document_, view, this);
    consent_ = new SharedConsent(document_, dialogs_, *shared_, window_);
    document_.setConsent(consent_);
    view.setOverlay(MapView::OverlayLayer::Selection, [this](QPainter& painter) { selection_->paint(painter); });
    connect(selection_, &MapSelection::changed, view.viewport(), qOverload<>(&QWidget::update));

    tools_.setAltPicker([this](QPoint pixel) { pickAt(pixel); });

    // With the Select tool, a click beside or below the map is a click
    // outside the selection.
    connect(&view, &MapView::besideMapPressed, this, [this] {
        if (tools_.current() == ids_.select)
            selection_->clear();
    });
    connect(&workspace_, &AreaWorkspace::areaShown, this, [this] {
        selection_->clear();
        shared_->forget();
        consent_->areaShown();
    });
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        // A patch or an undo may have changed the map's size.
        const session::LoadedArea* area = document_.document().area();
        if (change.kinds == session::kEverythingChanged && selection_->rect())
            selection_->set(area ? std::optional(session::clippedToMap(area->map, *selection_->rect()))
                                 : std::nullopt);
    });
    buildActions();
}

void MapBlockActions::buildActions()
{
    auto make = [this](const char* text, const QKeySequence& key, void (MapBlockActions::*slot)()) {
        auto* action = new QAction(QString::fromLatin1(text), window_);
        action->setShortcut(key);
        // Text boxes of the main window keep their own Ctrl+C, Delete and so
        // on: a shortcut only wins where the focused widget does not want
        // the key.
        action->setShortcutContext(Qt::WindowShortcut);
        window_->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    cut_ = make("Cu&t", QKeySequence::Cut, &MapBlockActions::cutSelection);
    copy_ = make("&Copy", QKeySequence::Copy, &MapBlockActions::copySelection);
    paste_ = make("&Paste", QKeySequence::Paste, &MapBlockActions::paste);
    delete_ = make("&Delete", QKeySequence::Delete, &MapBlockActions::deleteSelection);
    selectAll_ = make("Select &All", QKeySequence::SelectAll, &MapBlockActions::selectAll);
    deselect_ = make("Deselect", QKeySequence(Qt::Key_Escape), &MapBlockActions::cancel);
    sharedView_ = new QAction(QStringLiteral("&Shared Screens"), window_);
    sharedView_->setObjectName(QStringLiteral("layerSharedScreens"));
    sharedView_->setCheckable(true);
    sharedView_->setToolTip(QStringLiteral("Outline the screens whose data other positions or maps show too"));
    connect(sharedView_, &QAction::toggled, shared_, &SharedScreensLayer::setShown);
}

std::unique_ptr<MapTool> MapBlockActions::makeSelectTool()
{
    return std::make_unique<SelectTool>(document_, *selection_);
}

std::unique_ptr<MapTool> MapBlockActions::makeFillTool()
{
    return std::make_unique<FillTool>(
        document_, dialogs_, workspace_, *selection_, [this](const session::Document::CellEdit& edit) { cellsWritten(edit); },
        [this](const QString& text) { emit statusMessage(text); });
}

std::unique_ptr<MapTool> MapBlockActions::makePickTool()
{
    return std::make_unique<PickTool>([this](QPoint pixel) { pickAt(pixel); });
}

std::unique_ptr<MapTool> MapBlockActions::makeStampTool()
{
    auto stamp = std::make_unique<StampTool>(
        document_, dialogs_, *workspace_.mapView(),
        [this](const session::Document::CellEdit& edit) { cellsWritten(edit); });
    stamp_ = stamp.get();
    return stamp;
}

QList<QAction*> MapBlockActions::editActions() const
{
    return {cut_, copy_, paste_, delete_, selectAll_, deselect_};
}

void MapBlockActions::cellsWritten(const session::Document::CellEdit& edit)
{
    QString note;
    runGuarded(dialogs_, window_, [&] { note = shared_->reachNote(edit); });
    emit statusMessage(note);
}

void MapBlockActions::pickAt(QPoint mapPixel)
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    const auto cell = session::cellAtPixel(area->map, mapPixel.x(), mapPixel.y());
    if (!cell)
        return;
    const int metatile = session::metatileAt(area->map, *cell);
    const QString number = hexByte(metatile);
    if (workspace_.chooseMetatile(metatile))
        emit statusMessage(QStringLiteral("Picked metatile %1").arg(number));
    else
        emit statusMessage(QStringLiteral("Metatile %1 is not offered for this object set").arg(number));
}

void MapBlockActions::selectAll()
{
    if (const session::LoadedArea* area = document_.document().area())
        selection_->set(session::wholeMap(area->map));
}

void MapBlockActions::copySelection()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area || !selection_->rect()) {
        emit statusMessage(QStringLiteral("Nothing is selected: drag over cells with the Select tool (R)"));
        return;
    }
    const session::MetatileBlock block = session::copyBlock(area->map, *selection_->rect());
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(session::blockText(block)));
    mime->setData(QLatin1String(kBlockMimeType),
                  QByteArray::fromStdString(session::blockEnvelope(area->id.objectSet, block)));
    QGuiApplication::clipboard()->setMimeData(mime);
    emit statusMessage(QStringLiteral("Copied a %1 block").arg(blockSize(block)));
}

void MapBlockActions::clearSelection(const char* verb)
{
    const session::LoadedArea* area = document_.document().area();
    if (!area || !selection_->rect()) {
        emit statusMessage(QStringLiteral("Nothing is selected: drag over cells with the Select tool (R)"));
        return;
    }
    const session::CellRect rect = *selection_->rect();
    const session::MetatileBlock zeros = session::solidBlock(rect.columns, rect.rows, 0);
    const std::vector<session::PlacedCell> cells = session::placeBlock(area->map, {rect.column, rect.row}, zeros);
    if (!document_.mayWriteScreens(screensChanged(area->map, cells)))
        return;
    session::Document::CellEdit edit;
    runGuarded(dialogs_, window_, [&] {
        edit = document_.document().stampBlock({rect.column, rect.row}, zeros,
                                               std::string(verb) + " " + blockSize(zeros).toStdString() + " block");
    });
    cellsWritten(edit);
}

void MapBlockActions::cutSelection()
{
    if (!selection_->rect() || !document_.document().area()) {
        copySelection(); // says there is nothing to cut
        return;
    }
    copySelection();
    clearSelection("Cut");
}

void MapBlockActions::deleteSelection()
{
    clearSelection("Delete");
}

void MapBlockActions::paste()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QString text;
    if (const auto own = ownBlock(mime)) {
        if (own->objectSet != area->id.objectSet) {
            dialogs_.showMessage(window_, QStringLiteral("The block was copied from a map of object set %1; it can only "
                                                         "be pasted into maps of object set %1.")
                                              .arg(own->objectSet));
            return;
        }
        text = QString::fromStdString(own->text);
    } else if (mime && mime->hasText()) {
        text = mime->text();
    } else {
        dialogs_.showMessage(window_, QStringLiteral("The clipboard holds no block of metatiles."));
        return;
    }
    session::MetatileBlock block;
    try {
        block = session::parseBlockText(text.toStdString());
    } catch (const RomError& error) {
        dialogs_.showMessage(window_, QStringLiteral("The clipboard holds no block of metatiles (%1).")
                                          .arg(QString::fromUtf8(error.what())));
        return;
    }
    if (const std::string unoffered = document_.document().unofferedMetatiles(block.cells); !unoffered.empty()) {
        const QString why = QString::fromStdString(unoffered);
        dialogs_.showMessage(window_, QStringLiteral("The block cannot be pasted here: %1.").arg(why));
        return;
    }
    stamp_->setBlock(block);
    tools_.setCurrent(ids_.stamp);
    // The block shows under the pointer at once when it is over the map.
    MapView& view = *workspace_.mapView();
    const QPoint pointer = view.viewport()->mapFromGlobal(QCursor::pos());
    if (view.viewport()->rect().contains(pointer))
        stamp_->hover(view.toMapPixel(QPointF(pointer)));
    emit statusMessage(QStringLiteral("Click to place the %1 block; Escape ends pasting").arg(blockSize(block)));
}

void MapBlockActions::cancel()
{
    if (tools_.current() == ids_.stamp) {
        const int back = tools_.previous();
        tools_.setCurrent(back >= 0 && back != ids_.stamp ? back : ids_.select);
        emit statusMessage(QString());
        return;
    }
    selection_->clear();
}

} // namespace quarry::ui
