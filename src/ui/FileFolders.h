#pragma once

#include <QString>

namespace quarry::session {
class Document;
}

namespace quarry::ui {

// The kinds of file the editor reads and writes, each with the folder the
// user chose one in last, remembered between runs: a box for a kind starts
// there.
enum class FileKind { Images, Patches, Pictures, Scripts };

// The folder a file of `kind` was chosen in last. Before any was, pictures,
// patches and scripts start beside the image opened last, and images there too.
QString lastFolder(FileKind kind);
// Remembers the folder of the file `path` (or `path` itself, a folder chosen
// as such); an empty path (a cancelled box) changes nothing.
void rememberFolder(FileKind kind, const QString& path);
void rememberFolderItself(FileKind kind, const QString& folder);
// The kind a chosen file is of, by its ending (an image when none fits).
FileKind kindOfFile(const QString& path);
// `fileName` in the last folder of `kind`: what a save box proposes.
QString proposedPath(FileKind kind, const QString& fileName);
// The open image's file name without its ending ("game" for game.nes), the
// stem of every proposed export name; "image" before one is open.
QString imageBaseName(const session::Document& document);

} // namespace quarry::ui
