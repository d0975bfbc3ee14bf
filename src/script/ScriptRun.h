#pragma once

#include "script/ScriptHost.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarry::session {
class Document;
}

namespace quarry::script {

inline constexpr double kDefaultTimeoutSeconds = 60.0;
inline constexpr std::size_t kDefaultMemoryBytes = 256u << 20;

struct RunOptions {
    std::string chunkName;            // the script's file, in error messages
    std::vector<std::string> args;    // the script's `arg` table, 1-based
    double timeoutSeconds = kDefaultTimeoutSeconds;
    std::size_t memoryBytes = kDefaultMemoryBytes;
    // Reads go wherever the file rules allow; writes only inside this
    // folder, and none without it.
    std::optional<std::string> writeFolder;
    std::function<void(std::string_view)> print; // one printed line, without its end
    // Called once the script ended well, before its files are written, with
    // whether the image changed; an exception fails the run (nothing is
    // written then, and the image is put back).
    std::function<void(const session::Document&, bool changed)> commit;
};

struct RunResult {
    bool ok = false;
    bool stopped = false;   // the time or memory limit ended the run
    std::string error;      // "script.lua:3: ..." when not ok
    std::string stepName;   // quarry.step's name, else the script's file name
    bool changed = false;   // the image differs from before the run
    std::vector<std::string> filesWritten;
    // What the run's map writes changed elsewhere, one editor note per
    // submap ("also changes ..."): scripts do not ask before such writes.
    std::vector<std::string> reachNotes;
};

// Runs `source` against the document as one step of its history, named by
// the script. A run that fails or is stopped leaves the image as it was and
// writes no file; a successful one writes the files the script asked for
// once it has ended. The loaded submap afterwards is the one loaded before.
RunResult runScript(session::Document& document, ScriptHost& host, std::string_view source,
                    const RunOptions& options);

// The step's name when the script gives none: its file name without folder.
std::string defaultStepName(const std::string& chunkName);

} // namespace quarry::script
