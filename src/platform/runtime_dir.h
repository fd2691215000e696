#pragma once
// A private runtime folder for programs started without a desktop session (CI, ssh, cron),
// where XDG_RUNTIME_DIR is unset and Qt would warn and fall back to a shared path.
#include <QString>
#include "platform/qor_global.h"

namespace qor::platform {

// When XDG_RUNTIME_DIR is unset or empty, points it at a folder of this user's own (created
// 0700; an existing one is used only when it is a real folder owned by this user, else a fresh
// one is made). Call before the application object is created. Returns the folder in use, or
// an empty text when none could be made (Qt's fallback then applies).
QOR_EXPORT QString EnsurePrivateRuntimeDir();

} // namespace qor::platform
