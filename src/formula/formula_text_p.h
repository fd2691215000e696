#pragma once
// Reading cell formulas as text: labels, reference tokens, the keyword "Above", the pieces a
// formula is cut into, and rewriting the references of a formula.
#include <QString>
#include <QStringView>
#include <functional>
#include <string_view>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

namespace ftext {

inline bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
inline bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
// Characters that end a piece of a formula (the ":" of ranges is separate).
inline bool IsCutChar(char16_t c)
{
    switch (c) {
    case u'!': case u'%': case u'&': case u'(': case u')': case u'*': case u'+': case u',':
    case u'-': case u'/': case u'^':
        return true;
    default:
        return false;
    }
}
// Characters that end the text of a range.
inline bool IsRangeEnd(char16_t c) { return c == u'(' || c == u')' || c == u','; }

// Asked of every text stored: inline.
inline bool IsFormulaText(QStringView s) { return s.size() >= 2 && s[0] == u'=' && s[1] != u'='; }
// Whether s holds word (lower-case ASCII) in any case: a plain scan, for the checks made on
// every formula when rows or columns move.
QOR_AUTOTEST_EXPORT bool ContainsNoCase(QStringView s, std::string_view word);
// Letters, then letters or digits, ending with a digit: A1, AB12 (and A1B2, which then fails
// to parse).
QOR_AUTOTEST_EXPORT bool IsRefToken(QStringView s);
// Col and Row are -1 when absent; Row is the 1-based number as written (callers subtract 1).
// A row number too large for an int gives Row -1, like a missing one.
QOR_AUTOTEST_EXPORT void ParseColRow(QStringView s, int &Col, int &Row);
// A reference token with a column and a row: the 0-based position (the row may be -1 for "A0").
bool ParseReference(QStringView s, int &row, int &col);
QStringView TrimBlanks(QStringView s);
// The label of a position: "" for negative indexes.
QString CellLabel(int row, int col);

// Replaces each "Above" (any case, as a whole word outside double quotes) by the range of the
// cells above (row, col).
QString ReplaceAbove(const QString &s, int row, int col, int titleRows);

// Rewrites every cell reference of a formula body (without "="); quoted texts and function
// names stay as written. shift returns false to leave a reference alone; otherwise the label
// of the new position replaces it. cutAtColon also cuts at ":" (both ends of a range).
QString RewriteReferences(QStringView body, const std::function<bool(int &row, int &col)> &shift);

// Rewrites the references of a formula body after rows were reordered: newRowOf[r - first] is
// where old row r went. A single reference, or a range within one row, follows its row; a
// range over several rows stays as written (it still spans the reordered rows).
QString RewriteRowsPermuted(QStringView body, int first, const std::vector<int> &newRowOf);

// A rectangle a formula refers to, in 0-based cells (a single reference is 1 x 1); rows may
// be -1 for references like "A0".
struct RefRect {
    int top, left, bottom, right;
};
// Every reference of a formula body as the evaluation reads it: ranges and single references,
// outside quoted texts. False when the body holds a malformed range (the evaluation would be
// abandoned); the references read before it are still listed.
bool CollectReferences(QStringView body, std::vector<RefRect> &out);

// Splits a range text ("A1:B3", blanks around it allowed) into its rectangle. False when it
// holds other characters, a part is a plain number, or a part lacks a column or a row.
bool ParseRange(QStringView run, RefRect &rect);

// Walks a formula body the way the evaluation reads it. Quoted texts are handed over whole
// (quotes included) and never searched for references. A run of text between "(", ")" and ","
// that holds a ":" outside quotes is a range (unless cutAtColon, which makes ":" an ordinary
// cut character); everything else is cut into pieces at the cut characters. A piece directly
// followed by "(" is a function name. The visitor has:
//   bool Range(QStringView run)          false abandons the walk
//   void Piece(QStringView piece, bool functionName)
//   void Quoted(QStringView text)
//   void Delim(QChar c)
template <class Visitor>
bool WalkFormula(QStringView s, Visitor &v, bool cutAtColon = false)
{
    const qsizetype n = s.size();
    auto closingQuote = [&](qsizetype open, qsizetype end) {
        for (qsizetype k = open + 1; k < end; ++k)
            if (s[k] == u'"')
                return k + 1;
        return end;
    };
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = s[i].unicode();
        if (IsRangeEnd(c)) {
            v.Delim(s[i]);
            ++i;
            continue;
        }
        qsizetype j = i;
        bool colon = false;
        while (j < n && !IsRangeEnd(s[j].unicode())) {
            if (s[j] == u'"') {
                j = closingQuote(j, n);
                continue;
            }
            colon = colon || s[j] == u':';
            ++j;
        }
        if (colon && !cutAtColon) {
            if (!v.Range(s.sliced(i, j - i)))
                return false;
            i = j;
            continue;
        }
        const bool runBeforeParen = j < n && s[j] == u'(';
        qsizetype start = i;
        qsizetype p = i;
        while (p < j) {
            const char16_t ch = s[p].unicode();
            if (ch == u'"') {
                if (p > start)
                    v.Piece(s.sliced(start, p - start), false);
                const qsizetype q = closingQuote(p, j);
                v.Quoted(s.sliced(p, q - p));
                p = start = q;
                continue;
            }
            if (IsCutChar(ch) || (cutAtColon && ch == u':')) {
                if (p > start)
                    v.Piece(s.sliced(start, p - start), false);
                v.Delim(s[p]);
                start = ++p;
                continue;
            }
            ++p;
        }
        if (j > start)
            v.Piece(s.sliced(start, j - start), runBeforeParen);
        i = j;
    }
    return true;
}

} // namespace ftext
} // namespace qor
