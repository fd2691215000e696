#pragma once
// Printing on a fixed stand-in printer (600 dpi A4, printable area from (50, 60)) and a 96 dpi
// screen, so that every page layout is the same on any machine.
#include <gtest/gtest.h>
#include "platform/printer.h"
#include "platform/screen.h"

namespace qor::test {

class StandInPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetScreenDpiOverride(96);
        platform::SetCurrentPrinter(platform::MakeStandInPrinter());
    }
    void TearDown() override
    {
        platform::ResetCurrentPrinter();
        platform::SetScreenDpiOverride(0);
    }
};

} // namespace qor::test
