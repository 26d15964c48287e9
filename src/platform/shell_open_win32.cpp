#include "platform/shell_open.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/web_address.h"

namespace platform {

bool openUrl(const char* url) {
  if (!isWebAddress(url)) return false;
  // ShellExecute reports success with a value above 32.
  const HINSTANCE result = ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool openDocument(const std::string& path) {
  // An absolute path ("C:\..." or a "\\server" share) to an existing file.
  const bool absolute =
      path.size() > 2 && ((path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
                          (path[0] == '\\' && path[1] == '\\'));
  if (!absolute) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const HINSTANCE result =
      ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace platform
