// A column's filter: which cell texts pass it, and the setters of its conditions.
#include "core/model/column.h"

#include "core/grid.h"
#include "core/grid_p.h"
#include "data/sort_compare.h"
#include "format/number_text.h"

namespace qor {

namespace {

double numberOr(const QString &s, double otherwise) { return TextToFloat(s).value_or(otherwise); }

bool condition(TFilterCondition c, const QString &t, const QString &v, bool numeric)
{
    if (numeric) {
        switch (c) {
        case fcEquals: return numberOr(t, 0) == numberOr(v, -1);
        case fcDoesNotEqual: return numberOr(t, 0) != numberOr(v, 0);
        case fcIsGreaterThan: return numberOr(t, 0) > numberOr(v, 1);
        case fcIsGreaterThanOrEqual: return numberOr(t, 0) >= numberOr(v, 1);
        case fcIsLessThan: return numberOr(t, 0) < numberOr(v, -1);
        case fcIsLessThanOrEqual: return numberOr(t, 0) <= numberOr(v, -1);
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
        if (!m_top10.Active || m_top10.Empty)
            return false;
        if (s.Top10First)
            return Numeric ? numberOr(Text, -1) >= m_top10.Value : Text.compare(m_top10.Text) >= 0;
        return Numeric ? numberOr(Text, 1) <= m_top10.Value : Text.compare(m_top10.Text) <= 0;
    }
    case ftCustom: {
        const bool has1 = s.Condition1 != fcNone, has2 = s.Condition2 != fcNone;
        if (has1 && has2) {
            const bool r1 = condition(s.Condition1, Text, s.Value1, s.Numeric);
            const bool r2 = condition(s.Condition2, Text, s.Value2, s.Numeric);
            return s.AndCombined ? r1 && r2 : r1 || r2;
        }
        if (has1)
            return condition(s.Condition1, Text, s.Value1, s.Numeric);
        if (has2)
            return condition(s.Condition2, Text, s.Value2, s.Numeric);
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
