#include "platform/url_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace qor::platform {

namespace {

UrlOpenHandler &handlerSlot()
{
    static UrlOpenHandler handler;
    return handler;
}

// "scheme://..." or one of the schemes that are written without slashes. A bare "host:port"
// is not taken for a scheme.
bool namesScheme(const QString &text)
{
    static const QRegularExpression withSlashes(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    static const QRegularExpression opaque(QStringLiteral("^(mailto|tel|news):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return withSlashes.match(text).hasMatch() || opaque.match(text).hasMatch();
}

bool looksLikeMail(const QString &text)
{
    static const QRegularExpression mail(QStringLiteral("^[^@\\s/:]+@[^@\\s/:]+\\.[^@\\s/:.]+$"));
    return mail.match(text).hasMatch();
}

bool looksLikeLocalPath(const QString &text)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return text.startsWith(u'/') || text.startsWith(QStringLiteral("\\\\")) || drive.match(text).hasMatch();
}

} // namespace

QUrl UrlFromText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QUrl();
    if (namesScheme(t))
        return QUrl(t, QUrl::TolerantMode);
    if (looksLikeLocalPath(t))
        return QUrl::fromLocalFile(QDir::fromNativeSeparators(t));
    if (looksLikeMail(t))
        return QUrl(QStringLiteral("mailto:") + t, QUrl::TolerantMode);
    return QUrl(QStringLiteral("http://") + t, QUrl::TolerantMode);
}

bool OpenUrl(const QUrl &url)
{
    if (url.isEmpty() || !url.isValid())
        return false;
    if (handlerSlot())
        return handlerSlot()(url);
    return QDesktopServices::openUrl(url);
}

UrlOpenHandler SetUrlOpenHandler(UrlOpenHandler handler)
{
    UrlOpenHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

} // namespace qor::platform
