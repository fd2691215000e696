// A column's filter: which cell texts pass it, and the setters of its conditions.
#include "core/model/column.h"

#include "core/grid.h"
#include "core/grid_p.h"
#include "data/sort_compare.h"
#include "format/number_text.h"

namespace qor {

namespace {

double numberOr(const QString &s, double otherwise) { return TextToFloat(s).value_or(otherwise); }

// vn: the value as a number, when a run read it already.
bool condition(TFilterCondition c, const QString &t, const QString &v, bool numeric, const std::optional<double> *vn)
{
    if (numeric && c >= fcEquals && c <= fcIsLessThanOrEqual) {
        const std::optional<double> read = vn ? *vn : TextToFloat(v);
        const double tv = numberOr(t, 0);
        switch (c) {
        case fcEquals: return tv == read.value_or(-1);
        case fcDoesNotEqual: return tv != read.value_or(0);
        case fcIsGreaterThan: return tv > read.value_or(1);
        case fcIsGreaterThanOrEqual: return tv >= read.value_or(1);
        case fcIsLessThan: return tv < read.value_or(-1);
        case fcIsLessThanOrEqual: return tv <= read.value_or(-1);
        default: break;
        }
    }
    const QStringView tv(t);
    switch (c) {
    case fcNone: return true;
    case fcEquals: return CompareText(t, v) == 0;
    case fcDoesNotEqual: return CompareText(t, v) != 0;
    case fcIsGreaterThan: return CompareText(t, v) > 0;
    case fcIsGreaterThanOrEqual: return CompareText(t, v) >= 0;
    case fcIsLessThan: return CompareText(t, v) < 0;
    case fcIsLessThanOrEqual: return CompareText(t, v) <= 0;
    case fcBeginsWith: return CompareText(tv.first(std::min(tv.size(), v.size())), v) == 0;
    case fcDoesNotBeginWith: return CompareText(tv.first(std::min(tv.size(), v.size())), v) != 0;
    case fcEndsWith: return CompareText(tv.last(std::min(tv.size(), v.size())), v) == 0;
    case fcDoesNotEndWith: return CompareText(tv.last(std::min(tv.size(), v.size())), v) != 0;
    case fcContains: return t.contains(v, Qt::CaseSensitive);
    case fcDoesNotContain: return !t.contains(v, Qt::CaseSensitive);
    }
    return true;
}

} // namespace

bool TQorColumn::Filter(const QString &Text, bool Numeric) const
{
    const TColumnDataState &s = m_dataState;
    switch (s.FilterType) {
    case ftAll: return true;
    case ftBlanks: return Text.isEmpty();
    case ftNonBlanks: return !Text.isEmpty();
    case ftTop10: {
        // Without a prepared list (outside a filtering run) or with a count below 1, the
        // filter names no value: no row passes.
        if (!m_run.Active || m_run.Empty)
            return false;
        if (s.Top10First)
            return Numeric ? numberOr(Text, -1) >= m_run.Value : Text.compare(m_run.Text) >= 0;
        return Numeric ? numberOr(Text, 1) <= m_run.Value : Text.compare(m_run.Text) <= 0;
    }
    case ftCustom: {
        const bool has1 = s.Condition1 != fcNone, has2 = s.Condition2 != fcNone;
        const std::optional<double> *n1 = m_run.CustomRead ? &m_run.Number1 : nullptr;
        const std::optional<double> *n2 = m_run.CustomRead ? &m_run.Number2 : nullptr;
        if (has1 && has2) {
            const bool r1 = condition(s.Condition1, Text, s.Value1, s.Numeric, n1);
            const bool r2 = condition(s.Condition2, Text, s.Value2, s.Numeric, n2);
            return s.AndCombined ? r1 && r2 : r1 || r2;
        }
        if (has1)
            return condition(s.Condition1, Text, s.Value1, s.Numeric, n1);
        if (has2)
            return condition(s.Condition2, Text, s.Value2, s.Numeric, n2);
        return true;
    }
    }
    return true;
}

void TQorColumn::SetFilterType(TFilterType Value)
{
    if (Value > ftNonBlanks || Value == m_dataState.FilterType)
        return;
    m_dataState.FilterType = Value;
    if (m_grid)
        GridPrivate::get(*m_grid).repaintColumnHeader();
}

void TQorColumn::SetCustomFilter(TFilterCondition Condition1, const QString &Value1, bool AndCombination,
                                 TFilterCondition Condition2, const QString &Value2, bool Numeric)
{
    TColumnDataState &s = m_dataState;
    s.Condition1 = Condition1 <= fcDoesNotContain ? Condition1 : fcNone;
    s.Value1 = Value1;
    s.AndCombined = AndCombination;
    s.Condition2 = Condition2 <= fcDoesNotContain ? Condition2 : fcNone;
    s.Value2 = Value2;
    s.Numeric = Numeric;
}

void TQorColumn::SetCustomFilter(TFilterCondition Condition, const QString &Value, bool Numeric)
{
    TColumnDataState &s = m_dataState;
    s.Condition1 = Condition <= fcDoesNotContain ? Condition : fcNone;
    s.Value1 = Value;
    s.Numeric = Numeric;
    s.Condition2 = fcNone;
}

void TQorColumn::SetTop10Filter(bool Largest, int Count, bool Items)
{
    m_dataState.Top10First = Largest;
    m_dataState.Top10Count = Count;
    m_dataState.Top10Second = Items;
}

} // namespace qor
