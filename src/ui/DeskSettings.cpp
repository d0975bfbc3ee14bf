#include "ui/DeskSettings.h"

#include "core/session/LoadedArea.h"
#include "core/world/AreaCatalogue.h"
#include "ui/AreaTree.h"
#include "ui/AreaWorkspace.h"
#include "ui/MainWindow.h"
#include "ui/Settings.h"
#include "ui/map/MapView.h"
#include "ui/panels/GridPanel.h"
#include "ui/shell/CommandPlaces.h"
#include "ui/shell/CommandTable.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <exception>
#include <utility>

namespace quarry::ui {

namespace {

// Lines a window manager's title bar may take above the window.
constexpr int kTitleRoom = 40;

// Raised when the docks change in a way an older layout cannot describe.
constexpr int kLayoutVersion = 1;
// How many images' last submaps are kept, newest first.
constexpr int kRememberedImages = 32;
// How long after a load its submap is written down.
constexpr int kSubmapWriteDelayMs = 2000;
const QString kGroup = QStringLiteral("desk/");
const QString kSubmaps = QStringLiteral("desk/submaps");

using SubmapList = QList<std::pair<QString, QString>>; // image path, submap key

SubmapList readSubmaps()
{
    QSettings settings = applicationSettings();
    SubmapList list;
    const int count = settings.beginReadArray(kSubmaps);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        list.append({settings.value(QStringLiteral("image")).toString(), settings.value(QStringLiteral("submap")).toString()});
    }
    settings.endArray();
    return list;
}

void writeSubmaps(const SubmapList& list)
{
    QSettings settings = applicationSettings();
    settings.remove(kSubmaps);
    settings.beginWriteArray(kSubmaps, static_cast<int>(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("image"), list[i].first);
        settings.setValue(QStringLiteral("submap"), list[i].second);
    }
    settings.endArray();
}

// The View menu's checkable choices that have a name, submenus included.
QList<QAction*> namedChoices(const QMenu* menu)
{
    QList<QAction*> found;
    for (QAction* action : menu->actions()) {
        if (action->menu())
            found << namedChoices(action->menu());
        else if (action->isCheckable() && !action->objectName().isEmpty())
            found << action;
    }
    return found;
}

QList<QDockWidget*> panelDocks(const QMainWindow& window)
{
    QList<QDockWidget*> docks;
    for (const char* name : {"areaDock", "panelDock"})
        if (auto* dock = window.findChild<QDockWidget*>(QString::fromLatin1(name)))
            docks << dock;
    return docks;
}

} // namespace

QDockWidget* addPanelDock(QMainWindow& window, QWidget* content, Qt::DockWidgetArea area, const QString& name,
                          const QString& title)
{
    auto* dock = new QDockWidget(title, &window);
    dock->setObjectName(name);
    // A panel taller than the screen scrolls instead of making the window
    // taller than a 720-line screen; it keeps its own width.
    auto* scroller = new QScrollArea(dock);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(content);
    scroller->setMinimumWidth(content->minimumSizeHint().width() + scroller->verticalScrollBar()->sizeHint().width());
    dock->setWidget(scroller);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    window.addDockWidget(area, dock);
    return dock;
}

DeskSettings::DeskSettings(MainWindow& window) : QObject(&window), window_(window)
{
    firstLayout_ = window.saveState(kLayoutVersion);
    for (QDockWidget* dock : panelDocks(window))
        window.commands().adopt(dock->toggleViewAction(), places::kPanels, false);
    reset_ = window.commands().add({.caption = QStringLiteral("Reset &Layout"),
                                    .tip = QStringLiteral("Put the panels back where they were at first"),
                                    .place = places::kPanels,
                                    .needsImage = false,
                                    .run = [this] { resetLayout(); }});
    connect(window.workspace(), &AreaWorkspace::areaShown, this, &DeskSettings::rememberSubmap);
    submapWrite_ = new QTimer(this);
    submapWrite_->setSingleShot(true);
    submapWrite_->setInterval(kSubmapWriteDelayMs);
    connect(submapWrite_, &QTimer::timeout, this, &DeskSettings::writeSubmap);
}

void DeskSettings::restore()
{
    remembering_ = true;
    const QSettings settings = applicationSettings();
    if (window_.restoreGeometry(settings.value(kGroup + QStringLiteral("geometry")).toByteArray()))
        keepOnScreen();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        // The first start: as large as the window wants, but within the
        // screen, with room for a title bar.
        window_.resize(window_.sizeHint().boundedTo(screen->availableGeometry().size() - QSize(0, kTitleRoom)));
    window_.restoreState(settings.value(kGroup + QStringLiteral("layout")).toByteArray(), kLayoutVersion);
    restoreViewChoices();
}

