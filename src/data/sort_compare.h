#pragma once
// The comparison of the shared quicksort, and the text comparisons of sorting and filtering.
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>
#include "core/grid.h"
#include "data/sort_item.h"
#include "platform/qor_global.h"

namespace qor {

// The locale-aware, case-sensitive comparison of sort texts: the collation of zh_CN, so that
// Chinese texts sort in pinyin order and Latin letters alphabetically, lower case first.
QOR_EXPORT int AnsiCompareStr(const QString &S1, const QString &S2);
// ASCII letters compared without case, everything else by UTF-16 code unit.
QOR_EXPORT int CompareText(QStringView S1, QStringView S2);
// A sort or filter text as a number: empty counts as 0 (Empty gives that), anything that is
// not a number gives nothing.
QOR_EXPORT std::optional<double> SortNumber(QStringView Text);

// Compares two items key by key. Numeric has one entry per key; Cols names the column the
// handler is told about. Sender and Handler are OnSortCompareFunc and its grid (may be empty).
class QOR_EXPORT TSortComparer {
public:
    TSortComparer(std::vector<bool> Numeric, std::vector<int> Cols, QObject *Sender = nullptr,
                  TCompareFuncEvent Handler = {});
    int Compare(const TSortItem &Item1, const TSortItem &Item2) const;
    // One key of a multi-key item alone (grouping splits its groups by it).
    int CompareKey(const TSortItem &Item1, const TSortItem &Item2, size_t Key) const;

private:
    int compareKey(const TSortItem &i1, const TSortItem &i2, int col, const QString &t1, const QString &t2,
                   double v1, double v2, bool ascending, bool numeric) const;

    std::vector<bool> m_numeric;
    std::vector<int> m_cols;
    QObject *m_sender;
    TCompareFuncEvent m_handler;
};

// Sorts List[First..Last]: an iterative median-of-three partitioning that leaves runs of up to
// 16 items, then one insertion pass over the range. Not stable.
QOR_EXPORT void QuickSort(TSortList &List, int First, int Last, const TSortComparer &Comparer);

} // namespace qor
