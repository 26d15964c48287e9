#include "platform/shell_open.h"

#include "platform/child_process.h"
#include "platform/web_address.h"

namespace platform {

bool openUrl(const char* url) {
  if (!isWebAddress(url)) return false;
  return spawnDetached({"xdg-open", url});
}

}  // namespace platform
