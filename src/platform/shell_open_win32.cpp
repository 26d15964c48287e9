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

}  // namespace platform
