#pragma once
// Paper codes and Qt page sizes, for the platform's printer and page set-up code.
#include <QPageSize>
#include <QSize>

namespace qor::platform {

// The driver code of a Qt page size; kPaperUser for a size without one.
int PaperCodeOf(const QPageSize &size);
// The Qt page size of a code (userSizeMM for kPaperUser, up to ten metres a side); invalid for
// an unknown code or an unusable user size.
QPageSize PageSizeOf(int code, QSize userSizeMM);

} // namespace qor::platform
