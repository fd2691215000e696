#pragma once
// The application-starting cursor for the length of a long operation.
#include "platform/qor_global.h"

namespace qor::platform {

class QOR_EXPORT BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace qor::platform
