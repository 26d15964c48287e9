// Where the plug-in keeps its files: the folder of the module, and the
// "presets" folder beside the module when there is one. A system-wide
// install leaves that folder read-only for the user; then the user's own
// files go to a folder in the user's data folder, and the folder beside the
// module is still read as a shared one.
#pragma once

#include <string>

namespace presets {

struct PresetDirectories {
  std::string moduleDirectory;  // no trailing separator
  std::string presetDirectory;  // where files are written
  // A folder the user can only read (beside a system-wide module), listed
  // after the preset directory; empty when there is none.
  std::string sharedDirectory;
};

// The user's preset folder: $XDG_DATA_HOME/vellmark/presets when that
// variable holds an absolute path, else $HOME/.local/share/vellmark/presets;
// empty when neither can be told.
std::string userPresetDirectory();

// The directories for a module file at `modulePath`: the module's folder is
// the path up to its last separator (the whole path when it has none); the
// candidate preset folder is that folder's "presets" when anything exists at
// that path, else the module's folder. A candidate this process can write to
// is the preset directory. One it cannot write to becomes the shared folder,
// and `userFolder` (created when missing) the preset directory; without a
// user folder the candidate is kept. An empty module path gives all empty.
PresetDirectories locatePresetDirectories(const std::string& modulePath,
                                          const std::string& userFolder = std::string());

}  // namespace presets
