#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarry::session {

class Document;

// Makes the image's body `after` (of the same size) as one step of the
// history named `name` that holds only the bytes that differ, as a script's
// result comes back. The loaded submap is read again and the views hear of
// the change once. A body of another size is refused with RomError, and
// nothing changes.
void replaceBody(Document& document, const std::vector<std::uint8_t>& after, const std::string& name);

} // namespace quarry::session
