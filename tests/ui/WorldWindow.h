#pragma once

// The editor on a submap with actors and stairs, and a dat folder that
// describes their types: the world panels' tests start here.
#include "OpenedEditor.h"

#include "core/rom/Addressing.h"
#include "ui/WorldController.h"
#include "ui/panels/ActorPanel.h"
#include "ui/tools/MarkerTool.h"
#include "ui/tools/ToolManager.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <optional>

namespace quarry::test {

using ui::ActorPanel;
using ui::EditMode;
using ui::MarkerTool;
using ui::WorldController;

// One actor type description for the test's dat folder.
struct TypeFile {
    int code;
    int kind = 0;
    bool offered = true, picture = true;
};
using Adjust = std::function<void(SyntheticWorld&, std::vector<TypeFile>&)>;

inline rom::AreaId busySubmap(const SyntheticWorld& world)
{
    return OpenedEditor::submapWhere([&](const rom::AreaId& id) {
        return world.game.submap(id).actors.size() >= 3 && world.game.mapOf(id).stairs.size() >= 3;
    });
}

// A dat folder describing every actor type of the shown submap (by
// default one with three actors and three stairs) after `adjust` changed
// game and types; pictures are 16 x 32, the common one 16 x 24.
inline Prepare datFor(std::optional<rom::AreaId> shown, const Adjust& adjust)
{
    return [=](SyntheticWorld& world, const std::string& datDir) {
        std::vector<TypeFile> types;
        for (const world::ActorRecord& actor : world.game.submap(shown.value_or(busySubmap(world))).actors)
            types.push_back({actor.type});
        if (adjust)
            adjust(world, types);
        QDir dat(QString::fromStdString(datDir));
        dat.mkpath("obj");
        const auto picture = [&](int height, const QString& name) {
            QImage image(16, height, QImage::Format_RGB32);
            image.fill(Qt::red);
            image.save(dat.filePath(name), "JPG");
        };
        for (const TypeFile& type : types) {
            const QString hex = QString::asprintf("%02X", type.code);
            QFile file(dat.filePath("obj/obj" + hex + ".TXT"));
            file.open(QIODevice::WriteOnly);
            const QString sets = QString(type.offered ? "T\n" : "F\n").repeated(6); // offered in object sets 0-5
            file.write(QStringLiteral("Type %1\n%2\n%3").arg(hex).arg(type.kind).arg(sets).toLatin1());
            if (type.picture)
                picture(32, "obj/obj" + hex + ".JPG");
        }
        picture(24, "obj/objxx.JPG");
    };
}

// The editor on that submap, in actor mode.
struct WorldWindow : OpenedEditor {
    explicit WorldWindow(std::optional<rom::AreaId> shown = {}, const Adjust& adjust = {})
        : OpenedEditor(datFor(shown, adjust))
    {
        load(shown.value_or(busySubmap(world)));
        dialogs.messages.clear();
        window.modeAction(EditMode::Actor)->trigger();
    }
    WorldController& controller() { return *window.world(); }
    ActorPanel& actors() { return *window.actorPanel(); }
    std::size_t actorList() { return rom::cpuToBody(area().pointers.actorPointer, rom::DataKind::Actors); }
    const std::optional<QRect>& outline() { return static_cast<MarkerTool*>(window.tools()->currentTool())->outline(); }
};

} // namespace quarry::test
