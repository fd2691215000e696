#include "io/xlsx_formula_p.h"

#include <cstring>

namespace qor::xlsx {

namespace {

struct Rename {
    const char *ours;
    const char *theirs;
};

// Our name and the workbook's for functions that compute the same value from the same
// arguments. Ours not listed (ROUND, INT, MOD, CEILING, FLOOR, RAND, ATAN2, SQR, FRAC, TEXT,
// TRIM, ...) round, truncate, order arguments or treat texts differently.
constexpr Rename kFunctions[] = {
    {"AVG", "AVERAGE"}, {"LENGTH", "LEN"}, {"POS", "FIND"}, {"COPY", "MID"},
    {"SUM", "SUM"}, {"MAX", "MAX"}, {"MIN", "MIN"}, {"ABS", "ABS"}, {"SQRT", "SQRT"},
    {"SIN", "SIN"}, {"COS", "COS"}, {"TAN", "TAN"}, {"ASIN", "ASIN"}, {"ACOS", "ACOS"},
    {"ATAN", "ATAN"}, {"SINH", "SINH"}, {"COSH", "COSH"}, {"TANH", "TANH"}, {"ASINH", "ASINH"},
    {"ACOSH", "ACOSH"}, {"ATANH", "ATANH"}, {"EXP", "EXP"}, {"LN", "LN"}, {"LOG", "LOG"},
    {"LOG10", "LOG10"}, {"PI", "PI"}, {"POWER", "POWER"}, {"RADIANS", "RADIANS"},
    {"DEGREES", "DEGREES"}, {"FACT", "FACT"}, {"FACTDOUBLE", "FACTDOUBLE"}, {"COMBIN", "COMBIN"},
    {"GCD", "GCD"}, {"LCM", "LCM"}, {"TRUNC", "TRUNC"}, {"CONCATENATE", "CONCATENATE"},
    {"LEN", "LEN"}, {"LEFT", "LEFT"}, {"RIGHT", "RIGHT"}, {"MID", "MID"}, {"UPPER", "UPPER"},
    {"LOWER", "LOWER"}, {"FIND", "FIND"}, {"SEARCH", "SEARCH"}, {"VALUE", "VALUE"},
};

const char *mapName(const QString &upper, bool toWorkbook)
{
    const QByteArray key = upper.toLatin1();
    for (const Rename &r : kFunctions)
        if (std::strcmp(toWorkbook ? r.ours : r.theirs, key.constData()) == 0)
            return toWorkbook ? r.theirs : r.ours;
    return nullptr;
}

// Column letters and labels written here, so that the reader links without the grid.
int lettersToCol(QStringView s)
{
    int col = 0;
    for (QChar c : s)
        col = col * 26 + (c.toUpper().unicode() - 'A' + 1);
    return col - 1;
}

QString cellLabel(int row, int col)
{
    QString letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters + QString::number(row + 1);
}

bool isLetter(QChar c) { return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// "A1", "$B$12", "ab3": column letters (at most 3) and a row number; 0-based out.
bool parseRef(QStringView s, int &row, int &col)
{
    qsizetype i = 0;
    if (i < s.size() && s[i] == QLatin1Char('$'))
        ++i;
    const qsizetype letters = i;
    while (i < s.size() && isLetter(s[i]))
        ++i;
    const qsizetype nLetters = i - letters;
    if (nLetters < 1 || nLetters > 3)
        return false;
    col = lettersToCol(s.mid(letters, nLetters));
    if (i < s.size() && s[i] == QLatin1Char('$'))
        ++i;
    const qsizetype digits = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    if (i != s.size() || i == digits || i - digits > 7)
        return false;
    row = s.mid(digits).toInt() - 1;
    return row >= 0 && col >= 0 && col < 16384 && row < 1048576;
}

bool translate(QStringView in, bool toWorkbook, const RefMapper &map, QString &out, QString *why)
{
    out.clear();
    out.reserve(in.size() + 8);
    if (!toWorkbook && in.startsWith(QLatin1Char('=')))
        in = in.mid(1);
    const auto fail = [&](const QString &what) {
        if (why)
            *why = what;
        return false;
    };
    qsizetype i = 0;
    bool rangeOpen = false; // the last token was a reference followed by ':'
    while (i < in.size()) {
        const QChar c = in[i];
        if (c == QLatin1Char(' ')) {
            out += c;
            ++i;
        } else if (isDigit(c) || c == QLatin1Char('.')) {
            const qsizetype from = i;
            while (i < in.size() && (isDigit(in[i]) || in[i] == QLatin1Char('.')))
                ++i;
            if (i < in.size() && (isLetter(in[i]) || in[i] == QLatin1Char('$')))
                return fail(in.mid(from, i - from + 1).toString());
            out += in.mid(from, i - from);
        } else if (isLetter(c) || c == QLatin1Char('$')) {
            const qsizetype from = i;
            while (i < in.size() && (isLetter(in[i]) || isDigit(in[i]) || in[i] == QLatin1Char('$') || in[i] == QLatin1Char('_')))
                ++i;
            const QStringView word = in.mid(from, i - from);
            qsizetype next = i;
            while (next < in.size() && in[next] == QLatin1Char(' '))
                ++next;
            if (next < in.size() && in[next] == QLatin1Char('(')) {
                const char *name = mapName(word.toString().toUpper(), toWorkbook);
                if (!name)
                    return fail(word.toString());
                out += QLatin1String(name);
                continue;
            }
            int row, col;
            if (!parseRef(word, row, col))
                return fail(word.toString());
            const bool startsRange = next < in.size() && in[next] == QLatin1Char(':');
            const RefSide side = rangeOpen ? RefSide::RangeEnd : startsRange ? RefSide::RangeStart : RefSide::Single;
            if (!map(row, col, side))
                return fail(word.toString());
            out += cellLabel(row, col);
            rangeOpen = false;
            if (startsRange) {
                out += QLatin1Char(':');
                i = next + 1;
                while (i < in.size() && in[i] == QLatin1Char(' '))
                    ++i;
                rangeOpen = true;
            }
        } else if (std::strchr("+-*/^(),", c.toLatin1()) && c.unicode() < 128 && c.unicode() != 0) {
            if (rangeOpen)
                return fail(QString(c));
            out += c;
            ++i;
        } else {
            return fail(QString(c));
        }
    }
    if (rangeOpen)
        return fail(QStringLiteral(":"));
    return !out.trimmed().isEmpty() || fail(QString());
}

} // namespace

bool FormulaToWorkbook(QStringView body, const RefMapper &map, QString &out, QString *why)
{
    return translate(body, true, map, out, why);
}

bool FormulaFromWorkbook(QStringView body, const RefMapper &map, QString &out, QString *why)
{
    return translate(body, false, map, out, why);
}

} // namespace qor::xlsx
