#pragma once
// Cell hints: the text of the cell (or its column) under the pointer, shown after the usual
// tooltip delay, or at once in the grid's own hint window with qgoQuickShowHint, and taken
// away when the pointer leaves the cell.
#include <QPoint>
#include <QString>
#include "platform/qor_global.h"

class QLabel;

namespace qor {

class TCustomQorGrid;

class QOR_AUTOTEST_EXPORT GridHints {
public:
    explicit GridHints(TCustomQorGrid &grid) : m_grid(grid) {}

    // The grid's ShowHint: off, no cell shows its hint.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);

    // The hint of the cell under p (viewport coordinates) and that cell; empty, and -1, when
    // hints are off or the point is on no cell with a hint.
    QString HintAt(QPoint p, int &row, int &col) const;
    // The pointer rests at p: a quick hint appears at once; a hint of another cell goes.
    void Hover(QPoint p);
    // The platform's tooltip moment at p; true when the grid answered it (shown or hidden).
    bool ToolTip(QPoint p);
    // The pointer left the grid, or a button was pressed.
    void Hide();

    // What is up now: the cell it belongs to (-1 when nothing) and its text.
    int ShownRow() const { return m_row; }
    int ShownCol() const { return m_col; }
    QString ShownText() const { return m_text; }
    // The grid's own hint window (quick hints); nothing before the first one.
    QLabel *Window() const { return m_window; }

private:
    void showOwn(const QString &text, int row, int col);

    TCustomQorGrid &m_grid;
    bool m_enabled = true;
    QLabel *m_window = nullptr;   // a child of the grid
    int m_row = -1;
    int m_col = -1;
    QString m_text;
    bool m_tooltip = false;   // the text is up as the platform's tooltip
};

} // namespace qor
