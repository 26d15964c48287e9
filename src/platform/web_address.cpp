#include "platform/web_address.h"

#include <cstring>

namespace platform {

bool isWebAddress(const char* url) {
  if (!url) return false;
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

}  // namespace platform
