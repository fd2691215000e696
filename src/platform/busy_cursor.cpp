#include "platform/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace qor::platform {

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

} // namespace qor::platform
