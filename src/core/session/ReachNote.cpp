#include "core/session/ReachNote.h"

#include "core/session/SharedScreens.h"

namespace quarry::session {

std::string reachNote(const Document& document, const Document::CellEdit& edit)
{
    if (!document.area() || edit.bodyBytes.empty())
        return {};
    const LoadedArea& area = *document.area();
    const auto sharing = ScreenSharing::survey(document.rom(), area.id, area.pointers.mapPointer, area.map);
    return reachText(sharing.reachOf(edit.bodyBytes, edit.positions));
}

Document::CellEdit paintedCellEdit(const Document& document, int x, int y)
{
    const rom::AreaMap& map = document.area()->map;
    const auto cell = cellAtPixel(map, x, y);
    if (!cell)
        return {};
    return {{*cell}, {cellBodyIndex(map, *cell)}, {screenPosition(map, *cell)}};
}

} // namespace quarry::session
