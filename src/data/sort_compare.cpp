// The comparison and the quicksort that sorting, filtering and grouping share.
#include "data/sort_compare.h"

#include <QCollator>
#include <QLocale>
#include <utility>
#include "format/number_text.h"

namespace qor {

namespace {

// One collator for the library: sort order must not depend on the desk's locale settings.
const QCollator &sortCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseSensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

} // namespace

int AnsiCompareStr(const QString &S1, const QString &S2)
{
    const int r = sortCollator().compare(S1, S2);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(QStringView S1, QStringView S2)
{
    const qsizetype n = std::min(S1.size(), S2.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t a = S1[i].unicode(), b = S2[i].unicode();
        if (a >= u'a' && a <= u'z')
            a = char16_t(a - 32);
        if (b >= u'a' && b <= u'z')
            b = char16_t(b - 32);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return S1.size() == S2.size() ? 0 : (S1.size() < S2.size() ? -1 : 1);
}

std::optional<double> SortNumber(QStringView Text)
{
    if (Text.isEmpty())
        return 0.0;
    return TextToFloat(Text);
}

TSortComparer::TSortComparer(std::vector<bool> Numeric, std::vector<int> Cols, QObject *Sender,
                             TCompareFuncEvent Handler)
    : m_numeric(std::move(Numeric)), m_cols(std::move(Cols)), m_sender(Sender), m_handler(std::move(Handler))
{
}

int TSortComparer::compareKey(const TSortItem &i1, const TSortItem &i2, int col, const QString &t1, const QString &t2,
                              double v1, double v2, bool ascending, bool numeric) const
{
    // Group header and footer rows come after data rows whatever the direction.
    int r = i1.RowRec.Group2 - i2.RowRec.Group2;
    if (r != 0)
        return r;
    if (!numeric)
        r = ascending ? AnsiCompareStr(t1, t2) : AnsiCompareStr(t2, t1);
    else if (v1 == v2)
        r = 0;
    else if (ascending)
        r = v1 < v2 ? -1 : 1;
    else
        r = v1 < v2 ? 1 : -1;
    if (m_handler) {
        // The handler sees and answers the ascending result.
        if (!ascending)
            r = -r;
        m_handler(m_sender, col, t1, t2, r);
        if (!ascending)
            r = -r;
    }
    return r;
}

int TSortComparer::Compare(const TSortItem &Item1, const TSortItem &Item2) const
{
    if (Item1.Keys.empty())
        return compareKey(Item1, Item2, Item1.Col, Item1.Text, Item2.Text, Item1.Value, Item2.Value, Item1.Ascending,
                          !m_numeric.empty() && m_numeric[0]);
    const size_t keys = std::min(Item1.Keys.size(), Item2.Keys.size());
    for (size_t k = 0; k < keys; ++k)
        if (const int r = CompareKey(Item1, Item2, k))
            return r;
    return 0;
}

int TSortComparer::CompareKey(const TSortItem &Item1, const TSortItem &Item2, size_t Key) const
{
    if (Key >= Item1.Keys.size() || Key >= Item2.Keys.size())
        return 0;
    const TSortKey &a = Item1.Keys[Key], &b = Item2.Keys[Key];
    // The handler is told the key's own column.
    const int col = Key < m_cols.size() ? m_cols[Key] : Item1.Col;
    return compareKey(Item1, Item2, col, a.Text, b.Text, a.Value, b.Value, a.Ascending,
                      Key < m_numeric.size() && m_numeric[Key]);
}

void QuickSort(TSortList &List, int First, int Last, const TSortComparer &Comparer)
{
    if (First < 0 || Last >= int(List.size()) || First >= Last)
        return;
    auto cmp = [&](int a, int b) { return Comparer.Compare(List[size_t(a)], List[size_t(b)]); };
    auto swapItems = [&](int a, int b) { std::swap(List[size_t(a)], List[size_t(b)]); };

    std::vector<std::pair<int, int>> stack{{First, Last}};
    while (!stack.empty()) {
        auto [f, l] = stack.back();
        stack.pop_back();
        while (l - f > 15) {
            const int m = (f + l) / 2;
            if (cmp(f, m) > 0)
                swapItems(f, m);
            if (cmp(f, l) > 0)
                swapItems(f, l);
            if (cmp(m, l) > 0)
                swapItems(m, l);
            const TSortItem pivot = List[size_t(m)];
            int L = f, R = l;
            // Both scans step before they test. Item f is no larger and item l no smaller than
            // the pivot, so the bounds only matter for a handler that answers inconsistently.
            for (;;) {
                do
                    --R;
                while (R > f && Comparer.Compare(List[size_t(R)], pivot) > 0);
                do
                    ++L;
                while (L < l && Comparer.Compare(List[size_t(L)], pivot) < 0);
                if (L >= R)
                    break;
                swapItems(L, R);
            }
            if (R - f < l - R) {
                stack.emplace_back(R + 1, l);
                l = R;
            } else {
                stack.emplace_back(f, R);
                f = R + 1;
            }
        }
    }

    // The smallest item sits in the first run of the list: put it first, where it stops
    // every shift of the insertion pass.
    int smallest = First;
    for (int i = First + 1; i <= std::min(15, Last); ++i)
        if (cmp(i, smallest) < 0)
            smallest = i;
    if (smallest != First)
        swapItems(smallest, First);
    for (int i = First + 2; i <= Last; ++i) {
        if (cmp(i, i - 1) >= 0)
            continue;
        TSortItem item = std::move(List[size_t(i)]);
        int j = i;
        while (j > First && Comparer.Compare(item, List[size_t(j - 1)]) < 0) {
            List[size_t(j)] = std::move(List[size_t(j - 1)]);
            --j;
        }
        List[size_t(j)] = std::move(item);
    }
}

} // namespace qor
