#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace qor::platform {

namespace {
int g_override = 0;
}

int ScreenDpi()
{
    if (g_override > 0)
        return g_override;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QScreen *s = QGuiApplication::primaryScreen()) {
            const int dpi = int(std::lround(s->logicalDotsPerInchY()));
            if (dpi > 0)
                return dpi;
        }
    }
    return 96;
}

void SetScreenDpiOverride(int dpi) { g_override = dpi > 0 ? dpi : 0; }

} // namespace qor::platform
