#pragma once
// A shown grid to drive with keys and clicks, and a log of the cell events it raises.
#include <QApplication>
#include <QTest>
#include <string>
#include <vector>
#include "core/grid_p.h"
#include "core/grid.h"

namespace qor::test {

struct NavGrid {
    TQorGrid g;
    std::vector<std::string> log;

    NavGrid(int rows, int cols, TGridType type = gtInvoice)
    {
        g.SetGridType(type);
        g.SetCols(cols);
        g.SetRows(rows);
        g.setAttribute(Qt::WA_DontShowOnScreen);
        g.resize(600, 400);
        g.show();
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(g.viewport(), Qt::Key(k), mods);
    }
    QPoint center(int row, int col) const { return g.CellRect(row, col).center(); }
    void click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, mods, p);
    }
    void click(int row, int col) { click(center(row, col)); }
    // A mouse move over the viewport with the buttons held.
    void move(QPoint p, Qt::MouseButtons held = Qt::NoButton)
    {
        QMouseEvent ev(QEvent::MouseMove, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), Qt::NoButton, held,
                       Qt::NoModifier);
        QApplication::sendEvent(g.viewport(), &ev);
    }
    QPoint current() const { return QPoint(g.GetCol(), g.GetRow()); }
    // The key, then where the current cell is.
    QPoint press(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        key(k, mods);
        return current();
    }
    // Records OnLeaveCell, OnBeforeEnterCell and OnAfterEnterCell as "L r,c", "B r,c", "A r,c".
    void recordEvents()
    {
        auto rec = [this](const char *tag, int r, int c) {
            log.push_back(std::string(tag) + " " + std::to_string(r) + "," + std::to_string(c));
        };
        g.OnLeaveCell = [rec](QObject *, int r, int c) { rec("L", r, c); };
        g.OnBeforeEnterCell = [rec](QObject *, int r, int c, bool &) { rec("B", r, c); };
        g.OnAfterEnterCell = [rec](QObject *, int r, int c) { rec("A", r, c); };
    }
};

} // namespace qor::test
