#include "core/session/Document.h"

#include "core/RomError.h"

namespace quarry::session {

rom::OpenResult Document::open(const std::string& path)
{
    romPath_ = path;
    const rom::OpenResult result = rom::openRomImage(path, rom_);
    romLoaded_ = result == rom::OpenResult::Loaded;
    if (romLoaded_) {
        textBlock_.reset();
        textBlockError_.clear();
        try {
            textBlock_ = text::TextBlock::measure(rom_);
        } catch (const RomError& error) {
            textBlockError_ = error.what();
        }
    }
    return result;
}

rom::SaveResult Document::save(const rom::SaveFault& fault)
{
    const rom::SaveResult result = rom::saveRomImage(romPath_, rom_, fault);
    if (result != rom::SaveResult::Written)
        romLoaded_ = false;
    return result;
}

const text::TextBlock& Document::textBlock() const
{
    if (!textBlock_)
        throw RomError(textBlockError_.empty() ? std::string("no image is open")
                                               : "the text block cannot be used: " + textBlockError_);
    return *textBlock_;
}

text::Texts Document::decodeTexts() const
{
    return text::decodeTexts(rom_, sideData_.charTable);
}

void Document::commitTexts(const text::Texts& texts)
{
    text::commitTexts(rom_, textBlock(), texts, sideData_.charTable);
}

} // namespace quarry::session
