#include "presets/preset_directories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/file_system.h"
#include "platform/module_path.h"

namespace presets {

namespace {

bool writable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

// mkdir -p: true when the folder exists afterwards.
bool makeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string step = slash == std::string::npos ? path : path.substr(0, slash);
    if (::mkdir(step.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

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
  if (writable(candidate) || userFolder.empty() || userFolder == candidate) return directories;
  // A folder that cannot be made still becomes the preset directory: saving
  // then fails and says so, instead of writing somewhere unexpected.
  makeFolders(userFolder);
  directories.presetDirectory = userFolder;
  directories.sharedDirectory = candidate;
  return directories;
}

}  // namespace presets
