#pragma once

#include "core/rom/RomImage.h"
#include "core/session/Document.h"
#include "core/session/JournalReplay.h"
#include "core/session/RecoveryJournal.h"
#include "core/patch/Crc32.h"
#include "core/world/AreaCatalogue.h"
#include "support/SyntheticText.h"

#include <optional>
#include <random>
#include <stdexcept>
#include <string>

namespace quarry::test {

// The editor's document code with its history kept as the editor keeps it
// (steps, position, merges of typing) and every step journaled. One random
// step at a time: a paint, a typed letter, an undo or a redo.
struct JournalSession {
    session::Document document;
    session::JournalHistory history;
    std::optional<session::RecoveryJournal> journal;
    text::Texts texts;

    JournalSession(const std::string& image, const std::string& folder)
    {
        if (document.open(image) != rom::OpenResult::Loaded)
            throw std::runtime_error("the image did not open");
        document.sideData().charTable = defaultTextTable();
        document.loadArea(world::catalogueSubmaps().front(), false);
        texts = document.decodeTexts();
        history.clean = 0;
        const session::JournalHeader header{image, 16 + document.rom().size(), session::imageChecksum(document.rom()), 0};
        journal = session::RecoveryJournal::start(folder, header, history);
        if (!journal)
            throw std::runtime_error("no journal");
        document.setEditListener([this](session::EditEntry entry) { push(std::move(entry)); });
    }

    std::size_t records = 0; // the journal's records so far

    void write(session::JournalStep kind, const session::EditEntry& entry)
    {
        if (!journal->record(kind, entry))
            throw std::runtime_error("the journal could not be written");
        ++records;
    }

    void push(session::EditEntry entry)
    {
        const bool merge = entry.mergeId != session::kNoMerge && history.index == history.steps.size() &&
                           history.index > 0 && history.steps.back().mergeId == entry.mergeId &&
                           history.clean != history.index;
        write(merge ? session::JournalStep::Merge : session::JournalStep::Do, entry);
        history.steps.resize(history.index);
        if (merge) {
            history.steps.back().absorb(entry);
            return;
        }
        history.steps.push_back(std::move(entry));
        ++history.index;
    }

    void step(std::mt19937& random)
    {
        auto pick = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
        const int kind = pick(8);
        if (kind == 0 && history.index > 0) {
            const session::EditEntry& entry = history.steps[--history.index];
            write(session::JournalStep::Undo, entry);
            document.undo(entry);
        } else if (kind == 1 && history.index < history.steps.size()) {
            const session::EditEntry& entry = history.steps[history.index++];
            write(session::JournalStep::Redo, entry);
            document.redo(entry);
        } else if (kind == 2) {
            texts[3] += static_cast<char>('A' + pick(3)); // typing: steps that merge
            if (texts[3].size() > 6)
                texts[3].clear();
            document.commitTexts(texts);
        } else {
            const session::LoadedArea& area = *document.area();
            const std::uint8_t old = area.map.mapGrid[0];
            document.paintCell(pick(area.map.screensWide * 256), pick(area.map.screensHigh * 224),
                               static_cast<std::uint8_t>(old == 1 ? 2 : 1));
        }
    }

    std::uint32_t bodyCrc() const { return patch::crc32(document.rom().body()); }
};

} // namespace quarry::test
