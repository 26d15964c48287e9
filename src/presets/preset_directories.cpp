#include "presets/preset_directories.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"
#include "platform/module_path.h"

namespace presets {

std::string userPresetDirectory() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && dataHome[0] == '/') return std::string(dataHome) + "/vellmark/presets";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/vellmark/presets";
  return std::string();
}

PresetDirectories locatePresetDirectories(const std::string& modulePath, const std::string& userFolder) {
  PresetDirectories directories;
  if (modulePath.empty()) return directories;
  directories.moduleDirectory = platform::folderOf(modulePath);
  const std::string presetFolder =
      directories.moduleDirectory + platform::pathSeparator() + "presets";
  const std::string candidate =
      platform::pathExists(presetFolder) ? presetFolder : directories.moduleDirectory;
  directories.presetDirectory = candidate;
  if (platform::mayWrite(candidate) || userFolder.empty() || userFolder == candidate) return directories;
  // A folder that cannot be made still becomes the preset directory: saving
  // then fails and says so, instead of writing somewhere unexpected.
  std::error_code ignored;
  std::filesystem::create_directories(userFolder, ignored);
  directories.presetDirectory = userFolder;
  directories.sharedDirectory = candidate;
  return directories;
}

}  // namespace presets
