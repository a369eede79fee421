#include "platform/files.h"

#include <gtest/gtest.h>

TEST(PlatFiles, Placeholder) { EXPECT_FALSE(velmora::Plat_Exists("/nonexistent/velmora")); }
