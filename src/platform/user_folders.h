// Where a user's own application data lives, for files a shared install
// cannot hold (its folder may be read-only for users).
#pragma once

#include <string>

namespace platform {

// The user's data folder: $XDG_DATA_HOME, else $HOME/.local/share on Linux;
// %APPDATA% on Windows. Only absolute paths count; empty when there is none.
std::string userDataFolder();

}  // namespace platform
