#include "core/session/RecoveryJournal.h"

#include <algorithm>
#include <filesystem>

namespace quarry::session {

namespace {

// The journal's name shows whose it is; anything odd in the image's name
// becomes '_' so the name stays one plain file name.
std::string stemFor(const std::string& imagePath)
{
    std::string stem = std::filesystem::path(imagePath).filename().string();
    for (char& c : stem)
        if (c == '/' || c == '.' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return stem.empty() ? std::string("image") : stem;
}

} // namespace

std::optional<RecoveryJournal> RecoveryJournal::start(const std::string& folder, const JournalHeader& header,
                                                      const JournalHistory& history)
{
    std::optional<rom::LockedFile> file =
        rom::LockedFile::create(folder, stemFor(header.imagePath), kSuffix, encodeJournalStart(header, history));
    if (!file)
        return std::nullopt;
    return RecoveryJournal(std::move(*file));
}

bool RecoveryJournal::record(JournalStep step, const EditEntry& entry)
{
    encodeJournalRecord(buffer_, sequence_ + 1, step, entry);
    if (!file_.append(buffer_))
        return false;
    ++sequence_;
    unflushed_ = true;
    return true;
}

bool RecoveryJournal::flush()
{
    if (!unflushed_)
        return true;
    unflushed_ = false;
    return file_.flush();
}

std::vector<std::string> listJournals(const std::string& folder)
{
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = item.path().filename().string();
        if (!name.starts_with(".") && item.path().extension() == std::string(".") + RecoveryJournal::kSuffix &&
            item.is_regular_file(ec) && !item.is_symlink(ec))
            found.push_back(item.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace quarry::session
