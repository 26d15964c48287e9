// Texts handed to the drawing code may come from the host or from files, so
// they are checked before cairo sees them: cairo puts a context into a
// permanent error state on invalid UTF-8.
#pragma once

#include <string>

namespace gui {

// The text with every byte that does not belong to a valid UTF-8 sequence
// replaced by '?'; control characters become spaces. Null gives "".
std::string sanitizeUtf8(const char* text);

}  // namespace gui
