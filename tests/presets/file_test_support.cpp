#include "presets/file_test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "plugin/quarnel.h"
#include "support/fake_host.h"
#include "support/module_loader.h"

namespace presets_test {

std::vector<uint8_t> readAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

bool fileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder) : folder_(folder) {
  ::chmod(folder.c_str(), 0555);
  const std::string probe = folder + "/.probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  enforced_ = fd < 0;
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe.c_str());
  }
}

ReadOnlyFolder::~ReadOnlyFolder() { ::chmod(folder_.c_str(), 0755); }

bool directoriesFoundBy(const std::string& modulePath, std::string& moduleDirectory,
                        std::string& presetDirectory) {
  testing_support::LoadedModule module(modulePath.c_str());
  testing_support::EntryPoint entry = module.entry();
  if (!entry) return false;
  testing_support::FakeHost host;
  AEffect* effect = entry(host.callback());
  if (!effect || !effect->object) return false;
  // The object the module built; its operations run the module's own code.
  auto* plugin = static_cast<Quarnel*>(static_cast<AudioEffect*>(effect->object));
  moduleDirectory = plugin->getDirectory(false);
  presetDirectory = plugin->getDirectory(true);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return true;
}

std::vector<std::string> entriesOf(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace presets_test
