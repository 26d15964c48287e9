#include "presets/preset_directories.h"

#include "platform/file_system.h"
#include "platform/module_path.h"

namespace presets {

PresetDirectories locatePresetDirectories(const std::string& modulePath) {
  PresetDirectories directories;
  if (modulePath.empty()) return directories;
  directories.moduleDirectory = platform::folderOf(modulePath);
  const std::string presetFolder =
      directories.moduleDirectory + platform::pathSeparator() + "presets";
  directories.presetDirectory =
      platform::pathExists(presetFolder) ? presetFolder : directories.moduleDirectory;
  return directories;
}

}  // namespace presets
