#pragma once

#include "core/rom/FileAccess.h"

#include <QString>

#include <string>

namespace quarry::session {
class Document;
}

namespace quarry::ui {

// What the editor says after a save of `document`: the result's first line
// as the program has always said it, then what happened. `backupBefore` is
// the document's backup path before the save, so the save that made the
// backup names it. Call right after the save: the cause of a failure is
// the core's last noted one.
QString saveMessage(rom::SaveResult result, const session::Document& document, const std::string& backupBefore);

// "save without it?" with where the backup was to go and why it failed.
QString backupQuestion(const session::Document& document);

// The note for a TBL.DAT that was not read: "not found", or why a file that
// is there could not be read.
QString charTableMessage(rom::ReadStatus status, const QString& datDir);

} // namespace quarry::ui
