#include <gtest/gtest.h>

#include "plugin/quarnel.h"

TEST(Smoke, BuildsAnInstance) {
  Quarnel plugin(nullptr);
  EXPECT_TRUE(plugin.constructed());
}
