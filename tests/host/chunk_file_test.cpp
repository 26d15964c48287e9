#include "vellmark-host/chunk_file.h"

#include <gtest/gtest.h>

#include "host/host_test_support.h"

using vhost::ChunkFile;
using vhost::ChunkKind;

TEST(ChunkFile, ProgramAndBankFilesLoadWhole) {
  host_test::ScratchFolder folder;
  std::vector<uint8_t> program(vhost::kProgramChunkBytes, 0);
  program[0] = 2;
  program.back() = 0x5A;
  host_test::writeBytes(folder.file("lead.vkp"), program);
  host_test::writeBytes(folder.file("set.VKB"), std::vector<uint8_t>(vhost::kBankChunkBytes, 1));

  ChunkFile chunk;
  std::string error;
  ASSERT_TRUE(vhost::loadChunkFile(folder.file("lead.vkp"), chunk, error)) << error;
  EXPECT_EQ(chunk.kind, ChunkKind::Program);
  EXPECT_EQ(chunk.bytes, program);
  ASSERT_TRUE(vhost::loadChunkFile(folder.file("set.VKB"), chunk, error)) << error;
  EXPECT_EQ(chunk.kind, ChunkKind::Bank);
  EXPECT_EQ(chunk.bytes.size(), vhost::kBankChunkBytes);
}

TEST(ChunkFile, WrongSizesAndUnknownTypesAreReported) {
  host_test::ScratchFolder folder;
  host_test::writeBytes(folder.file("short.vkp"), std::vector<uint8_t>(1499, 0));
  host_test::writeBytes(folder.file("long.vkb"),
                        std::vector<uint8_t>(vhost::kBankChunkBytes + 1, 0));
  host_test::writeBytes(folder.file("bank-sized.vkp"),
                        std::vector<uint8_t>(vhost::kBankChunkBytes, 0));
  host_test::writeBytes(folder.file("program.txt"), std::vector<uint8_t>(1500, 0));

  ChunkFile chunk;
  std::string error;
  EXPECT_FALSE(vhost::loadChunkFile(folder.file("short.vkp"), chunk, error));
  EXPECT_NE(error.find("1499 bytes"), std::string::npos) << error;
  EXPECT_NE(error.find("1500"), std::string::npos) << error;
  EXPECT_FALSE(vhost::loadChunkFile(folder.file("long.vkb"), chunk, error));
  EXPECT_NE(error.find("97025 bytes"), std::string::npos) << error;
  EXPECT_FALSE(vhost::loadChunkFile(folder.file("bank-sized.vkp"), chunk, error));
  EXPECT_FALSE(vhost::loadChunkFile(folder.file("program.txt"), chunk, error));
  EXPECT_NE(error.find("unknown chunk file type"), std::string::npos) << error;
  EXPECT_FALSE(vhost::loadChunkFile(folder.file("missing.vkp"), chunk, error));
  EXPECT_TRUE(chunk.bytes.empty());
}
