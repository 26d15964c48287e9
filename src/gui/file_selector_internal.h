// What the file selector's shared code and its per-system dialog code share.
#pragma once

#include <string>
#include <vector>

#include "gui/cnew_file_selector.h"

namespace gui {

// Separator for several chosen files: a character file names do not use.
constexpr char kFileSelectorSeparator = '\x1f';

#if defined(_WIN32)
// The filters as the common dialogs take them: "description\0pattern\0"
// for each extension, then one more "\0".
std::string commonDialogFilter(const std::vector<CFileExtension>& extensions);
// The paths in a common dialog's answer: one full path, or (multiple
// selection) the folder followed by the names, each ended by a "\0", the
// list by two.
std::vector<std::string> commonDialogPaths(const char* answer);
#endif

}  // namespace gui
