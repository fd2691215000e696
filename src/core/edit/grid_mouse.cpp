// The grid's mouse: making cells current, drag selection, header clicks, resizing rows and
// columns at header borders, moving them by their header cells, check boxes, radio items and
// hyperlinks, hints, and the pointer's shape.
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include "core/view/cell_painter_p.h"
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/edit/grid_drag_move_p.h"
#include "core/view/grid_hints_p.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/paint_style_p.h"
#include "core/edit/selection_p.h"
#include "platform/tooltip.h"
#include "platform/url_opener.h"

namespace qor {

namespace {

constexpr int BorderSlop = 3;   // pixels either side of a header border that grab it

struct Border {
    bool vertical = false;   // a column's right edge (true) or a row's bottom edge
    int index = -1;
};

// The header border under the point: the right edge of a column title or the bottom edge of a
// row title, the nearest visible line before it when the pointer is just past it.
Border borderAt(const TCustomQorGrid &g, QPoint p)
{
    Border b;
    int row = -1, col = -1;
    g.MouseCoord(p.x(), p.y(), row, col);
    if (row < 0)
        return b;
    if (g.GetColumnHeaderRect().contains(p)) {
        const QRect r = g.GetColTitleRect(col);
        if (std::abs(p.x() - (r.right() + 1)) <= BorderSlop)
            b = {true, col};
        else if (std::abs(p.x() - r.left()) <= BorderSlop && g.GetPriorVisibleCol(col - 1) >= 0)
            b = {true, g.GetPriorVisibleCol(col - 1)};
    } else if (g.GetRowHeaderRect().contains(p)) {
        const QRect r = g.GetRowTitleRect(row);
        if (std::abs(p.y() - (r.bottom() + 1)) <= BorderSlop)
            b = {false, row};
        else if (std::abs(p.y() - r.top()) <= BorderSlop && g.GetPriorVisibleRow(row - 1) >= 0)
            b = {false, g.GetPriorVisibleRow(row - 1)};
    }
    return b;
}

QString unitText(TUnitType unit)
{
    switch (unit) {
    case utMillimeter: return QStringLiteral(" 毫米");
    case utInch: return QStringLiteral(" 英寸");
    default: return QStringLiteral(" 像素");
    }
}

// The grid's own cross: a thick white plus outlined in black, easier to follow over cells than
// the platform's thin cross-hair.
QCursor crossCursor()
{
    static const QCursor cursor = [] {
        QPixmap pm(32, 32);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        const QPoint plus[] = {{12, 4}, {19, 4}, {19, 12}, {27, 12}, {27, 19}, {19, 19},
                               {19, 27}, {12, 27}, {12, 19}, {4, 19}, {4, 12}, {12, 12}};
        p.drawPolygon(plus, 12);
        p.end();
        return QCursor(pm, 16, 16);
    }();
    return cursor;
}

// Cursor numbers as hosts set them on cells and columns.
QCursor cursorFor(TCursor c)
{
    switch (c) {
    case -1: return Qt::BlankCursor;
    case -3: return crossCursor();
    case -4: return Qt::IBeamCursor;
    case -6: return Qt::SizeBDiagCursor;
    case -7: return Qt::SizeVerCursor;
    case -8: return Qt::SizeFDiagCursor;
    case -9: return Qt::SizeHorCursor;
    case -10: return Qt::UpArrowCursor;
    case -11: case -17: return Qt::WaitCursor;
    case -12: return Qt::DragMoveCursor;
    case -13: case -18: return Qt::ForbiddenCursor;
    case -14: return Qt::SplitHCursor;
    case -15: return Qt::SplitVCursor;
    case -16: return Qt::DragCopyCursor;
    case -19: return Qt::BusyCursor;
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    case -22: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

constexpr TCursor crHandPoint = -21;

// The cell's own cursor (the column's without a cell object, OnGetCellData over both), a
// pointing hand over links that name none, then whatever OnSetCursor makes of it.
TCursor cellCursor(TCustomQorGrid &g, int row, int col, const TCellInfo *cell, QPoint p)
{
    TCursor c = cell ? cell->GetCursor() : (g.Columns(col) ? g.Columns(col)->GetCursor() : crDefault);
    if (g.OnGetCellData) {
        TCellData data;
        g.OnGetCellData(&g, row, col, data);
        if (data.TestSet(TCellData::cdCursor))
            c = data.GetCursor();
    }
    if (c == crDefault && g.GetCellType(row, col) == ctHyperLink)
        c = crHandPoint;
    if (g.OnSetCursor)
        g.OnSetCursor(&g, row, col, g.CellRect(row, col), p.x(), p.y(), c);
    return c;
}

class MouseHandler {
public:
    explicit MouseHandler(TCustomQorGrid &grid) : g(grid), d(GridPrivate::get(grid)), sel(d) {}

    void Press(QPoint p, Qt::KeyboardModifiers mods);
    void Move(QPoint p, Qt::MouseButtons buttons);
    void Release(QPoint p);

private:
    bool has(TQorGridOption o) const { return d.options.Contains(o); }
    bool startSizing(QPoint p);
    bool headerClick(QPoint p);
    bool filterButton(QPoint p);
    void clickCell(int row, int col, QPoint p);
    void resize(QPoint p);
    void hover(QPoint p);
    void openLink(QPoint p);

    TCustomQorGrid &g;
    GridPrivate &d;
    Selection sel;
};

void MouseHandler::Press(QPoint p, Qt::KeyboardModifiers mods)
{
    d.hints->Hide();
    d.nav.linkPress = QPoint(-1, -1);
    if (d.rows <= 0 || d.cols <= 0)
        return;
    // With moving allowed, a header press is a click only once it is released undragged.
    if (startSizing(p) || filterButton(p) || d.dragMove->Press(p) || headerClick(p))
        return;
    int row = -1, col = -1;
    g.CellFromPoint(p, row, col);
    if (row < 0)
        return;
    if ((mods & Qt::ShiftModifier) && has(qgoMultiSelect) && g.GetRow() >= 0) {
        const QPoint anchor = d.nav.anchor.x() >= 0 ? d.nav.anchor : QPoint(g.GetCol(), g.GetRow());
        sel.Select(anchor.y(), anchor.x(), row, col);
        d.nav.mouse = gsSelection;
        return;
    }
    if (!sel.Enter(row, col))
        return;
    if (d.seams.dataOps->CellPressed(row, col, p))
        return;
    clickCell(row, col, p);
    if (d.editor->PressButtonAt(row, col, p))
        return;
    if (g.GetCellType(row, col) == ctHyperLink)
        d.nav.linkPress = QPoint(col, row);
    if (has(qgoMultiSelect))
        d.nav.mouse = gsSelecting;
}

bool MouseHandler::startSizing(QPoint p)
{
    const Border b = borderAt(g, p);
    if (b.index < 0 || !has(b.vertical ? qgoColSizing : qgoRowSizing))
        return false;
    bool canChange = true;
    if (b.vertical && g.OnBeforeColumnWidthChange)
        g.OnBeforeColumnWidthChange(&g, b.index, canChange);
    else if (!b.vertical && g.OnBeforeRowHeightChange)
        g.OnBeforeRowHeightChange(&g, b.index, canChange);
    if (!canChange)
        return true;   // the border is still the border: no click on the title behind it
    d.editor->CommitPending();
    d.editor->Hide();
    d.nav.mouse = b.vertical ? gsColSizing : gsRowSizing;
    d.nav.sizingIndex = b.index;
    d.nav.sizingStart = b.vertical ? g.GetColWidth(b.index) : g.GetRowHeight(b.index);
    d.nav.sizingOrigin = b.vertical ? p.x() : p.y();
    return true;
}

bool MouseHandler::headerClick(QPoint p)
{
    int row = -1, col = -1;
    g.MouseCoord(p.x(), p.y(), row, col);
    if (g.GetColumnHeaderRect().contains(p) && !g.GetCornerRect().contains(p)) {
        if (g.OnClickColumnTitle)
            g.OnClickColumnTitle(&g, col);
        if (has(qgoAutoSelectCol))
            g.SelectCol(col);
        d.seams.dataOps->TitleClicked(col);
        return true;
    }
    if (g.GetRowHeaderRect().contains(p)) {
        if (g.OnClickRowTitle)
            g.OnClickRowTitle(&g, row);
        if (has(qgoAutoSelectRow))
            g.SelectRow(row);
        return true;
    }
    return g.GetCornerRect().contains(p);
}

bool MouseHandler::filterButton(QPoint p)
{
    if (!has(qgoShowFilter) || !g.GetColumnHeaderRect().contains(p) || g.GetCornerRect().contains(p))
        return false;
    int row = -1, col = -1;
    g.MouseCoord(p.x(), p.y(), row, col);
    const QRect button = g.GetFilterButtonRect(col);
    if (!button.contains(p))
        return false;
    d.editor->CommitPending();
    d.editor->Hide();
    d.seams.dataOps->FilterButtonClicked(col, button);
    return true;
}

// Check boxes toggle and radio items are picked by a click, without an editor.
void MouseHandler::clickCell(int row, int col, QPoint p)
{
    const TCellType type = g.GetCellType(row, col);
    if ((type != ctCheckBox && type != ctRadioButton) || sel.CellReadOnly(row, col))
        return;
    if (type == ctCheckBox && GridPrivate::get(g).seams.binding->ToggleChecked(row, col))
        return;
    TCellInfo *cell = g.Cells(row, col);
    if (type == ctCheckBox) {
        cell->SetChecked(!cell->GetChecked());
        return;
    }
    const int count = cell->Items().Count();
    if (count <= 0)
        return;
    CellPaintStyle style;
    ResolveCellPaintStyle(g, row, col, cell, style);
    const QRect area = CellPainter::GetTextRect(g.CellRect(row, col), style);
    const int h = std::max(1, area.height() / count);
    const int index = (p.y() - area.top()) / h;
    if (p.y() >= area.top() && index < count)
        cell->SetItemIndex(index);
}

void MouseHandler::Move(QPoint p, Qt::MouseButtons buttons)
{
    if ((buttons & Qt::LeftButton) && d.dragMove->Move(p))
        return;
    switch (d.nav.mouse) {
    case gsRowSizing:
    case gsColSizing:
        resize(p);
        return;
    case gsSelecting: {
        if (!(buttons & Qt::LeftButton))
            return;
        int row = -1, col = -1;
        g.CellFromPoint(p, row, col);
        const QPoint anchor = d.nav.anchor;
        if (row >= 0 && anchor.x() >= 0) {
            sel.Select(anchor.y(), anchor.x(), row, col);
            d.nav.anchor = anchor;
            d.nav.corner = QPoint(col, row);
            g.ShowCell(row, col);
        }
        return;
    }
    default:
        hover(p);
    }
}

void MouseHandler::resize(QPoint p)
{
    const bool cols = d.nav.mouse == gsColSizing;
    const int delta = (cols ? p.x() : p.y()) - d.nav.sizingOrigin;
    const int zoom = std::max(1, g.GetZoom());
    const int size = std::max(0, d.nav.sizingStart + delta * 100 / zoom);
    if (cols)
        g.SetColWidth(d.nav.sizingIndex, size);
    else
        g.SetRowHeight(d.nav.sizingIndex, size);
    if (!has(qgoShowSizeInfo))
        return;
    const double phys = cols ? g.GetPhyColWidth(d.nav.sizingIndex) : g.GetPhyRowHeight(d.nav.sizingIndex);
    const TUnitType unit = g.GetUnitType();
    d.nav.sizeInfo = (cols ? QStringLiteral("宽度: ") : QStringLiteral("高度: ")) +
                     QString::number(phys, 'f', unit == utPixel ? 0 : 2) + unitText(unit);
    platform::ShowToolTip(g.viewport()->mapToGlobal(p), d.nav.sizeInfo, g.viewport());
}

void MouseHandler::hover(QPoint p)
{
    QCursor cursor(Qt::ArrowCursor);
    if (const Border b = borderAt(g, p); b.index >= 0 && has(b.vertical ? qgoColSizing : qgoRowSizing)) {
        cursor = QCursor(b.vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    } else if (!g.GetColumnHeaderRect().contains(p) && !g.GetRowHeaderRect().contains(p)) {
        int row = -1, col = -1;
        TCellInfo *cell = g.HintCellFromPoint(p, row, col);
        if (row >= 0)
            cursor = cursorFor(cellCursor(g, row, col, cell, p));
    }
    // One bitmap cursor only: the same shape is the same cursor.
    if (g.viewport()->cursor().shape() != cursor.shape())
        g.viewport()->setCursor(cursor);
    d.hints->Hover(p);
}

void MouseHandler::Release(QPoint p)
{
    QPoint pressAt;
    switch (d.dragMove->Release(p, pressAt)) {
    case HeaderDragMove::Outcome::Click: headerClick(pressAt); break;
    case HeaderDragMove::Outcome::Drop: break;
    case HeaderDragMove::Outcome::None: break;
    }
    if (d.nav.mouse == gsRowSizing || d.nav.mouse == gsColSizing) {
        platform::HideToolTip();
        d.nav.sizeInfo.clear();
    }
    if (d.nav.linkPress.x() >= 0)
        openLink(p);
    d.nav.mouse = gsNormal;
    d.nav.sizingIndex = -1;
}

// A link opens when the button comes up on the cell it went down on.
void MouseHandler::openLink(QPoint p)
{
    const QPoint pressed = d.nav.linkPress;
    d.nav.linkPress = QPoint(-1, -1);
    int row = -1, col = -1;
    g.HintCellFromPoint(p, row, col);
    if (row != pressed.y() || col != pressed.x() || g.GetCellType(row, col) != ctHyperLink)
        return;
    QString text = g.GetCellText(row, col);
    if (TCustomQorGrid::IsFormulaText(text))
        text = g.CellDisplayText(row, col);
    platform::OpenUrl(platform::UrlFromText(text));
}

} // namespace

void TCustomQorGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        MouseHandler(*this).Press(event->position().toPoint(), event->modifiers());
    }
    event->accept();
}

void TCustomQorGrid::mouseMoveEvent(QMouseEvent *event)
{
    MouseHandler(*this).Move(event->position().toPoint(), event->buttons());
    event->accept();
}

void TCustomQorGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        MouseHandler(*this).Release(event->position().toPoint());
    event->accept();
}

} // namespace qor
