#include "designer/page_fit.h"

#include <vector>
#include "core/grid.h"
#include "print/qor_print.h"
#include "print/print_units.h"

namespace qor {

namespace {

// Takes excess pixels from the sizes, the last first: each down to 1, then, when all are
// there, one more from each in turn (hidden lines, of no size, keep it).
void shrink(std::vector<int> &sizes, int64_t excess)
{
    for (int i = int(sizes.size()) - 1; i >= 0 && excess > 0; --i) {
        const int take = int(std::min<int64_t>(excess, std::max(sizes[size_t(i)] - 1, 0)));
        sizes[size_t(i)] -= take;
        excess -= take;
    }
    for (int i = int(sizes.size()) - 1; i >= 0 && excess > 0; --i) {
        if (sizes[size_t(i)] > 0) {
            --sizes[size_t(i)];
            --excess;
        }
    }
}

} // namespace

PageFit FitGridToPage(TCustomQorGrid &grid, const QSize &page, const QMargins &m)
{
    if (grid.GetGridType() != gtInvoice)
        return PageFit::NotAnInvoice;
    if (m.left() + m.right() >= page.width())
        return PageFit::TooNarrow;
    if (m.top() + m.bottom() >= page.height())
        return PageFit::TooShort;

    grid.BeginUpdate();
    grid.SetLeftMargin(m.left());
    grid.SetTopMargin(m.top());

    const int64_t width = grid.GetInnerWidth();
    const int64_t roomX = page.width() - m.left() - m.right();
    if (width > roomX) {
        grid.SetRightMargin(m.right());
        std::vector<int> widths(size_t(grid.GetCols()));
        for (int c = 0; c < grid.GetCols(); ++c)
            widths[size_t(c)] = grid.GetColVisible(c) ? grid.GetColWidth(c) : 0;
        shrink(widths, width - roomX);
        for (int c = 0; c < grid.GetCols(); ++c)
            if (grid.GetColVisible(c) && widths[size_t(c)] != grid.GetColWidth(c))
                grid.SetColWidth(c, widths[size_t(c)]);
    } else {
        grid.SetRightMargin(int(page.width() - width - m.left()));
    }

    const int64_t height = grid.GetInnerHeight();
    const int64_t roomY = page.height() - m.top() - m.bottom();
    if (height > roomY) {
        grid.SetBottomMargin(m.bottom());
        std::vector<int> heights(size_t(grid.GetRows()));
        for (int r = 0; r < grid.GetRows(); ++r)
            heights[size_t(r)] = grid.GetRowVisible(r) ? grid.GetRowHeight(r) : 0;
        shrink(heights, height - roomY);
        for (int r = 0; r < grid.GetRows(); ++r)
            if (grid.GetRowVisible(r) && heights[size_t(r)] != grid.GetRowHeight(r))
                grid.SetRowHeight(r, heights[size_t(r)]);
    } else {
        grid.SetBottomMargin(int(page.height() - height - m.top()));
    }
    grid.EndUpdate();
    return PageFit::Fitted;
}

QSize PageSizeInPixels(const TQorPrint &print)
{
    const bool turned = print.GetOrientation() == poLandscape;
    const int w = turned ? print.GetPageHeight() : print.GetPageWidth();
    const int h = turned ? print.GetPageWidth() : print.GetPageHeight();
    return QSize(XmmToPixel(w), YmmToPixel(h));
}

QMargins PageMarginsInPixels(TQorPrint &print)
{
    const TPageMargins &m = print.PageMargins();
    return QMargins(XmmToPixel(m.Left), YmmToPixel(m.Top), XmmToPixel(m.Right), YmmToPixel(m.Bottom));
}

PageFit FitGridToPrinterPage(TCustomQorGrid &grid, TQorPrint &print)
{
    return FitGridToPage(grid, PageSizeInPixels(print), PageMarginsInPixels(print));
}

} // namespace qor
