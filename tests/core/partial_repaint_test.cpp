// A cursor step repaints only what it changes, and the window then shows exactly what a full
// paint of the same state would: the pixels the paint events left in the window's backing
// store against a fresh paint of the whole viewport, after every step of a walk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <ostream>
#include <string>
#include "core/grid.h"
#include "core/grid_p.h"

using namespace qor;

namespace {

// Sums the area of the paint events the viewport receives.
class PaintArea : public QObject {
public:
    int64_t area = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            for (const QRect &r : static_cast<QPaintEvent *>(e)->region())
                area += int64_t(r.width()) * r.height();
        return false;
    }
};

struct Walk {
    TQorGrid g;
    PaintArea paints;

    explicit Walk(TGridType type, int frozen = 0)
    {
        g.setFrameShape(QFrame::NoFrame);
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        g.BeginUpdate();
        g.SetGridType(type);
        g.SetRows(200);
        g.SetCols(12);
        for (int r = 0; r < 200; ++r)
            for (int c = 0; c < 12; ++c)
                if ((r + c) % 3)
                    g.SetCellText(r, c, QStringLiteral("R%1C%2").arg(r).arg(c));
        g.MergeCells(4, 1, 5, 2);
        g.MergeCells(10, 0, 12, 0);
        g.MergeCells(20, 3, 21, 4);   // crosses the bottom edge while scrolling
        g.Cells(2, 2)->SetBackColor(clYellow);
        g.Cells(3, 1)->SetRightFrame(true);
        g.Cells(3, 1)->SetRightFrameWidth(3);
        g.Cells(3, 1)->SetRightFrameColor(clRed);
        g.SetFixRowCount(frozen);
        g.SetFixColCount(frozen);
        g.EndUpdate();
        g.resize(400, 300);
        g.show();
        g.activateWindow();
        g.setFocus();
        (void)QTest::qWaitForWindowExposed(&g);
        settle();
        g.viewport()->installEventFilter(&paints);
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    QWidget *keyTarget()
    {
        QWidget *focused = QApplication::focusWidget();
        return focused && g.isAncestorOf(focused) ? focused : g.viewport();
    }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), k, mods);
        settle();
    }

    void wheel(int notches)
    {
        const QPointF pos(100, 100);
        QWheelEvent ev(pos, g.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(g.viewport(), &ev);
        settle();
    }

    // What the window holds now, without painting anything.
    QImage shown()
    {
        const QImage window = g.screen()->grabWindow(g.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        return window.copy(QRect(g.viewport()->mapTo(&g, QPoint(0, 0)), g.viewport()->size()));
    }

    // The same state painted whole, off the window.
    QImage painted() { return g.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    int64_t cellsPainted() const { return GridPrivate::get(g).paint.cellsPainted; }
};

// The first pixel where two pictures differ, or a note about their sizes.
std::string difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes %1x%2 and %3x%4")
            .arg(a.width())
            .arg(a.height())
            .arg(b.width())
            .arg(b.height())
            .toStdString();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("(%1, %2): %3 shown, %4 painted")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 0, 16)
                    .arg(b.pixel(x, y), 0, 16)
                    .toStdString();
    return std::string();
}

struct Step {
    const char *name;
    std::function<void(Walk &)> act;
};

auto keys(Qt::Key k, int times = 1, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    return [=](Walk &w) {
        for (int i = 0; i < times; ++i)
            w.key(k, mods);
    };
}

