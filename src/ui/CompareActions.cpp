#include "ui/CompareActions.h"
#include "ui/shell/CommandPlaces.h"

#include "core/RomError.h"
#include "core/compare/EditInput.h"
#include "core/compare/ImageMerge.h"
#include "core/patch/PatchFile.h"
#include "core/rom/GameLayout.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/AreaWorkspace.h"
#include "ui/ComparePanel.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/MainWindow.h"
#include "ui/SessionSafety.h"
#include "ui/map/MapView.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace quarry::ui {

namespace {

constexpr const char* kImageFilter = "iNES rom image (*.nes)";
constexpr const char* kEditFilter = "Images and patches (*.nes *.ips *.bps)";

// An image, or a patch applied to `base` in memory.
rom::RomImage readEdit(const rom::RomImage& base, const QString& path)
{
    const std::vector<std::uint8_t> bytes = readInputFile(path, std::max(patch::kLargestPatchFile, layout::kMaximumFileSize));
    const std::string name = QFileInfo(path).fileName().toStdString();
    if (auto patched = compare::patchedImage(base, bytes, name))
        return *std::move(patched);
    rom::RomImage image;
    if (rom::openRomBytes(bytes, image) != rom::OpenResult::Loaded)
        throw RomError(name + " is neither a usable iNES image of the game nor an IPS or BPS patch");
    return image;
}

} // namespace

CompareActions::CompareActions(MainWindow& window, session::Document& document, Dialogs& dialogs)
    : QObject(&window), window_(window), document_(document), dialogs_(dialogs)
{
    compare_ = window.commands().add(
        {.caption = "Co&mpare With...",
         .tip = "What another image or a patch changes in the open image, part by part",
         .place = places::kOtherImages,
         .run = [this] { compareWith(); }});
    merge_ = window.commands().add({.caption = "Mer&ge With...",
                                    .tip = "Merges another edit of the same original into the open image",
                                    .place = places::kOtherImages,
                                    .run = [this] { mergeWith(); }});
}

void CompareActions::compareWith()
{
    runGuarded(dialogs_, &window_, [this] {
        const QString path = dialogs_.chooseOpenFile(&window_, lastFolder(FileKind::Images), QString::fromLatin1(kEditFilter));
        if (path.isEmpty())
            return;
        rememberFolder(kindOfFile(path), path);
        const rom::RomImage& base = document_.rom();
        const rom::RomImage other = readEdit(base, path);
        compare::checkSameShape(base, "The open image", other, QFileInfo(path).fileName().toStdString());
        if (!panel_) {
            panel_ = new ComparePanel(window_);
            window_.addDockWidget(Qt::RightDockWidgetArea, panel_);
            window_.workspace()->mapView()->setOverlay(MapView::OverlayLayer::Compare,
                                                       [this](QPainter& painter) { panel_->paintMarks(painter); });
        }
        panel_->compare(base, other, QFileInfo(path).fileName());
    });
}

void CompareActions::mergeWith()
{
    runGuarded(dialogs_, &window_, [this] {
        const QString originalPath = dialogs_.chooseOpenFile(&window_, lastFolder(FileKind::Images), QString::fromLatin1(kImageFilter));
        if (originalPath.isEmpty())
            return;
        rememberFolder(FileKind::Images, originalPath);
        const QString otherPath = dialogs_.chooseOpenFile(&window_, lastFolder(FileKind::Images), QString::fromLatin1(kEditFilter));
        if (otherPath.isEmpty())
            return;
        rememberFolder(kindOfFile(otherPath), otherPath);
        rom::RomImage original;
        if (rom::openRomBytes(readInputFile(originalPath, layout::kMaximumFileSize), original) != rom::OpenResult::Loaded)
            throw RomError(QFileInfo(originalPath).fileName().toStdString() + " is not a usable iNES image of the game");
        const std::string otherName = QFileInfo(otherPath).fileName().toStdString();
        const rom::RomImage theirs = readEdit(original, otherPath);
        compare::checkSameShape(original, "The original", document_.rom(), "the open image");
        compare::checkSameShape(original, "The original", theirs, otherName);
        const compare::ImageMap map = compare::ImageMap::build(original);
        const auto merge = compare::ImageMerge::plan(map, original, document_.rom(), theirs,
                                                     document_.sideData().charTable);
        std::vector<compare::Side> sides;
        if (!merge.conflicts().empty()) {
            QStringList texts;
            for (const compare::Conflict& conflict : merge.conflicts())
                texts << QString::fromStdString(conflict.description);
            const auto keepMine = dialogs_.chooseMergeSides(&window_, texts);
            if (!keepMine)
                return;
            for (const bool mine : *keepMine)
                sides.push_back(mine ? compare::Side::Mine : compare::Side::Theirs);
        }
        const rom::RomImage merged = merge.result(sides);
        if (merged.body() == document_.rom().body()) {
            dialogs_.showMessage(&window_, QStringLiteral("Nothing to merge: the open image already holds every change."));
            return;
        }
        window_.safety()->beforeRiskyStep();
        window_.showRestored(document_.replaceImage(merged, "Merge"));
        dialogs_.showMessage(&window_, QStringLiteral("Merged."));
    });
}

} // namespace quarry::ui
