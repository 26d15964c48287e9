// What a host shows for every parameter: names, labels and display texts,
// read through the module's dispatcher.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "params/parameter_table.h"
#include "support/fake_host.h"
#include "support/module_loader.h"

using namespace testing_support;

namespace {

struct Expected {
  const char* name;
  const char* display;  // at the default value
  const char* label;
};

// Every parameter of a new instance as the host sees it.
const Expected kDefaults[111] = {
    {"Hit Power", "1.000", ""},
    {"Volume", "0.500", ""},
    {"BOW temp", "0.000", ""},
    {"BOW temp", "0.000", ""},
    {"BOW temp", "0.000", ""},
    {"BOW temp", "0.000", ""},
    {"sA Balance", "0.500", ""},
    {"Decay", "0.900", ""},
    {"Release", "0.250", ""},
    {"sA Volume", "0.500", ""},
    {"sA Note Offset", "12.000", "cents"},
    {"sA RND tune", "0.000", ""},
    {"sA Saturate", "0.000", ""},
    {"sB Volume", "0.500", ""},
    {"sB Frq.bottom", "-12.000", "cents"},
    {"sB Frq.top", "116", "cents"},
    {"sB Note Offset", "24", ""},
    {"sB RND tune", "0.000", ""},
    {"sB Detune", "0.500", ""},
    {"sB Octave", "Off", ""},
    {"sB Decay", "0.750", ""},
    {"sB Link", "0.000", ""},
    {"sB Diffusion", "0.000", ""},
    {"sB crush", "0.000", ""},
    {"Body Vol", "0.200", ""},
    {"Body Tune", "622.254", "Hz"},
    {"Body Decay", "0.250", ""},
    {"Body Diffusion", "0.000", ""},
    {"Body Sharpness", "0.500", ""},
    {"Body Wet", "0.000", ""},
    {"Body Lowest", "0.164", ""},
    {"Body Highest", "0.844", ""},
    {"Body Phase Frq", "0.550", ""},
    {"Body Phase Q", "0.000", ""},
    {"Body Pha.Mix", "0.500", ""},
    {"Body Tremolo", "0.330", ""},
    {"Body Tr.Sync", "Off", ""},
    {"Body Tr.Rate", "0.150", ""},
    {"Body Tr.Wide", "0.500", ""},
    {"Concert A", "440.0", ""},
    {"FLT Highpass", "0.000", ""},
    {"FLT Lowpass", "1.000", ""},
    {"OUT Stereo", "0.000", ""},
    {"OUT Spread", "0.500", ""},
    {"Pitch range", "2.000", ""},
    {"Pitch relax", "0.160", ""},
    {"-", "0.125", ""},
    {"Crush", "0.000", ""},
    {"GUI red", "0.750", ""},
    {"GUI green", "0.750", ""},
    {"GUI blue", "0.750", ""},
    {"MT C", "261.63", ""},
    {"MT C#", "277.18", ""},
    {"MT D", "293.66", ""},
    {"MT D#", "311.13", ""},
    {"MT E", "329.63", ""},
    {"MT F", "349.23", ""},
    {"MT F#", "369.99", ""},
    {"MT G", "392.00", ""},
    {"MT G#", "415.30", ""},
    {"MT A", "440.00", ""},
    {"MT A#", "466.16", ""},
    {"MT B", "493.88", ""},
    {"MPBup C", "1.000", ""},
    {"MPBup C#", "1.000", ""},
    {"MPBup D", "1.000", ""},
    {"MPBup D#", "1.000", ""},
    {"MPBup E", "1.000", ""},
    {"MPBup F", "1.000", ""},
    {"MPBup F#", "1.000", ""},
    {"MPBup G", "1.000", ""},
    {"MPBup G#", "1.000", ""},
    {"MPBup A", "1.000", ""},
    {"MPBup A#", "1.000", ""},
    {"MPBup B", "1.000", ""},
    {"MPBdown C", "1.000", ""},
    {"MPBdown C#", "1.000", ""},
    {"MPBdown D", "1.000", ""},
    {"MPBdown D#", "1.000", ""},
    {"MPBdown E", "1.000", ""},
    {"MPBdown F", "1.000", ""},
    {"MPBdown F#", "1.000", ""},
    {"MPBdown G", "1.000", ""},
    {"MPBdown G#", "1.000", ""},
    {"MPBdown A", "1.000", ""},
    {"MPBdown A#", "1.000", ""},
    {"MPBdown B", "1.000", ""},
    {"-", "0.000", ""},
    {"-", "1.000", ""},
    {"-", "0.750", ""},
    {"-", "1.000", ""},
    {"-", "0.900", ""},
    {"-", "0.850", ""},
    {"Echo L Rate", "0.250", ""},
    {"Echo R Rate", "0.250", ""},
    {"Echo sync", "Off", ""},
    {"Echo fb", "0.250", ""},
    {"Echo wet", "0.000", ""},
    {"-", "0.000", ""},
    {"-", "0.000", ""},
    {"LFO sync", "0.000", ""},
    {"LFO rate", "0.250", ""},
    {"LFO balance", "0.000", ""},
    {"LFO pitch", "0.000", ""},
    {"-", "0.000", ""},
    {"-", "0.000", ""},
    {"ENV decay", "0.250", ""},
    {"-", "0.000", ""},
    {"ENV balance", "0.000", ""},
    {"ENV pitch", "0.000", ""},
    {"-", "0.000", ""},
};

class ParameterText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.ok());
    effect = module.entry()(host.callback());
    ASSERT_NE(effect, nullptr);
  }
  void TearDown() override {
    if (effect) dispatch(effect, effClose);
  }

  std::string text(VstInt32 opcode, VstInt32 index) {
    char buffer[64];
    std::memset(buffer, 0x7f, sizeof buffer);
    buffer[63] = 0;
    dispatch(effect, opcode, index, 0, buffer);
    return buffer;
  }
  std::string name(int i) { return text(effGetParamName, i); }
  std::string label(int i) { return text(effGetParamLabel, i); }
  std::string display(int i) { return text(effGetParamDisplay, i); }
  void set(int i, float v) { effect->setParameter(effect, i, v); }

  LoadedModule module;
  FakeHost host;
  AEffect* effect = nullptr;
};

