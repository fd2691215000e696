#include "formula/formula_text_p.h"

#include <algorithm>
#include <climits>
#include "core/grid.h"

namespace qor::ftext {

bool ContainsNoCase(QStringView s, std::string_view word)
{
    if (word.empty())
        return true;
    const qsizetype n = s.size(), m = qsizetype(word.size());
    for (qsizetype i = 0; i + m <= n; ++i) {
        qsizetype k = 0;
        while (k < m && (s[i + k].unicode() | 0x20) == char16_t(word[size_t(k)]))
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

bool IsRefToken(QStringView s)
{
    if (s.isEmpty() || !IsAsciiLetter(s[0].unicode()) || !IsDigit(s.back().unicode()))
        return false;
    for (QChar c : s)
        if (!IsAsciiLetter(c.unicode()) && !IsDigit(c.unicode()))
            return false;
    return true;
}

void ParseColRow(QStringView s, int &Col, int &Row)
{
    Col = -1;
    Row = -1;
    qsizetype i = 0;
    while (i < s.size() && IsAsciiLetter(s[i].unicode()))
        ++i;
    if (i > 0)
        Col = TCustomQorGrid::TextToCol(s.first(i).toString());
    const QStringView rest = s.sliced(i);
    if (rest.isEmpty())
        return;
    int64_t n = 0;
    for (QChar c : rest) {
        if (!IsDigit(c.unicode()))
            return;
        n = n * 10 + (c.unicode() - u'0');
        if (n > INT_MAX)
            return;
    }
    Row = int(n);
}

bool ParseReference(QStringView s, int &row, int &col)
{
    if (!IsRefToken(s))
        return false;
    // Short labels are the common case: read them without building a string.
    int c = 0;
    qsizetype i = 0;
    while (i < s.size() && IsAsciiLetter(s[i].unicode())) {
        if (i >= 6)
            break;
        c = c * 26 + ((s[i].unicode() | 0x20) - u'a' + 1);
        ++i;
    }
    int rowNumber;
    if (i < s.size() && !IsAsciiLetter(s[i].unicode())) {
        col = c - 1;
        int64_t n = 0;
        for (qsizetype k = i; k < s.size(); ++k) {
            if (!IsDigit(s[k].unicode()))
                return false;
            n = n * 10 + (s[k].unicode() - u'0');
            if (n > INT_MAX)
                return false;
        }
        rowNumber = int(n);
    } else {
        ParseColRow(s, col, rowNumber);
    }
    if (col < 0 || rowNumber < 0)
        return false;
    row = rowNumber - 1;
    return true;
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && IsBlank(s[a].unicode()))
        ++a;
    while (b > a && IsBlank(s[b - 1].unicode()))
        --b;
    return s.sliced(a, b - a);
}

QString CellLabel(int row, int col)
{
    if (row < 0 || col < 0)
        return QString();
    return TCustomQorGrid::ColToText(col) + QString::number(int64_t(row) + 1);
}

QString ReplaceAbove(const QString &s, int row, int col, int titleRows)
{
    static const QString keyword = QStringLiteral("Above");
    qsizetype from = s.indexOf(keyword, 0, Qt::CaseInsensitive);
    if (from < 0)
        return s;
    QString range;
    if (row == 0)
        range = QStringLiteral("0");
    else if (row > titleRows)
        range = CellLabel(titleRows, col) + u':' + CellLabel(row - 1, col);
    else
        range = CellLabel(0, col) + u':' + CellLabel(row - 1, col);
    QString out;
    qsizetype copied = 0;
    bool inQuote = false;
    qsizetype quoteScan = 0;
    while (from >= 0) {
        for (; quoteScan < from; ++quoteScan)
            if (s[quoteScan] == u'"')
                inQuote = !inQuote;
        const qsizetype end = from + keyword.size();
        const bool startOk = from == 0 || s[from - 1] == u' ' || s[from - 1] == u'(' || s[from - 1] == u')' ||
                             s[from - 1] == u',';
        const bool endOk = end == s.size() || s[end] == u' ' || s[end] == u'"' || s[end] == u')' || s[end] == u',';
        if (!inQuote && startOk && endOk) {
            out += QStringView(s).sliced(copied, from - copied);
            out += range;
            copied = end;
        }
        from = s.indexOf(keyword, end, Qt::CaseInsensitive);
    }
    out += QStringView(s).sliced(copied);
    return out;
}

namespace {

// CellLabel appended in place: rewriting every formula of a sheet would otherwise make two
// temporary strings per reference.
void AppendCellLabel(QString &out, int row, int col)
{
    if (row < 0 || col < 0)
        return;
    char16_t buf[40];
    char16_t *end = buf + 40;
    char16_t *p = end;
    for (int64_t n = int64_t(row) + 1; n > 0; n /= 10)
        *--p = char16_t(u'0' + n % 10);
    char16_t *digits = p;
    char16_t letters[16];
    char16_t *l = letters + 16;
    for (int64_t n = int64_t(col) + 1; n > 0; n = (n - 1) / 26)
        *--l = char16_t(u'A' + (n - 1) % 26);
    out.append(reinterpret_cast<const QChar *>(l), letters + 16 - l);
    out.append(reinterpret_cast<const QChar *>(digits), end - digits);
}

struct Rewriter {
    const std::function<bool(int &, int &)> &shift;
    QString out;
    bool Range(QStringView) { return true; }
    void Piece(QStringView piece, bool functionName)
    {
        const QStringView token = TrimBlanks(piece);
        int row, col;
        if (functionName || !ParseReference(token, row, col) || !shift(row, col)) {
            out += piece;
            return;
        }
        out += piece.first(token.data() - piece.data());
        AppendCellLabel(out, row, col);
        out += piece.sliced(token.data() - piece.data() + token.size());
    }
    void Quoted(QStringView text) { out += text; }
    void Delim(QChar c) { out += c; }
};

// Buffers a colon-joined run of references until it ends, to decide for the run as a whole.
struct PermuteRewriter {
    int first;
    const std::vector<int> &newRowOf;
    QString out;
    struct Part {
        QStringView piece;
        bool ref;
        int row, col;
    };
    std::vector<Part> run;   // pieces joined by ':' so far
    bool afterColon = false;

    bool Range(QStringView) { return true; }
    bool inRange(int row) const { return row >= first && row - first < int(newRowOf.size()); }
    void flush()
    {
        bool oneRow = !run.empty();
        for (const Part &p : run)
            oneRow = oneRow && p.ref && p.row == run.front().row;
        const bool follow = oneRow && inRange(run.front().row);
        for (size_t i = 0; i < run.size(); ++i) {
            if (i > 0)
                out += u':';
            const Part &p = run[i];
            if (!follow) {
                out += p.piece;
                continue;
            }
            const QStringView token = TrimBlanks(p.piece);
            out += p.piece.first(token.data() - p.piece.data());
            AppendCellLabel(out, newRowOf[size_t(p.row - first)], p.col);
            out += p.piece.sliced(token.data() - p.piece.data() + token.size());
        }
        if (afterColon)
            out += u':';   // a colon nothing followed
        run.clear();
        afterColon = false;
    }
    void Piece(QStringView piece, bool functionName)
    {
        if (!afterColon)
            flush();
        afterColon = false;
        Part p{piece, false, -1, -1};
        p.ref = !functionName && ParseReference(TrimBlanks(piece), p.row, p.col);
        run.push_back(p);
    }
    void Quoted(QStringView text)
    {
        flush();
        out += text;
    }
    void Delim(QChar c)
    {
        if (c == u':' && !run.empty() && !afterColon) {
            afterColon = true;
            return;
        }
        flush();
        out += c;
    }
};

struct Collector {
    std::vector<RefRect> &out;
    bool Range(QStringView run)
    {
        RefRect r;
        if (!ParseRange(run, r))
            return false;
        out.push_back(r);
        return true;
    }
    void Piece(QStringView piece, bool functionName)
    {
        int row, col;
        if (!functionName && ParseReference(TrimBlanks(piece), row, col))
            out.push_back({row, col, row, col});
    }
    void Quoted(QStringView) {}
    void Delim(QChar) {}
};

} // namespace

QString RewriteReferences(QStringView body, const std::function<bool(int &row, int &col)> &shift)
{
    Rewriter w{shift, {}};
    w.out.reserve(body.size() + 8);
    WalkFormula(body, w, true);
    return w.out;
}

QString RewriteRowsPermuted(QStringView body, int first, const std::vector<int> &newRowOf)
{
    PermuteRewriter w{first, newRowOf, {}, {}, false};
    w.out.reserve(body.size() + 8);
    WalkFormula(body, w, true);
    w.flush();
    return w.out;
}

bool CollectReferences(QStringView body, std::vector<RefRect> &out)
{
    Collector c{out};
    return WalkFormula(body, c);
}

bool ParseRange(QStringView run, RefRect &rect)
{
    run = TrimBlanks(run);
    for (QChar c : run)
        if (!IsAsciiLetter(c.unicode()) && !IsDigit(c.unicode()) && c != u':')
            return false;
    bool first = true;
    qsizetype start = 0;
    while (start <= run.size()) {
        qsizetype end = run.indexOf(u':', start);
        if (end < 0)
            end = run.size();
        const QStringView part = run.sliced(start, end - start);
        bool allDigits = !part.isEmpty();
        for (QChar c : part)
            allDigits = allDigits && IsDigit(c.unicode());
        if (allDigits)
            return false;
        int col, rowNumber;
        ParseColRow(part, col, rowNumber);
        if (col < 0 || rowNumber < 0)
            return false;
        const int row = rowNumber - 1;
        if (first) {
            rect = {row, col, row, col};
            first = false;
        } else {
            rect.top = std::min(rect.top, row);
            rect.bottom = std::max(rect.bottom, row);
            rect.left = std::min(rect.left, col);
            rect.right = std::max(rect.right, col);
        }
        start = end + 1;
    }
    return !first;
}

} // namespace qor::ftext
