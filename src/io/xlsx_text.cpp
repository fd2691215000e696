// The _xHHHH_ escapes of workbook texts.
#include "io/xlsx_formats_p.h"

namespace qor::xlsx {

namespace {

bool isHex(QChar c) { return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')); }

// An escape starts at i: "_x" four hex digits "_".
bool escapeAt(const QString &t, qsizetype i)
{
    if (i + 7 > t.size() || t[i] != QLatin1Char('_') || t[i + 1] != QLatin1Char('x') || t[i + 6] != QLatin1Char('_'))
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isHex(t[k]))
            return false;
    return true;
}

} // namespace

QString EscapeWorkbookText(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i))
            out += QLatin1String("_x005F");
        out += text[i];
    }
    return out;
}

QString UnescapeWorkbookText(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i)) {
            out += QChar(char16_t(QStringView(text).mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace qor::xlsx
