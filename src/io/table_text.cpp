#include "io/table_text.h"

namespace qor {

namespace {

bool needsQuotes(const QString &text)
{
    for (QChar c : text)
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'"')
            return true;
    return false;
}

void appendQuoted(QString &out, const QString &text)
{
    out += u'"';
    for (QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

void AppendTabField(QString &out, const QString &text, bool lastOfRow)
{
    if (needsQuotes(text))
        appendQuoted(out, text);
    else
        out += text;
    out += lastOfRow ? QStringLiteral("\r\n") : QStringLiteral("\t");
}

void AppendCsvField(QString &out, const QString &text, bool lastOfRow)
{
    appendQuoted(out, text);
    out += lastOfRow ? QStringLiteral("\r\n") : QStringLiteral(",");
}

std::vector<std::vector<QString>> ParseTableText(QStringView text, QChar separator)
{
    std::vector<std::vector<QString>> rows;
    std::vector<QString> fields;
    QString field;
    bool fieldStart = true, quoted = false, lineHasContent = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        fields.push_back(std::move(field));
        field.clear();
        fieldStart = true;
    };
    auto endLine = [&] {
        endField();
        rows.push_back(std::move(fields));
        fields.clear();
        lineHasContent = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && fieldStart) {
            quoted = true;
            fieldStart = false;
            lineHasContent = true;
            continue;
        }
        if (c == separator) {
            endField();
            lineHasContent = true;
            continue;
        }
        if (c == u'\n' || (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')) {
            if (c == u'\r')
                ++i;
            endLine();
            continue;
        }
        field += c;
        fieldStart = false;
        lineHasContent = true;
    }
    // A quoted field left open runs to the end of the text.
    if (lineHasContent || !field.isEmpty() || !fields.empty())
        endLine();
    return rows;
}

} // namespace qor
