#include "presets/preset_directories.h"

#include "platform/file_system.h"
#include "platform/module_path.h"
#include "platform/user_folders.h"

namespace presets {

std::string userPresetDirectory() {
  const std::string data = platform::userDataFolder();
  if (data.empty()) return std::string();
  const std::string separator(1, platform::pathSeparator());
  return data + separator + "vellmark" + separator + "presets";
}

PresetDirectories locatePresetDirectories(const std::string& modulePath,
                                          const std::string& userFolder) {
  PresetDirectories directories;
  if (modulePath.empty()) return directories;
  directories.moduleDirectory = platform::folderOf(modulePath);
  const std::string presetFolder =
      directories.moduleDirectory + platform::pathSeparator() + "presets";
  const std::string candidate =
      platform::pathExists(presetFolder) ? presetFolder : directories.moduleDirectory;
  directories.presetDirectory = candidate;
  if (platform::isWritable(candidate) || userFolder.empty() || userFolder == candidate)
    return directories;
  // A folder that cannot be made still becomes the preset directory: saving
  // then fails and says so, instead of writing somewhere unexpected.
  platform::makeFolders(userFolder);
  directories.presetDirectory = userFolder;
  directories.sharedDirectory = candidate;
  return directories;
}

}  // namespace presets
