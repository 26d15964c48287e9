// Where the plug-in module file lives on disk.
#pragma once

#include <string>

namespace platform {

// Full path of the module (shared library or executable) that contains this
// code; empty if the system cannot tell.
std::string modulePath();

// The folder part of a path: everything before the last separator, or the
// whole path when it has none.
std::string folderOf(const std::string& path);

// The separator between folder and file names on this system: "\\" on
// Windows, "/" elsewhere.
char pathSeparator();

// True for the system's separator; "/" is one everywhere, since Windows
// accepts it as well.
bool isPathSeparator(char c);

}  // namespace platform
