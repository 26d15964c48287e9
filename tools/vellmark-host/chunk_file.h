// A program file (".vkp", one 1500-byte program record) or a bank file
// (".vkb", the 97,024-byte bank image), read whole to be handed to the
// module as its program or bank chunk. The extension tells the kind; the
// size must match it exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vhost {

constexpr size_t kProgramChunkBytes = 1500;
constexpr size_t kBankChunkBytes = 97024;

enum class ChunkKind { Program, Bank };

struct ChunkFile {
  ChunkKind kind = ChunkKind::Program;
  std::vector<uint8_t> bytes;
};

bool loadChunkFile(const std::string& path, ChunkFile& chunk, std::string& error);

}  // namespace vhost
