#pragma once
// Formulas between our syntax and the workbook's. Only what both sides read alike crosses:
// cell references and ranges, numbers, + - * / ^, parentheses, and functions that compute the
// same on both sides (some under another name). Anything else is refused, and the caller
// keeps the value instead of writing a formula that would compute something else.
#include <QString>
#include <QStringView>
#include <functional>
#include "platform/qor_global.h"

namespace qor::xlsx {

enum class RefSide { Single, RangeStart, RangeEnd };
// Moves a 0-based reference to where it lands on the other side; false when it has no place
// there (a row left out, a cell outside the rectangle).
using RefMapper = std::function<bool(int &row, int &col, RefSide side)>;

// Body of our formula (without "=") to the workbook's formula (without "="); false with the
// reason (the function or token that cannot cross) in *why.
QOR_AUTOTEST_EXPORT bool FormulaToWorkbook(QStringView body, const RefMapper &map, QString &out, QString *why);
// The workbook's formula (with or without "=") to our body (without "=").
QOR_AUTOTEST_EXPORT bool FormulaFromWorkbook(QStringView body, const RefMapper &map, QString &out, QString *why);

} // namespace qor::xlsx
