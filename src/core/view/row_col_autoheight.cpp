// Automatic row heights: the height a cell's text needs in its width, measured with the font it
// is painted with.
#include "core/view/row_col_autoheight_p.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <optional>
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"

namespace qor {

namespace {

// The attributes measuring needs, resolved as painting resolves them: the OnGetCellData
// override, then the cell, then its column.
struct TextStyle {
    QFont font;
    int margins[4] = {0, 0, 0, 0}; // left, top, right, bottom
    TAlignment align = taLeftJustify;
    bool vertical = false;
    bool shrink = false;
    int angle = 0;
    int verticalSpace = 0;
};

template <class Source>
void fillFrom(TextStyle &s, const Source &src)
{
    s.margins[0] = src.GetTextLMargin();
    s.margins[1] = src.GetTextTMargin();
    s.margins[2] = src.GetTextRMargin();
    s.margins[3] = src.GetTextBMargin();
    s.align = src.GetAlignment();
    s.vertical = src.GetVerticalText();
    s.shrink = src.GetShrinkToFit();
    s.angle = src.GetFontAngle();
    s.verticalSpace = src.GetVerticalTextSpace();
}

TextStyle resolveStyle(GridPrivate &d, int row, int col)
{
    TextStyle s;
    TCustomQorGrid &grid = *d.q;
    const TCellInfo *cell = d.cells.At(row, col);
    s.font = cell && cell->PeekFont() ? cell->PeekFont()->Font : grid.GetFont().Font;
    if (cell)
        fillFrom(s, *cell);
    else if (const TQorColumn *column = d.column(col))
        fillFrom(s, *column);
    if (!grid.OnGetCellData)
        return s;
    TCellData &data = d.cellData[0];
    data.Init();
    grid.OnGetCellData(&grid, row, col, data);
    using F = TCellData;
    if (data.TestSet(F::cdFontSize) && data.GetFontSize() > 0)
        s.font.setPointSize(data.GetFontSize());
    if (data.TestSet(F::cdFontBold))
        s.font.setBold(data.GetFontBold());
    if (data.TestSet(F::cdFontItalic))
        s.font.setItalic(data.GetFontItalic());
    if (data.TestSet(F::cdFontStrikethrough))
        s.font.setStrikeOut(data.GetFontStrikethrough());
    if (data.TestSet(F::cdUnderline))
        s.font.setUnderline(data.GetUnderline());
    if (data.TestSet(F::cdFontName) && !data.GetFontName().isEmpty())
        s.font.setFamily(data.GetFontName());
    if (data.TestSet(F::cdAlignment))
        s.align = data.GetAlignment();
    if (data.TestSet(F::cdVerticalText))
        s.vertical = data.GetVerticalText();
    if (data.TestSet(F::cdShrinkToFit))
        s.shrink = data.GetShrinkToFit();
    if (data.TestSet(F::cdFontAngle))
        s.angle = data.GetFontAngle();
    if (data.TestSet(F::cdVerticalTextSpace))
        s.verticalSpace = data.GetVerticalTextSpace();
    if (data.TestSet(F::cdTextLMargin))
        s.margins[0] = data.GetTextLMargin();
    if (data.TestSet(F::cdTextTMargin))
        s.margins[1] = data.GetTextTMargin();
    if (data.TestSet(F::cdTextRMargin))
        s.margins[2] = data.GetTextRMargin();
    if (data.TestSet(F::cdTextBMargin))
        s.margins[3] = data.GetTextBMargin();
    return s;
}

int alignFlag(TAlignment a)
{
    return a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
}

int textHeight(const TextStyle &s, const QString &text, int width)
{
    const QFontMetrics fm(s.font);
    if (s.vertical) {
        int h = 0;
        for (QChar ch : text)
            h += (ch == u' ' ? 1 : fm.height()) + s.verticalSpace;
        return text.isEmpty() ? 0 : h - s.verticalSpace;
    }
    if (s.angle % 360 != 0) {
        const double rad = s.angle * M_PI / 180.0;
        const double w = fm.horizontalAdvance(text), h = fm.height();
        return int(std::ceil(std::abs(w * std::sin(rad)) + std::abs(h * std::cos(rad))));
    }
    if (s.shrink)
        return fm.height();
    const int avail = std::max(width - s.margins[0] - s.margins[2], 1);
    const QRect r = fm.boundingRect(QRect(0, 0, avail, INT_MAX / 2), Qt::TextWordWrap | alignFlag(s.align), text);
    return std::max(r.height(), fm.height());
}

} // namespace

int AutoHeight::CellHeight(int row, int col, const QString &text) const
{
    if (!m_d.valid(row, col))
        return 0;
    const QRect area = m_d.merges->AreaAt(row, col);
    const bool owner = area.top() == row && area.left() == col;
    const QRect span = owner ? area : QRect(col, row, 1, 1);
    const int64_t width = m_d.colAxis.Edge(span.right()) - m_d.colAxis.Edge(span.left() - 1);
    const int w = int(std::min<int64_t>(width, INT_MAX / 2));
    const TCellInfo *cell = m_d.cells.At(row, col);
    const TextStyle s = resolveStyle(m_d, row, col);
    // Rich content is painted inside the text margins like plain text; bytes that cannot be read
    // are painted, and so measured, as the plain text.
    std::optional<int> rich;
    if (cell && cell->GetCellType() == ctRichEdit)
        rich = m_d.seams.richText->Height(cell->GetRichText(), w - s.margins[0] - s.margins[2]);
    int needed = (rich ? *rich : textHeight(s, text, w)) + s.margins[1] + s.margins[3];
    // The rows below the owner keep their heights; the owner's row takes what is missing.
    for (int r = span.top() + 1; r <= span.bottom(); ++r)
        needed -= m_d.rowAxis.CurrentSize(r);
    return std::max(needed, m_d.layout.defaultRowHeight);
}

bool AutoHeight::measured(int row, int col) const
{
    const TCellInfo *cell = m_d.cells.At(row, col);
    if (cell)
        return cell->GetNeedDraw() && cell->GetAutoHeight();
    const TQorColumn *column = m_d.column(col);
    return column && column->GetAutoHeight();
}

void AutoHeight::Rows(int first, int last, int onlyCol)
{
    TCustomQorGrid &grid = *m_d.q;
    // A batch of its own, without the formula pass EndUpdate would run: no value changes here.
    m_d.batch.Begin();
    for (int row = std::max(first, 0); row <= std::min(last, m_d.rows - 1); ++row) {
        // A hidden row stays hidden: measuring would show it again.
        if (!m_d.rowAxis.Entry(row).visible || (onlyCol >= 0 && !measured(row, onlyCol)))
            continue;
        int best = -1;
        for (int col = 0; col < m_d.cols; ++col)
            if (measured(row, col))
                best = std::max(best, CellHeight(row, col, grid.GetCellText(row, col)));
        if (best > 0 && best != m_d.rowAxis.CurrentSize(row))
            grid.SetRowHeight(row, best);
    }
    if (m_d.batch.End() && m_d.batch.TakeHeightsChanged()) {
        m_d.rowAxis.Recalc(0);
        m_d.layoutChanged();
    }
}

} // namespace qor
