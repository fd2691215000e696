#pragma once
// Screen resolution used to convert between pixels and millimetres or inches.
#include "platform/qor_global.h"

namespace qor::platform {

// Logical dots per inch of the primary screen (96 without a screen), unless overridden.
QOR_EXPORT int ScreenDpi();
// Fixes the resolution (tests use 96); 0 returns to the screen's own.
QOR_EXPORT void SetScreenDpiOverride(int dpi);

} // namespace qor::platform