TEST_F(ParameterText, EveryParameterOfANewInstance) {
  for (int i = 0; i < 111; ++i) {
    EXPECT_EQ(name(i), kDefaults[i].name) << i;
    EXPECT_EQ(display(i), kDefaults[i].display) << i;
    EXPECT_EQ(label(i), kDefaults[i].label) << i;
    EXPECT_EQ(effect->getParameter(effect, i), params::defaultValue(i)) << i;
  }
}

TEST_F(ParameterText, NoiseModeRenamesTheSpringBControls) {
  set(22, 1.0f);
  EXPECT_EQ(name(14), "NOISE Frq");
  EXPECT_EQ(name(15), "NOISE Res");
  EXPECT_EQ(name(22), "NOISE");
  EXPECT_EQ(label(15), "");
  EXPECT_EQ(display(15), "1.000");
  set(22, 0.999f);
  EXPECT_EQ(name(14), "sB Frq.bottom");
  EXPECT_EQ(name(15), "sB Frq.top");
  EXPECT_EQ(name(22), "sB Diffusion");
  EXPECT_EQ(label(15), "cents");
  EXPECT_EQ(display(15), "116");
}

TEST_F(ParameterText, ValueDependentTexts) {
  set(10, 0.0f);
  EXPECT_EQ(display(10), "-12.000");
  set(10, 1.0f);
  EXPECT_EQ(display(10), "36.000");
  set(36, 0.5f);
  EXPECT_EQ(display(36), "Tempo");
  set(36, 1.0f);
  EXPECT_EQ(display(36), "Song");
  set(95, 0.99f);
  EXPECT_EQ(display(95), "Off");
  set(95, 1.0f);
  EXPECT_EQ(display(95), "Tempo");
  set(19, 0.01f);
  EXPECT_EQ(display(19), "On");
  set(33, 0.0f);
  EXPECT_EQ(display(33), "1.000");
}

TEST_F(ParameterText, NoteDivisionsWhileSynced) {
  set(37, 0.2f);
  EXPECT_EQ(display(37), "0.200");
  set(36, 0.5f);
  EXPECT_EQ(display(37), "1/2T");
  set(37, 0.25f);
  EXPECT_EQ(display(37), "1/4");
  set(93, 0.2f);
  set(94, 1.0f);
  EXPECT_EQ(display(93), "0.200");
  set(95, 1.0f);
  EXPECT_EQ(display(93), "1/2T");
  EXPECT_EQ(display(94), "1/256");
}

TEST_F(ParameterText, TextsAreCutToEightCharacters) {
  set(39, 1.0f);
  set(25, 1.0f);
  EXPECT_EQ(display(25), "1460.409");
  EXPECT_EQ(display(39), "460.0");
  // Only a value outside the host range can format wider; it is cut.
  char text[32];
  params::parameterDisplay(44, 1000.0f, params::DisplayContext{}, text);
  EXPECT_STREQ(text, "12000.00");
}

TEST_F(ParameterText, IndicesOutOfRange) {
  EXPECT_EQ(name(111), "-");
  EXPECT_EQ(name(-1), "-");
  char buffer[32] = "untouched";
  dispatch(effect, effGetParamDisplay, 111, 0, buffer);
  EXPECT_STREQ(buffer, "untouched");
  dispatch(effect, effGetParamDisplay, -5, 0, buffer);
  EXPECT_STREQ(buffer, "untouched");
  EXPECT_EQ(effect->getParameter(effect, 111), 0.0f);
  EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
  // Setting an index out of range changes nothing.
  set(200, 0.5f);
  set(-3, 0.5f);
  for (int i = 0; i < 111; ++i) EXPECT_EQ(effect->getParameter(effect, i), params::defaultValue(i));
}

}  // namespace