const Step kSteps[] = {
    {"Down", keys(Qt::Key_Down, 2)},
    {"Right", keys(Qt::Key_Right)},
    {"Down into a merged area", keys(Qt::Key_Down)},
    {"Down out of it", keys(Qt::Key_Down)},
    {"Tab", keys(Qt::Key_Tab, 2)},
    {"Shift+Down", keys(Qt::Key_Down, 2, Qt::ShiftModifier)},
    {"Shift+Left over a merged area", keys(Qt::Key_Left, 3, Qt::ShiftModifier)},
    {"Up clears the selection", keys(Qt::Key_Up)},
    {"Left beside the frame", keys(Qt::Key_Left, 2)},
    {"Home", keys(Qt::Key_Home)},
    {"End", keys(Qt::Key_End)},
    {"Home again", keys(Qt::Key_Home)},
    {"edit",
     [](Walk &w) {
         QTest::keyClicks(w.keyTarget(), QStringLiteral("42"));
         Walk::settle();
         w.key(Qt::Key_Return);
     }},
    {"Down past the bottom edge, one row at a time", keys(Qt::Key_Down, 16)},
    {"Right past the right edge", keys(Qt::Key_Right, 5)},
    {"Up past the top edge", keys(Qt::Key_Up, 14)},
    {"wheel down", [](Walk &w) { w.wheel(1); }},
    {"wheel up", [](Walk &w) { w.wheel(-1); }},
    {"a value changes, and the view scrolls before it is painted",
     [](Walk &w) {
         w.g.SetCellText(w.g.GetTopRow() + 3, w.g.GetLeftCol() + 1, QStringLiteral("changed"));
         w.g.SetTopRow(w.g.GetTopRow() + 1);
         Walk::settle();
     }},
    {"PageDown", keys(Qt::Key_PageDown)},
    {"Shift+Down at the bottom edge", keys(Qt::Key_Down, 12, Qt::ShiftModifier)},
    {"PageUp", keys(Qt::Key_PageUp)},
    {"Left past the left edge", keys(Qt::Key_Left, 6)},
};

struct Kind {
    TGridType type;
    int frozen;   // rows and columns
    const char *name;
};

void PrintTo(const Kind &kind, std::ostream *os) { *os << kind.name; }

class PartialRepaint : public ::testing::TestWithParam<Kind> {};

} // namespace

TEST_P(PartialRepaint, EveryStepLeavesTheSamePictureAsAFullPaint)
{
    Walk w(GetParam().type, GetParam().frozen);
    ASSERT_EQ(difference(w.shown(), w.painted()), "") << "before the first step";
    for (const Step &step : kSteps) {
        step.act(w);
        const std::string diff = difference(w.shown(), w.painted());
        EXPECT_EQ(diff, "") << "after " << step.name << ", at " << w.g.GetRow() << "," << w.g.GetCol();
        if (!diff.empty())
            return;   // the next steps start from a wrong picture
    }
}

// A step inside the view paints a few cells around the old and the new current cell; a step
// that scrolls one row shifts the pixels and paints the new row with them.
TEST_P(PartialRepaint, AStepPaintsLessThanTheView)
{
    Walk w(GetParam().type, GetParam().frozen);
    const int64_t wholeView = int64_t(w.g.viewport()->width()) * w.g.viewport()->height();
    const int visibleCells = (w.g.GetBottomRow() - w.g.GetTopRow() + 1 + w.g.GetFrozenRows()) *
                             (w.g.GetRightCol() - w.g.GetLeftCol() + 1 + w.g.GetFrozenCols());
    w.g.SetFocusCell(6, 2);
    Walk::settle();
    const struct {
        const char *name;
        Qt::Key key;
    } rows[] = {{"Down", Qt::Key_Down}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up}};
    for (const auto &row : rows) {
        const int64_t cells = w.cellsPainted(), area = w.paints.area;
        w.key(row.key);
        EXPECT_LE(w.cellsPainted() - cells, visibleCells / 4) << row.name;
        EXPECT_LT(w.paints.area - area, wholeView / 4) << row.name;
    }
    w.g.SetFocusCell(w.g.GetBottomRow() - 1, 2);
    Walk::settle();
    const int top = w.g.GetTopRow();
    int64_t cells = 0, area = 0;
    for (int i = 0; i < 4 && w.g.GetTopRow() == top; ++i) {
        cells = w.cellsPainted();
        area = w.paints.area;
        w.key(Qt::Key_Down);
    }
    ASSERT_GT(w.g.GetTopRow(), top) << "Down at the bottom edge did not scroll";
    EXPECT_LE(w.cellsPainted() - cells, visibleCells / 3) << "one-row scroll";
    EXPECT_LT(w.paints.area - area, wholeView / 3) << "one-row scroll";
}

INSTANTIATE_TEST_SUITE_P(Types, PartialRepaint,
                         ::testing::Values(Kind{gtExcel, 0, "Sheet"}, Kind{gtGrid, 0, "DataGrid"},
                                           Kind{gtExcel, 2, "SheetWithFrozenRowsAndCols"}),
                         [](const auto &info) { return std::string(info.param.name); });
