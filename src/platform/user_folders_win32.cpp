#include "platform/user_folders.h"

#include <cctype>
#include <cstdlib>

namespace platform {

std::string userDataFolder() {
  // The roaming application data folder, "C:\Users\<name>\AppData\Roaming".
  const char* appData = std::getenv("APPDATA");
  if (!appData) return {};
  const std::string folder = appData;
  const bool drive = folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
                     folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
  const bool share = folder.size() >= 3 && folder[0] == '\\' && folder[1] == '\\';
  return drive || share ? folder : std::string();
}

}  // namespace platform
