// Where the plug-in keeps its files: the folder of the module, and the
// "presets" folder beside the module when there is one.
#pragma once

#include <string>

namespace presets {

struct PresetDirectories {
  std::string moduleDirectory;  // no trailing separator
  std::string presetDirectory;
};

// The directories for a module file at `modulePath`: the module's folder is
// the path up to its last separator (the whole path when it has none); the
// preset directory is that folder's "presets" when anything exists at that
// path, else the module's folder. An empty module path gives both empty.
PresetDirectories locatePresetDirectories(const std::string& modulePath);

}  // namespace presets
