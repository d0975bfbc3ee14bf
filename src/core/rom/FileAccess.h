#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quarry::rom {

// Every file the programs read or write goes through here, so the rules for
// links, devices, pipes and folders we may not write hold everywhere:
//
// - only regular files are read, and never more than the caller's limit, so
//   a device or a pipe named as input can neither hang us nor fill memory;
// - outputs are regular files or new names; a device, pipe, socket, folder or
//   a link that leads nowhere is refused before anything is written;
// - an existing file is replaced atomically (a complete temporary renamed
//   over it) when that keeps its owner and its other names; otherwise it is
//   written in place and read back to check it.

enum class ReadStatus {
    Read,
    Unreadable,     // missing, or no permission
    NotRegularFile, // a device, pipe, socket or folder
    TooLarge,       // larger than the caller accepts
};

struct FileContents {
    ReadStatus status = ReadStatus::Unreadable;
    std::vector<std::uint8_t> bytes;
};

// Reads the whole file at `path` when it is a regular file of at most
// `limit` bytes. Never blocks on a pipe and never reads more than
// `limit` + 1 bytes.
FileContents readRegularFile(const std::string& path, std::size_t limit);

enum class SaveResult : std::uint16_t {
    Written = 0,
    WriteFailed = 1,    // nothing was changed
    BackupFailed = 2,   // the backup of the opened file could not be written; nothing was saved
    NotRegularFile = 3, // the name is taken by something other than a regular file; nothing was changed
    InPlaceFailed = 4,  // written in place, and the write or the read-back check failed: the file may be damaged
    Link = 5,           // a batch export's name is a link, which it does not follow; nothing was changed
};

// The steps of a save, named so tests can make any one of them fail.
// Failing CreateTemporary is what a folder we may not write does.
enum class SaveStep { CreateTemporary, Write, Flush, Rename, InPlaceWrite, ReadBack, Backup };
using SaveFault = std::function<bool(SaveStep)>;

// Writes the chunks, one after the other, as the file at `path`. A link is
// followed to the regular file it names and stays a link. With
// `keepTrailing`, bytes the old file holds beyond the chunks stay. The
// permissions, owner and hard links of an existing file are kept. A file
// nobody may write is left alone.
SaveResult writeFile(const std::string& path, std::initializer_list<std::span<const std::uint8_t>> chunks,
                     bool keepTrailing, const SaveFault& fault = {});

// One file of a batch written into a folder (a picture per map): as
// writeFile, but a link at `path` is refused (Link) rather than followed, so
// a link planted in the folder cannot send a picture elsewhere.
SaveResult writeBatchFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether a save of the existing file at `path` can start: it is a regular
// file somebody may write and it opens for writing, as the save opens it.
// Written when it can; WriteFailed (lastWriteError tells why) or
// NotRegularFile otherwise.
SaveResult checkWritable(const std::string& path);

// The errno behind the last failed write, backup or check on this thread
// (0 when none was seen), and what it means for the user.
int lastWriteError();
std::string writeErrorText(int error);

// Writes a backup of `bytes` beside `path`: complete under a temporary name
// first, then given its name without replacing anything there, a link
// included. A name too long for the folder is cut to fit. The name is PATH.bak or,
// when that is taken, PATH.YYYYMMDD-HHMMSS.bak (local time; "-2", "-3", ...
// are added when that is taken too). The backup gets the permissions of the
// file at `path`. Returns the name written, or nothing when no backup could
// be written (nothing is left behind then).
std::optional<std::string> writeBackup(const std::string& path, std::span<const std::uint8_t> bytes);

// Writes past a file size limit are to fail like a full disk rather than
// end the program: the signal such a write raises is ignored, and children
// the program forks get its default handling back. Call once at start;
// code that starts processes in other ways calls restoreChildSignals in
// the child before exec.
void ignoreFileSizeSignal();
void restoreChildSignals();

// One sentence for a failed save of `path`, for the command line, with the
// cause when one was seen.
std::string saveFailureText(SaveResult result, const std::string& path);
// The same for a failed read.
std::string readFailureText(ReadStatus status, const std::string& path, std::size_t limit);
// readRegularFile for callers that report by exception: the bytes, or
// RomError with readFailureText.
std::vector<std::uint8_t> readRegularFileOrThrow(const std::string& path, std::size_t limit);

} // namespace quarry::rom
