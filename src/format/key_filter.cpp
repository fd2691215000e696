#include "format/key_filter.h"

#include <algorithm>

namespace qor {

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool charAllowed(TValueType t, QChar k)
{
    switch (t) {
    case vtWord:
        return isDigit(k);
    case vtInteger:
        return isDigit(k) || k == u'+' || k == u'-';
    case vtNegInt:
        return isDigit(k) || k == u'-';
    case vtPosFloat:
        return isDigit(k) || k == u'+' || k == u'.';
    case vtNegFloat:
        return isDigit(k) || k == u'-' || k == u'.';
    default: // vtFloat, vtCurrency, vtPercent and the Chinese amount types
        return isDigit(k) || k == u'+' || k == u'-' || k == u'.';
    }
}

bool hasSinglePoint(TValueType t)
{
    switch (t) {
    case vtFloat: case vtCurrency: case vtPercent:
    case vtChineseCurrency: case vtChineseLongCurr: case vtChineseShortCurr:
        return true;
    default:
        return false;
    }
}

// vtFloat and vtPosFloat … vtChineseShortCurr: the types that show decimals.
bool limitsDecimals(TValueType t)
{
    return t == vtFloat || (t >= vtPosFloat && t <= vtChineseShortCurr);
}

} // namespace

bool KeyAccepted(const QString &text, int selStart, int selLength, QChar key, TValueType t,
                 int digits)
{
    if (key.unicode() < 32)
        return true;
    if (text.isEmpty() && key == u'=')
        return true;
    // A formula being typed: only a second "=" is checked.
    if (text.startsWith(u'=') && !text.startsWith(QLatin1String("==")) && key != u'=')
        return true;
    if (t == vtString || t == vtChineseDate)
        return true;

    const bool formulaStart = key == u'=' && selStart == 0 && !text.startsWith(u'=');
    bool allowed = charAllowed(t, key);
    if ((t == vtNegInt || t == vtNegFloat) && text.isEmpty())
        allowed = key == u'-' || key == u'=';
    if (!allowed && !formulaStart)
        return false;

    const bool nothingSelected = selLength == 0;
    if (key == u'-' || key == u'+') {
        if (nothingSelected && (text.contains(u'-') || text.contains(u'+')))
            return false;
        if (selStart > 0)
            return false;
    }
    if (key == u'.' && hasSinglePoint(t) && (text.contains(u'.') || selStart == 0))
        return false;
    if (limitsDecimals(t) && digits >= 1 && selStart + selLength >= 1) {
        const qsizetype dot = text.indexOf(u'.');
        if (dot >= 0 && dot + 1 <= selStart && nothingSelected
            && text.size() - (dot + 1) >= digits)
            return false;
    }
    return true;
}

void MxFormatKeyPress(const QString &text, int selStart, int selLength, QChar &key,
                      TValueType valueType, int digits)
{
    if (!KeyAccepted(text, selStart, selLength, key, valueType, digits))
        key = QChar();
}

bool PasteAccepted(const QString &text, int selStart, int selLength, const QString &pasted,
                   TValueType valueType, int digits)
{
    // Typed one after another into the text as it grows: "1.5" is a float although "." alone
    // could not start one.
    QString now = text;
    int at = std::clamp(selStart, 0, int(now.size()));
    now.remove(at, std::clamp(selLength, 0, int(now.size()) - at));
    for (QChar c : pasted) {
        if (!KeyAccepted(now, at, 0, c, valueType, digits))
            return false;
        if (c.unicode() >= 32)
            now.insert(at++, c);
    }
    return true;
}

} // namespace qor
