// Programs, names and the host state chunk.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "params/parameter_table.h"
#include "params/program_record.h"
#include "support/plugin_harness.h"

using namespace testing_support;
using params::BankImage;
using params::ProgramRecord;

namespace {

class Programs : public ::testing::Test {
 protected:
  Quarnel& q() { return h.plugin(); }
  std::string nameOf(int p) {
    char text[64];
    q().getProgramNameIndexed(0, p, text);
    return text;
  }
  std::vector<uint8_t> bankChunk() {
    void* data = nullptr;
    const VstInt32 size = q().getChunk(&data, false);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
  }
  PluginHarness h;
};

TEST_F(Programs, BankChunkIsTheStoredImage) {
  std::vector<uint8_t> bank = bankChunk();
  ASSERT_EQ(bank.size(), 97024u);
  EXPECT_EQ(bank[0], 2);
  float value;
  std::memcpy(&value, &bank[4 + 4 * 7], 4);
  EXPECT_EQ(value, 0.9f);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bank[1472])), "Init");
  void* data = nullptr;
  EXPECT_EQ(q().getChunk(&data, true), 1500);
  // A copy of the current stored record, which other threads may go on
  // changing while the host reads the chunk.
  EXPECT_EQ(std::memcmp(data, q().getStoredPrograms()->programs, 1500), 0);
  EXPECT_NE(data, q().getStoredPrograms()->programs);
  EXPECT_EQ(q().getChunk(nullptr, true), 0);
}

TEST_F(Programs, BankChunkRoundTrip) {
  q().setProgram(3);
  h.setParameter(7, 0.123f);
  char name[] = "Glass";
  q().setProgramName(name);
  params::setPathField(q().getStoredPrograms()->programs[3].path, "/tmp/glass.vkp");
  std::vector<uint8_t> saved = bankChunk();

  PluginHarness other;
  other.plugin().setProgram(3);
  ASSERT_EQ(other.plugin().setChunk(saved.data(), static_cast<VstInt32>(saved.size()), false), 1);
  void* data = nullptr;
  other.plugin().getChunk(&data, false);
  EXPECT_EQ(std::memcmp(data, saved.data(), saved.size()), 0);
  EXPECT_EQ(other.plugin().getParameter(7), 0.123f) << "the current program is reselected";
  char text[1024];
  other.plugin().getProgramPath(text);
  EXPECT_STREQ(text, "/tmp/glass.vkp");
  other.plugin().getProgramName(text);
  EXPECT_STREQ(text, "Glass");
}

TEST_F(Programs, ChunksOfTheWrongSizeChangeNothing) {
  std::vector<uint8_t> before = bankChunk();
  std::vector<uint8_t> junk(97024, 0xab);
  EXPECT_EQ(q().setChunk(junk.data(), 1499, true), 0);
  EXPECT_EQ(q().setChunk(junk.data(), 1501, true), 0);
  EXPECT_EQ(q().setChunk(junk.data(), 97023, false), 0);
  EXPECT_EQ(q().setChunk(junk.data(), -1, false), 0);
  EXPECT_EQ(q().setChunk(nullptr, 1500, true), 0);
  EXPECT_EQ(q().setChunk(nullptr, 97024, false), 0);
  EXPECT_EQ(bankChunk(), before);
}

TEST_F(Programs, HostileChunkContents) {
  ProgramRecord record;
  std::memset(&record, 0x41, sizeof record);  // no terminators anywhere
  record.values[7] = std::numeric_limits<float>::quiet_NaN();
  record.values[1] = std::numeric_limits<float>::infinity();
  record.values[30] = 55.0f;
  record.values[87] = -3.0f;
  ASSERT_EQ(q().setChunk(&record, sizeof record, true), 1);
  char name[64];
  q().getProgramName(name);
  EXPECT_EQ(std::strlen(name), 24u);
  char path[1100];
  q().getProgramPath(path);
  EXPECT_EQ(std::strlen(path), 1023u);
  EXPECT_EQ(nameOf(0).size(), 24u);
  // Non-finite values take their defaults when the program is selected.
  EXPECT_EQ(q().getParameter(7), params::defaultValue(7));
  EXPECT_EQ(q().getParameter(1), params::defaultValue(1));
  EXPECT_EQ(q().getParameter(30), 1.0f);
  EXPECT_EQ(h.engine().body.bodyLowKey, 128);
  EXPECT_EQ(h.engine().sand.sandCount, 0);
  h.noteOn(60, 127);
  EXPECT_TRUE(allFinite(h.render(4800)));
}