void DeskSettings::restoreViewChoices()
{
    const QSettings settings = applicationSettings();
    AreaWorkspace& workspace = *window_.workspace();
    workspace.mapView()->setZoom(settings.value(kGroup + QStringLiteral("zoom"), 1).toInt());
    workspace.nightCheck()->setChecked(settings.value(kGroup + QStringLiteral("night"), false).toBool());
    GridPanel& grid = *workspace.gridPanel();
    grid.colourBar()->setValue(settings.value(kGroup + QStringLiteral("gridBlue"), grid.colourBar()->value()).toInt());
    // As a click on the choice would, so the map's lines follow too.
    const QString lines = settings.value(kGroup + QStringLiteral("grid")).toString();
    if (lines == QLatin1String("metatile")) {
        grid.metatileButton()->setChecked(true);
        emit grid.metatileClicked(true);
    } else if (lines == QLatin1String("screen")) {
        grid.screenButton()->setChecked(true);
        emit grid.screenClicked(true);
    }
    for (QAction* choice : namedChoices(window_.menu(Menu::View))) {
        const QVariant checked = settings.value(kGroup + QStringLiteral("view/") + choice->objectName());
        if (checked.isValid())
            choice->setChecked(checked.toBool());
    }
}

void DeskSettings::save()
{
    writeSubmap();
    QSettings settings = applicationSettings();
    settings.setValue(kGroup + QStringLiteral("geometry"), window_.saveGeometry());
    settings.setValue(kGroup + QStringLiteral("layout"), window_.saveState(kLayoutVersion));
    const AreaWorkspace& workspace = *window_.workspace();
    settings.setValue(kGroup + QStringLiteral("zoom"), workspace.mapView()->zoom());
    settings.setValue(kGroup + QStringLiteral("night"), workspace.nightChecked());
    const GridPanel& grid = *workspace.gridPanel();
    settings.setValue(kGroup + QStringLiteral("grid"), grid.showMetatile() ? QStringLiteral("metatile")
                                                       : grid.showScreen() ? QStringLiteral("screen")
                                                                           : QStringLiteral("none"));
    settings.setValue(kGroup + QStringLiteral("gridBlue"), grid.colourBar()->value());
    for (const QAction* choice : namedChoices(window_.menu(Menu::View)))
        settings.setValue(kGroup + QStringLiteral("view/") + choice->objectName(), choice->isChecked());
}

void DeskSettings::closing()
{
    if (remembering_)
        save();
}

void DeskSettings::resetLayout()
{
    window_.restoreState(firstLayout_, kLayoutVersion);
    QList<QDockWidget*> docks = panelDocks(window_);
    QList<int> widths;
    for (QDockWidget* dock : docks) {
        dock->setFloating(false);
        dock->show();
        widths << dock->widget()->sizeHint().width();
    }
    window_.resizeDocks(docks, widths, Qt::Horizontal);
}

void DeskSettings::keepOnScreen()
{
    // Where the title and the menus begin must lie on some screen.
    const QRect frame = window_.frameGeometry();
    const QPoint corner = frame.topLeft() + QPoint(qMin(48, frame.width() / 2), qMin(12, frame.height() / 2));
    const QScreen* best = QGuiApplication::primaryScreen();
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(corner))
            return;
        const QRect seen = screen->availableGeometry().intersected(frame);
        if (seen.width() * seen.height() > bestArea) {
            bestArea = seen.width() * seen.height();
            best = screen;
        }
    }
    if (!best)
        return;
    // Onto the screen it overlapped most (the primary one if none), as
    // much of it as fits, no larger than that screen.
    const QRect room = best->availableGeometry();
    if (window_.isMaximized() || window_.isFullScreen())
        window_.showNormal();
    const QSize margins = frame.size() - window_.size();
    window_.resize(window_.size().boundedTo(room.size() - margins));
    const QSize outer = window_.size() + margins;
    window_.move(qBound(room.left(), frame.left(), qMax(room.left(), room.right() + 1 - outer.width())),
                 qBound(room.top(), frame.top(), qMax(room.top(), room.bottom() + 1 - outer.height())));
}

QString DeskSettings::submapToOpen(const QString& path, const QString& first)
{
    if (!remembering_)
        return first;
    writeSubmap(); // the image closed last is written down first
    const QString image = QFileInfo(path).absoluteFilePath();
    for (const auto& [remembered, key] : readSubmaps()) {
        if (remembered != image)
            continue;
        const std::optional<rom::AreaId> id = world::parseSubmapKey(key.toStdString());
        if (!id || !window_.areaTree()->findNode(key))
            return first;
        // A submap the image can no longer show is not offered again.
        try {
            (void)session::readLoadedArea(window_.document().rom(), *id, window_.workspace()->nightChecked());
        } catch (const std::exception&) {
            return first;
        }
        return key;
    }
    return first;
}

void DeskSettings::rememberSubmap()
{
    const session::LoadedArea* area = window_.document().area();
    if (!remembering_ || !area)
        return;
    if (const world::SubmapNode* node = world::findSubmap(area->id)) {
        shownImage_ = QFileInfo(QString::fromStdString(window_.document().romPath())).absoluteFilePath();
        shownSubmap_ = QString::fromStdString(node->key);
        submapWrite_->start();
    }
}

void DeskSettings::writeSubmap()
{
    submapWrite_->stop();
    if (shownImage_.isEmpty())
        return;
    SubmapList list = readSubmaps();
    list.removeIf([this](const auto& entry) { return entry.first == shownImage_; });
    list.prepend({shownImage_, shownSubmap_});
    writeSubmaps(list.mid(0, kRememberedImages));
    shownImage_.clear();
}

} // namespace quarry::ui
