// Opening a web address or a local document with the desktop's default
// handler.
#pragma once

#include <string>

namespace platform {

// Hands an http or https address to the desktop's opener (xdg-open on Linux,
// the shell's "open" verb on Windows), detached from the plug-in. False for
// other or malformed addresses (control characters, spaces) or when no
// opener exists.
bool openUrl(const char* url);

// Hands a local document (an absolute path to an existing regular file) to
// the desktop's opener, detached. False for anything else or when no opener
// exists.
bool openDocument(const std::string& path);

}  // namespace platform
