#include "core/session/Document.h"

namespace quarry::session {

rom::OpenResult Document::open(const std::string& path)
{
    romPath_ = path;
    const rom::OpenResult result = rom::openRomImage(path, rom_);
    romLoaded_ = result == rom::OpenResult::Loaded;
    return result;
}

rom::SaveResult Document::save(const rom::SaveFault& fault)
{
    const rom::SaveResult result = rom::saveRomImage(romPath_, rom_, fault);
    if (result != rom::SaveResult::Written)
        romLoaded_ = false;
    return result;
}

} // namespace quarry::session
