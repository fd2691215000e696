#include <gtest/gtest.h>

#include "message_recorder.h"
#include "platform/colors.h"
#include "platform/screen.h"

using namespace qor;

TEST(PlatformColors, PlainColoursAreBgrAndSystemColoursResolve)
{
    EXPECT_EQ(platform::ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(platform::ToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(platform::FromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_LT(clBtnFace, 0);
    EXPECT_EQ(uint32_t(clBtnFace), 0x8000000Fu);
    EXPECT_GE(platform::ColorToRGB(clAppWorkSpace), 0);
}

TEST(PlatformScreen, TestsRunAt96Dpi) { EXPECT_EQ(platform::ScreenDpi(), 96); }
