#include "core/view/grid_hints_p.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "platform/tooltip.h"

namespace qor {

namespace {
constexpr int HintWidth = 320;   // longer hints wrap
} // namespace

void GridHints::SetEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        Hide();
}

QString GridHints::HintAt(QPoint p, int &row, int &col) const
{
    row = col = -1;
    if (!m_enabled || !m_grid.HasOption(qgoShowHintSymbol))
        return QString();
    // The header panels lie over cells scrolled beneath them.
    if (m_grid.GetColumnHeaderRect().contains(p) || m_grid.GetRowHeaderRect().contains(p))
        return QString();
    int r = -1, c = -1;
    const TCellInfo *cell = m_grid.HintCellFromPoint(p, r, c);
    if (r < 0)
        return QString();
    QString hint;
    if (cell)
        hint = cell->GetHint();
    else if (const TQorColumn *column = m_grid.Columns(c))
        hint = column->GetHint();
    if (m_grid.OnGetCellData) {
        TCellData data;
        m_grid.OnGetCellData(&m_grid, r, c, data);
        if (data.TestSet(TCellData::cdHint))
            hint = data.GetHint();
    }
    if (hint.isEmpty())
        return QString();
    row = r;
    col = c;
    return hint;
}

void GridHints::Hover(QPoint p)
{
    int row, col;
    const QString hint = HintAt(p, row, col);
    if (row == m_row && col == m_col && hint == m_text)
        return;
    Hide();
    if (!hint.isEmpty() && m_grid.HasOption(qgoQuickShowHint))
        showOwn(hint, row, col);
}

bool GridHints::ToolTip(QPoint p)
{
    int row, col;
    const QString hint = HintAt(p, row, col);
    if (hint.isEmpty()) {
        Hide();
        return true;   // no tooltip of the widget's own over the cells
    }
    if (m_grid.HasOption(qgoQuickShowHint)) {
        if (row != m_row || col != m_col || hint != m_text)
            showOwn(hint, row, col);
        return true;
    }
    QWidget *view = m_grid.viewport();
    platform::ShowToolTip(view->mapToGlobal(p), hint, view, m_grid.CellRect(row, col));
    m_row = row;
    m_col = col;
    m_text = hint;
    m_tooltip = true;
    return true;
}

void GridHints::Hide()
{
    if (m_tooltip)
        platform::HideToolTip();
    if (m_window)
        m_window->hide();
    m_tooltip = false;
    m_row = m_col = -1;
    m_text.clear();
}

void GridHints::showOwn(const QString &text, int row, int col)
{
    if (!m_window) {
        m_window = new QLabel(&m_grid, Qt::ToolTip | Qt::FramelessWindowHint);
        m_window->setAttribute(Qt::WA_ShowWithoutActivating);
        m_window->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_window->setForegroundRole(QPalette::ToolTipText);
        m_window->setBackgroundRole(QPalette::ToolTipBase);
        m_window->setAutoFillBackground(true);
        m_window->setFrameShape(QFrame::Box);
        m_window->setMargin(3);
        m_window->setWordWrap(true);
        m_window->setMaximumWidth(HintWidth);
    }
    if (m_tooltip)
        platform::HideToolTip();
    m_tooltip = false;
    m_window->setText(text);
    m_window->adjustSize();
    // Beside the cell's top right corner, where its marker is.
    const QRect cell = m_grid.CellRect(row, col);
    m_window->move(m_grid.viewport()->mapToGlobal(QPoint(cell.left() + cell.width() + 2, cell.top())));
    m_window->show();
    m_row = row;
    m_col = col;
    m_text = text;
}

bool TCustomQorGrid::GetShowHint() const { return d->hints->Enabled(); }
void TCustomQorGrid::SetShowHint(bool Value) { d->hints->SetEnabled(Value); }

bool TCustomQorGrid::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (d->nav.mouse == gsNormal)
            d->hints->ToolTip(static_cast<QHelpEvent *>(event)->pos());
        return true;
    case QEvent::Leave:
        d->hints->Hide();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace qor
