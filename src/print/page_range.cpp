#include "print/page_range.h"

#include <algorithm>
#include "print/qor_print.h"

namespace qor {

namespace {

int wholeNumber(const QString &item)
{
    bool ok = false;
    const int n = item.toInt(&ok, 10);
    if (!ok)
        throw EPrintError(QStringLiteral("页范围中的“%1”不是有效的整数").arg(item));
    return n;
}

} // namespace

std::vector<bool> ParsePageRange(const QString &Text, int PageCount)
{
    const int count = std::max(PageCount, 0);
    QString text = Text;
    text.remove(QLatin1Char(' '));
    if (text.isEmpty()) {
        std::vector<bool> all(size_t(count) + 1, true);
        all[0] = false;   // there is no page 0
        return all;
    }
    std::vector<bool> selected(size_t(count) + 1, false);
    // An open range at the end runs to the last page.
    if (text.endsWith(QLatin1Char('-')))
        text += QString::number(count);
    text += QLatin1Char(',');
    auto select = [&](int from, int to) {
        // Pages past the job select nothing, so a hostile "1-2000000000" costs nothing.
        for (int p = std::max(from, 1), last = std::min(to, count); p <= last; ++p)
            selected[size_t(p)] = true;
    };
    qsizetype start = 0;
    bool open = false;
    int from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('-') && c != QLatin1Char(','))
            continue;
        const int n = wholeNumber(text.mid(start, i - start));
        start = i + 1;
        if (c == QLatin1Char('-')) {
            from = n;
            open = true;
        } else if (open) {
            select(from, n);
            open = false;
        } else {
            select(n, n);
        }
    }
    selected[0] = false;
    return selected;
}

} // namespace qor
