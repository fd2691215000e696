#include "io/xlsx_formats_p.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>
#include "format/number_text.h"

namespace qor::xlsx {

namespace {

QString decimalsPart(int digits, bool trimZero)
{
    digits = std::clamp(digits, 0, 30);
    if (digits == 0)
        return QString();
    return QLatin1Char('.') + QString(digits, trimZero ? QLatin1Char('#') : QLatin1Char('0'));
}

// A number the workbook can hold exactly as the cell shows it: no leading zeros to lose, at
// most 15 significant digits.
bool canonicalNumber(const QString &t)
{
    if (!IsNumber(t))
        return false;
    QStringView s(t);
    if (s.startsWith(QLatin1Char('+')))
        return false;
    if (s.startsWith(QLatin1Char('-')))
        s = s.mid(1);
    if (s.startsWith(QLatin1Char('.')) || s.endsWith(QLatin1Char('.')))
        return false;
    if (s.size() > 1 && s[0] == QLatin1Char('0') && s[1] != QLatin1Char('.'))
        return false;
    int significant = 0;
    bool started = false;
    for (QChar c : s) {
        if (c == QLatin1Char('.'))
            continue;
        started = started || c != QLatin1Char('0');
        significant += started;
    }
    return significant <= 15;
}

} // namespace

static QString buildNumberFormat(TValueType type, int digits, bool thousands, bool trimZero, const QString &symbol);

QString NumberFormatFor(TValueType type, int digits, bool thousands, bool trimZero, const QString &symbol)
{
    // Cells repeat a few formats over and over: each is built once.
    thread_local QHash<uint32_t, QString> codes;
    thread_local QString codesSymbol;
    if (symbol != codesSymbol) {
        codes.clear();
        codesSymbol = symbol;
    }
    const uint32_t key = uint32_t(type) | uint32_t(std::clamp(digits, 0, 255)) << 8 | uint32_t(thousands) << 16 |
                         uint32_t(trimZero) << 17;
    auto it = codes.constFind(key);
    if (it == codes.cend())
        it = codes.insert(key, buildNumberFormat(type, digits, thousands, trimZero, symbol));
    return *it;
}

static QString buildNumberFormat(TValueType type, int digits, bool thousands, bool trimZero, const QString &symbol)
{
    const QString whole = thousands ? QStringLiteral("#,##0") : QStringLiteral("0");
    switch (type) {
    case vtWord:
    case vtInteger:
    case vtNegInt: return whole;
    case vtFloat:
    case vtPosFloat:
    case vtNegFloat: return whole + decimalsPart(digits, trimZero);
    case vtCurrency:
    case vtChineseCurrency: {
        QString quoted = symbol;
        quoted.replace(QLatin1Char('"'), QString());
        return QLatin1Char('"') + quoted + QLatin1Char('"') + whole + decimalsPart(digits, trimZero);
    }
    case vtPercent: return whole + decimalsPart(std::max(digits - 2, 0), trimZero) + QLatin1Char('%');
    default: return QString();
    }
}

QString DateFormatFor(bool chinese)
{
    return chinese ? QStringLiteral("yyyy\"年\"m\"月\"d\"日\"") : QStringLiteral("yyyy-mm-dd");
}

QDate ParseCellDate(const QString &text)
{
    const QString t = text.trimmed();
    for (const char *f : {"yyyy-MM-dd", "yyyy-M-d", "yyyy/M/d", "yyyyMMdd", "yyyy.M.d"}) {
        const QDate d = QDate::fromString(t, QLatin1String(f));
        if (d.isValid() && d.year() >= 1900)
            return d;
    }
    return QDate();
}

QString NumberText(double v)
{
    if (!std::isfinite(v))
        return QStringLiteral("0");
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

ExportValue ExportValueFor(const QString &text, TValueType type, TCellType cellType, int digits, bool thousands,
                           bool trimZero, const QString &symbol, bool formula)
{
    ExportValue v;
    v.text = text;
    if (type == vtChineseLongCurr || type == vtChineseShortCurr) {
        v.numFmt = QStringLiteral("@"); // the amount in words: the caller puts in the shown text
        return v;
    }
    if (type == vtChineseDate || (cellType == ctDate && type == vtString)) {
        const QDate d = ParseCellDate(text);
        if (d.isValid()) {
            v.kind = ExportValue::Number;
            v.number = DateSerial(d);
            v.numFmt = DateFormatFor(type == vtChineseDate);
        }
        return v;
    }
    const QString fmt = type == vtString ? QString() : NumberFormatFor(type, digits, thousands, trimZero, symbol);
    if (formula) {
        v.kind = ExportValue::Number;
        v.numFmt = fmt;
        return v;
    }
    if (text.isEmpty())
        return v;
    if (type == vtString) {
        if (canonicalNumber(text)) {
            v.kind = ExportValue::Number;
            v.number = text.toDouble();
        } else if (IsNumber(text)) {
            v.numFmt = QStringLiteral("@"); // digits that must stay as typed ("007")
        }
        return v;
    }
    if (IsNumber(text)) {
        v.kind = ExportValue::Number;
        v.number = text.toDouble();
        v.numFmt = fmt;
    }
    return v;
}

FormatMeaning ParseNumberFormat(const QString &code)
{
    FormatMeaning m;
    if (code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return m;
    if (code == QLatin1String("@")) {
        m.kind = FormatMeaning::Text;
        return m;
    }
    // The first section, without quoted texts and bracketed codes, and what those held.
    QString plain;
    bool currency = false, chinese = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('"')) {
            const qsizetype end = code.indexOf(QLatin1Char('"'), i + 1);
            const QString lit = code.mid(i + 1, end < 0 ? -1 : end - i - 1);
            chinese = chinese || lit.contains(QStringLiteral("年")) || lit.contains(QStringLiteral("月"));
            currency = currency || lit.contains(QRegularExpression(QStringLiteral("[¥$€£￥]")));
            i = end < 0 ? code.size() : end;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = code.indexOf(QLatin1Char(']'), i + 1);
            const QString inner = code.mid(i + 1, end < 0 ? -1 : end - i - 1);
            currency = currency || inner.startsWith(QLatin1Char('$'));
            i = end < 0 ? code.size() : end;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (QStringLiteral("¥$€£￥").contains(c)) {
            currency = true;
        } else if (c == QStringLiteral("年").at(0)) {
            chinese = true;
        } else {
            plain += c;
        }
    }
    const QString lower = plain.toLower();
    if (lower.contains(QLatin1Char('y')) || lower.contains(QLatin1Char('d')) ||
        (lower.contains(QLatin1Char('m')) && !lower.contains(QLatin1Char('0'))) || lower.contains(QLatin1Char('h'))) {
        m.kind = chinese ? FormatMeaning::ChineseDate : FormatMeaning::Date;
        return m;
    }
    if (!plain.contains(QLatin1Char('0')) && !plain.contains(QLatin1Char('#')))
        return m;
    m.thousands = plain.contains(QLatin1Char(','));
    const qsizetype dot = plain.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        for (qsizetype i = dot + 1; i < plain.size(); ++i) {
            if (plain[i] == QLatin1Char('0'))
                ++m.decimals;
            else if (plain[i] == QLatin1Char('#')) {
                ++m.decimals;
                m.trimZero = true;
            }
        }
    }
    if (plain.contains(QLatin1Char('%')))
        m.kind = FormatMeaning::Percent;
    else if (currency)
        m.kind = FormatMeaning::Currency;
    else
        m.kind = m.decimals ? FormatMeaning::Decimal : FormatMeaning::Integer;
    return m;
}

} // namespace qor::xlsx
