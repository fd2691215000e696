#pragma once
// The text forms of a rectangle of cells: tab-separated lines and CSV, and the table text a
// paste splits into lines and fields.
#include <QString>
#include <QStringView>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

// One field of a tab-separated line, then a tab or (last of its row) CR LF. A text holding a
// tab, a line break or a double quote is quoted, inner quotes doubled, so that it comes back
// whole; every other text is written as it is.
QOR_AUTOTEST_EXPORT void AppendTabField(QString &out, const QString &text, bool lastOfRow);
// One CSV field: always quoted, inner quotes doubled, then "," or (last of its row) CR LF.
QOR_AUTOTEST_EXPORT void AppendCsvField(QString &out, const QString &text, bool lastOfRow);

// Lines end at CR LF or LF outside quotes; text after the last line end is a last line when it
// is not empty. A quote opens a quoted field only at a field's start; inside one, a doubled
// quote is one quote and a lone quote closes it (what follows up to the separator is kept).
QOR_AUTOTEST_EXPORT std::vector<std::vector<QString>> ParseTableText(QStringView text, QChar separator);

} // namespace qor