TEST_F(Programs, NamesAreCutTo24Characters) {
  char longName[] = "abcdefghijklmnopqrstuvwxyz0123";
  q().setProgramName(longName);
  char text[64];
  q().getProgramName(text);
  EXPECT_STREQ(text, "abcdefghijklmnopqrstuvwx");
  q().getCurrentProgramName(text);
  EXPECT_STREQ(text, "abcdefghijklmnopqrstuvwx");
}

TEST_F(Programs, DeleteMovesLaterProgramsDown) {
  q().setProgram(63);
  h.setParameter(9, 0.11f);
  char last[] = "Last";
  q().setProgramName(last);
  q().deleteProgram(62);
  EXPECT_EQ(q().getProgram(), 62);
  EXPECT_EQ(nameOf(62), "Last");
  EXPECT_EQ(q().getParameter(9), 0.11f);
  EXPECT_EQ(nameOf(63), "-");
  EXPECT_EQ(q().getStoredPrograms()->programs[63].values[9], 0.11f) << "63 keeps its values";
}

TEST_F(Programs, StoreCopiesTheWorkingValuesAndName) {
  q().setProgram(2);
  h.setParameter(24, 0.66f);
  char pad[] = "Pad";
  q().setProgramName(pad);
  q().storeProgram(5);
  EXPECT_EQ(q().getProgram(), 5);
  EXPECT_EQ(nameOf(5), "Pad");
  EXPECT_EQ(q().getParameter(24), 0.66f);
  q().storeProgram(64);
  q().storeProgram(-1);
  EXPECT_EQ(q().getProgram(), 5);
}

TEST_F(Programs, SelectionMakesBothCopiesAgree) {
  BankImage* bank = q().getStoredPrograms();
  bank->programs[3].values[12] = 0.8f;  // written directly, as a file load does
  q().setProgram(3);
  for (int i = 0; i < params::kNumParams; ++i)
    EXPECT_EQ(q().getStoredParameter(i), q().getParameter(i)) << i;
  EXPECT_EQ(q().getParameter(12), 0.8f);
  q().setProgram(64);
  q().setProgram(-1);
  EXPECT_EQ(q().getProgram(), 3);
}

TEST_F(Programs, InitBankRestoresDefaultsWithoutApplyingThem) {
  q().setProgram(4);
  h.setParameter(1, 0.9f);
  q().initBank();
  EXPECT_EQ(q().getProgram(), 63);
  EXPECT_EQ(nameOf(0), "Init");
  EXPECT_EQ(nameOf(4), "-");
  EXPECT_EQ(q().getStoredPrograms()->programs[4].values[1], params::defaultValue(1));
  EXPECT_EQ(h.engine().drive.outputGain, 1.8f) << "the engine follows at the next selection";
}

TEST_F(Programs, HeldKeysKeepSoundingThroughAProgramChange) {
  h.noteOn(60, 120);
  h.noteOn(64, 120);
  h.noteOff(64);
  h.render(2400);
  q().setProgram(1);
  EXPECT_EQ(h.engine().keys[60].held, 1);
  EXPECT_EQ(h.engine().keys[60].damp, h.engine().decayCoef());
  EXPECT_EQ(h.engine().keys[64].damp, h.engine().releaseCoef());
  EXPECT_EQ(h.engine().modWheelUnset(), 1);
  EXPECT_FALSE(h.engine().echo.left().holdsSignal());
}

}  // namespace
