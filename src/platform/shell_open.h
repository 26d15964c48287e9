// Opening a web address with the desktop's default handler.
#pragma once

namespace platform {

// Hands an http or https address to the desktop's opener (xdg-open on Linux,
// the shell's "open" verb on Windows), detached from the plug-in. False for
// other or malformed addresses (control characters, spaces) or when no
// opener exists.
bool openUrl(const char* url);

}  // namespace platform
