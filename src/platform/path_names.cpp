#include "platform/module_path.h"

namespace platform {

char pathSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

bool isPathSeparator(char c) { return c == pathSeparator() || c == '/'; }

std::string folderOf(const std::string& path) {
  for (std::string::size_type cut = path.size(); cut > 0; --cut) {
    if (isPathSeparator(path[cut - 1])) return path.substr(0, cut - 1);
  }
  return path;
}

}  // namespace platform
