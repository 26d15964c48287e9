#include "platform/shell_open.h"

#include <sys/stat.h>

#include <string>

#include "platform/child_process.h"
#include "platform/web_address.h"

namespace platform {

bool openUrl(const char* url) {
  if (!isWebAddress(url)) return false;
  return spawnDetached({"xdg-open", url});
}

bool openDocument(const std::string& path) {
  struct stat info;
  if (path.empty() || path[0] != '/' || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return false;
  return spawnDetached({"xdg-open", path});
}

}  // namespace platform
