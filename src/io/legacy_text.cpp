#include "io/legacy_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qor {

namespace {
LegacyCodePage g_page = LegacyCodePage::Utf8;
}

void SetLegacyCodePage(LegacyCodePage page) { g_page = page; }
LegacyCodePage GetLegacyCodePage() { return g_page; }

QString DecodeLegacyText(const QByteArray &bytes)
{
    switch (g_page) {
    case LegacyCodePage::Latin1:
        return QString::fromLatin1(bytes);
    case LegacyCodePage::Gbk: {
        QStringDecoder dec("GBK");
        if (dec.isValid())
            return dec.decode(bytes);
        return QString::fromLatin1(bytes); // no GBK codec in this Qt build: keep every byte
    }
    case LegacyCodePage::Utf8:
        break;
    }
    return QString::fromUtf8(bytes);
}

QByteArray EncodeLegacyText(const QString &text)
{
    switch (g_page) {
    case LegacyCodePage::Latin1:
        return text.toLatin1();
    case LegacyCodePage::Gbk: {
        QStringEncoder enc("GBK");
        if (enc.isValid())
            return enc.encode(text);
        return text.toLatin1();
    }
    case LegacyCodePage::Utf8:
        break;
    }
    return text.toUtf8();
}

} // namespace qor
