#include "platform/shell_open.h"

#include <sys/stat.h>

#include <cstring>
#include <string>

#include "platform/child_process.h"

namespace platform {

namespace {

bool isWebAddress(const char* url) {
  const bool http = std::strncmp(url, "http://", 7) == 0;
  const bool https = std::strncmp(url, "https://", 8) == 0;
  if (!http && !https) return false;
  const size_t length = std::strlen(url);
  if (length <= (https ? 8u : 7u) || length > 2048) return false;
  for (const char* p = url; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c <= 0x20 || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

bool openUrl(const char* url) {
  if (!url || !isWebAddress(url)) return false;
  return spawnDetached({"xdg-open", url});
}

bool openDocument(const std::string& path) {
  struct stat info;
  if (path.empty() || path[0] != '/' || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return false;
  return spawnDetached({"xdg-open", path});
}

}  // namespace platform
