// Built-in microtuning templates and shifting, through the plug-in's
// getParameter and setParameter.
#include "presets/tuning_templates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using presets::TemplateMode;

namespace {

class TuningTemplates : public ::testing::Test {
 protected:
  float value(int index) { return h.plugin().getParameter(index); }
  std::vector<float> range(int first, int last) { return h.parameters(first, last); }
  std::vector<float> all() { return range(0, params::kNumParams - 1); }
  // Distinct values, so that every move shows.
  void fill(int first, int last, float base) {
    for (int i = first; i <= last; ++i) h.setParameter(i, base + 0.01f * (i - first));
  }
  testing_support::PluginHarness h;
};

TEST_F(TuningTemplates, NotesTemplatesHaveTheirTableValues) {
  fill(51, 62, 0.1f);
  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::Notes, 1));
  EXPECT_EQ(range(51, 62), std::vector<float>(12, 0.5f)) << "RESET";

  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::Notes, 2));
  EXPECT_EQ(value(51), (-0.0444f + 1.0f) * 0.5f) << "MEAN, from the single-precision offset";
  EXPECT_NEAR(value(51), 0.4778, 1e-7);
  EXPECT_EQ(value(60), 0.5f) << "MT A";
  EXPECT_NEAR(value(56), 0.4710, 1e-7) << "MT F";

  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::Notes, 3));
  EXPECT_EQ(value(51), 0.5f) << "JUST";
  EXPECT_NEAR(value(52), 0.42685, 1e-7);
  EXPECT_NEAR(value(61), 0.544, 1e-7);

  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::Notes, 4));
  EXPECT_EQ(range(51, 62), (std::vector<float>{0.5f, 0.5f, 0.025f, 0.5f, 0.5f, 0.975f, 0.5f, 0.5f,
                                               0.025f, 0.5f, 0.5f, 0.025f}))
      << "OCTATONIC";
  EXPECT_STREQ(presets::templateItemName(TemplateMode::Notes, 2), "MEAN");
  EXPECT_STREQ(presets::templateItemName(TemplateMode::PitchBend, 2), "TONIC Cmaj");
}

TEST_F(TuningTemplates, PitchBendTemplatesSetUpThenDown) {
  fill(63, 86, 0.2f);
  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::PitchBend, 1));
  EXPECT_EQ(range(63, 86), std::vector<float>(24, 1.0f)) << "RESET";

  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::PitchBend, 2));
  EXPECT_EQ(range(63, 74),
            (std::vector<float>{1, 0.5f, 1, 0.5f, 0.5f, 1, 0.5f, 1, 0.5f, 1, 1, 0.5f}));
  EXPECT_EQ(range(75, 86),
            (std::vector<float>{0.5f, 0.5f, 1, 0.5f, 1, 0.5f, 0.5f, 1, 0.5f, 1, 0.5f, 1}));
  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::PitchBend, 3));
  EXPECT_EQ(range(63, 74),
            (std::vector<float>{0.5f, 1, 0.5f, 0, 1, 0.5f, 1, 0.5f, 1, 0.5f, 0, 0.5f}));
  EXPECT_EQ(range(75, 86), (std::vector<float>{1, 0, 0.5f, 1, 0.5f, 1, 0, 0.5f, 1, 0.5f, 1, 0.5f}));
  ASSERT_TRUE(presets::applyTemplate(h.plugin(), TemplateMode::PitchBend, 4));
  EXPECT_EQ(range(63, 74), (std::vector<float>{0.5f, 1, 1, 0.5f, 1, 0.5f, 0.5f, 1, 1, 0.5f, 1, 1}));
  EXPECT_EQ(range(75, 86),
            (std::vector<float>{1, 0.5f, 0.5f, 1, 0.5f, 1, 1, 0.5f, 0.5f, 1, 0.5f, 0.5f}));
}

TEST_F(TuningTemplates, UnknownItemsChangeNothingAndNothingIsAutomated) {
  const std::vector<float> before = all();
  for (int item : {0, 5, 6, -1}) {
    EXPECT_FALSE(presets::applyTemplate(h.plugin(), TemplateMode::Notes, item));
    EXPECT_FALSE(presets::applyTemplate(h.plugin(), TemplateMode::PitchBend, item));
    EXPECT_EQ(presets::templateItemName(TemplateMode::Notes, item), nullptr);
  }
  EXPECT_EQ(all(), before);
  presets::applyTemplate(h.plugin(), TemplateMode::Notes, 2);
  presets::shiftUp(h.plugin(), TemplateMode::PitchBend);
  EXPECT_EQ(h.host().count(audioMasterAutomate), 0) << "the host records no automation";
}

TEST_F(TuningTemplates, NoteShiftsRotateAndRoundTripExactly) {
  fill(51, 62, 0.3f);
  const std::vector<float> before = all();
  presets::shiftUp(h.plugin(), TemplateMode::Notes);
  EXPECT_EQ(value(51), before[62]) << "B wraps round to C";
  for (int i = 52; i <= 62; ++i) EXPECT_EQ(value(i), before[i - 1]) << i;
  EXPECT_EQ(value(63), before[63]);
  presets::shiftDown(h.plugin(), TemplateMode::Notes);
  EXPECT_EQ(all(), before);
  presets::shiftDown(h.plugin(), TemplateMode::Notes);
  EXPECT_EQ(value(62), before[51]) << "C wraps round to B";
  presets::shiftUp(h.plugin(), TemplateMode::Notes);
  EXPECT_EQ(all(), before);
}

TEST_F(TuningTemplates, PitchBendShiftsKeepUpAndDownApart) {
  fill(63, 74, 0.1f);
  fill(75, 86, 0.6f);
  const std::vector<float> before = all();
  presets::shiftUp(h.plugin(), TemplateMode::PitchBend);
  EXPECT_EQ(value(63), before[74]);
  EXPECT_EQ(value(75), before[86]);
  EXPECT_EQ(value(64), before[63]);
  EXPECT_EQ(value(76), before[75]);
  EXPECT_EQ(range(51, 62), std::vector<float>(before.begin() + 51, before.begin() + 63));
  presets::shiftDown(h.plugin(), TemplateMode::PitchBend);
  EXPECT_EQ(all(), before);
}

}  // namespace
