// Helpers for tests on real files: reading a file whole, telling whether
// this process can be stopped by a folder's permissions (it cannot when it
// runs as root), and asking a module loaded from anywhere for its folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace presets_test {

std::vector<uint8_t> readAll(const std::string& path);
bool fileExists(const std::string& path);

// Makes `folder` read-only and reports whether that keeps this process from
// creating a file in it; permissions are restored by the returned guard.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder);
  ~ReadOnlyFolder();
  bool enforced() const { return enforced_; }

 private:
  std::string folder_;
  bool enforced_ = false;
};

// The module and preset directories an instance of the module file at
// `modulePath` finds, asked through the plug-in object the module creates.
// False when the module cannot be loaded or instantiated.
bool directoriesFoundBy(const std::string& modulePath, std::string& moduleDirectory,
                        std::string& presetDirectory);

// Names of the folder's entries, sorted, to spot leftover temporary files.
std::vector<std::string> entriesOf(const std::string& folder);

}  // namespace presets_test
