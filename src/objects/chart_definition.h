#pragma once
// What a chart shows: its kind, title and the cells its series come from, and the bytes it is
// stored as inside the grid stream's chart record.
#include <QByteArray>
#include <QString>
#include "platform/qor_global.h"

namespace qor {

enum TChartKind : uint8_t { ckBar, ckLine, ckPie };

struct QOR_EXPORT TChartDefinition {
    TChartKind Kind = ckBar;
    QString Title;
    // The cells, inclusive; -1 for none. The first row names the series and the first column
    // the categories (swapped when SeriesInRows).
    int Row1 = -1, Col1 = -1, Row2 = -1, Col2 = -1;
    bool SeriesInRows = false;
    bool ShowLegend = true;

    bool HasRange() const { return Row1 >= 0 && Col1 >= 0 && Row2 >= Row1 && Col2 >= Col1; }
    bool Covers(int row, int col) const { return HasRange() && row >= Row1 && row <= Row2 && col >= Col1 && col <= Col2; }

    QByteArray Save() const;
    // False, and nothing changed, for bytes that are not a whole definition of ours.
    bool Load(const QByteArray &image);
    bool operator==(const TChartDefinition &) const = default;
};

} // namespace qor
