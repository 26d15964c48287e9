// The host chunk as both builds write it: a bank and a program chunk taken
// from an instance set up the same way, so the two builds' files (and every
// host project holding them) can be exchanged byte for byte.
#pragma once

#include <string>
#include <vector>

#include "vellmark-host/module_loader.h"

namespace scenarios {

// Names of the chunk files written beside the renders.
const std::vector<std::string>& chunkFileNames();

// Writes the chunk files into `folder`; false with a reason on failure.
bool writeChunks(vhost::PluginEntry entry, const std::string& folder, std::string& error);

}  // namespace scenarios
