#pragma once
// Opening addresses with the desktop's handler. Everything in the library opens links through
// here, so that tests (and hosts without a desktop) can record them instead.
#include <QString>
#include <QUrl>
#include <functional>
#include "platform/qor_global.h"

namespace qor::platform {

// The address a link text stands for: a text naming its scheme ("https://...", "mailto:...")
// is taken as it is, an absolute local path becomes a file address, something shaped like an
// e-mail address gets "mailto:", anything else "http://". Blank text gives an empty address.
QOR_EXPORT QUrl UrlFromText(const QString &text);

using UrlOpenHandler = std::function<bool(const QUrl &)>;

// Hands the address to the desktop (or to the installed handler). False when it is empty or
// invalid, or nothing took it.
QOR_EXPORT bool OpenUrl(const QUrl &url);

// Replaces the desktop; an empty handler restores it. Returns the previous handler.
QOR_EXPORT UrlOpenHandler SetUrlOpenHandler(UrlOpenHandler handler);

} // namespace qor::platform
