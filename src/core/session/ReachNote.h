#pragma once

#include "core/session/Document.h"

#include <string>

namespace quarry::session {

// What a map edit changed elsewhere, in the words of the editor's note
// ("also changes screen 2 of this map and ..."); empty when the screens it
// wrote show nowhere else. The command-line tool and scripts, which do not
// ask before such a write, print this on standard error instead.
std::string reachNote(const Document& document, const Document::CellEdit& edit);

// The edit of painting the one cell at map pixel (x, y).
Document::CellEdit paintedCellEdit(const Document& document, int x, int y);

} // namespace quarry::session
