#include "ui/PatchActions.h"
#include "ui/shell/CommandPlaces.h"

#include "core/RomError.h"
#include "core/patch/PatchFile.h"
#include "core/rom/GameLayout.h"
#include "core/rom/RomImage.h"
#include "core/session/Document.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/FileFolders.h"
#include "ui/FileOutput.h"
#include "ui/MainWindow.h"
#include "ui/SessionSafety.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include <vector>

namespace quarry::ui {

namespace {

constexpr const char* kPatchFilter = "Patches (*.ips *.bps)";
constexpr const char* kImageFilter = "iNES rom image (*.nes)";
constexpr const char* kWritten = "Patch written.";
constexpr const char* kApplied = "Patch applied.";


} // namespace

PatchActions::PatchActions(MainWindow& window, session::Document& document, Dialogs& dialogs)
    : QObject(&window), window_(window), document_(document), dialogs_(dialogs)
{
    CommandTable& commands = window.commands();
    export_ = commands.add({.caption = "Export &Patch...",
                            .tip = "An IPS or BPS patch from the file as it was opened to the image as it is",
                            .place = places::kPatches,
                            .run = [this] { exportPatch(); }});
    exportAgainst_ = commands.add({.caption = "Export Patch A&gainst...",
                                   .tip = "An IPS or BPS patch from another image to this one",
                                   .place = places::kPatches,
                                   .run = [this] { exportPatchAgainst(); }});
    apply_ = commands.add({.caption = "Appl&y Patch...", .place = places::kPatches, .run = [this] { applyPatch(); }});
}

void PatchActions::writePatch(const std::vector<std::uint8_t>& original)
{
    const QString path = dialogs_.chooseSaveFile(&window_, proposedPath(FileKind::Patches, imageBaseName(document_) + ".ips"),
                                                 QString::fromLatin1(kPatchFilter), QStringLiteral("ips bps"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Patches, path);
    const std::vector<std::uint8_t> patch =
        document_.makePatch(path.endsWith(QLatin1String(".bps"), Qt::CaseInsensitive), original);
    writeOutputFile(path, QByteArray(reinterpret_cast<const char*>(patch.data()), static_cast<qsizetype>(patch.size())));
    dialogs_.showMessage(&window_, QString::fromLatin1(kWritten));
}

void PatchActions::exportPatch()
{
    runGuarded(dialogs_, &window_, [this] { writePatch(document_.openedFile()); });
}

void PatchActions::exportPatchAgainst()
{
    runGuarded(dialogs_, &window_, [this] {
        const QString original = dialogs_.chooseOpenFile(&window_, lastFolder(FileKind::Images), QString::fromLatin1(kImageFilter));
        rememberFolder(FileKind::Images, original);
        if (!original.isEmpty())
            writePatch(readInputFile(original, layout::kMaximumFileSize));
    });
}

void PatchActions::applyPatch()
{
    runGuarded(dialogs_, &window_, [this] {
        const QString path = dialogs_.chooseOpenFile(&window_, lastFolder(FileKind::Patches), QString::fromLatin1(kPatchFilter));
        if (path.isEmpty())
            return;
        rememberFolder(FileKind::Patches, path);
        const std::vector<std::uint8_t> patch = readInputFile(path, patch::kLargestPatchFile);
        window_.safety()->beforeRiskyStep();
        const session::Document::Restored result = document_.applyPatch(patch);
        window_.showRestored(result);
        dialogs_.showMessage(&window_, QString::fromLatin1(kApplied));
    });
}

} // namespace quarry::ui
