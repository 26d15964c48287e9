#include "chunk_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace vhost {

namespace {

std::string lowerExtension(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

bool loadChunkFile(const std::string& path, ChunkFile& chunk, std::string& error) {
  chunk = ChunkFile();
  const std::string extension = lowerExtension(path);
  size_t expected = 0;
  const char* what = nullptr;
  if (extension == ".vkp") {
    chunk.kind = ChunkKind::Program;
    expected = kProgramChunkBytes;
    what = "a program file (.vkp)";
  } else if (extension == ".vkb") {
    chunk.kind = ChunkKind::Bank;
    expected = kBankChunkBytes;
    what = "a bank file (.vkb)";
  } else {
    error = path + ": unknown chunk file type (expected a .vkp program or a .vkb bank file)";
    return false;
  }

  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return false;
  }
  // The size is checked before reading, so a huge file is never loaded.
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) {
    error = "cannot read " + path;
    return false;
  }
  if (static_cast<uint64_t>(size) != expected) {
    error = path + " is " + std::to_string(size) + " bytes; " + what + " has " +
            std::to_string(expected);
    return false;
  }
  file.seekg(0, std::ios::beg);
  chunk.bytes.resize(expected);
  if (!file.read(reinterpret_cast<char*>(chunk.bytes.data()),
                 static_cast<std::streamsize>(expected))) {
    error = "cannot read " + path;
    return false;
  }
  return true;
}

}  // namespace vhost
