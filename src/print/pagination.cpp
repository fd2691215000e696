// Cutting the bound grid into strips that fit the page body: column and row edges, the break
// tolerances, user breaks, repeated rows and columns, strips per sheet, and records.
#include "print/qor_print.h"

#include <algorithm>
#include <climits>
#include "core/grid_p.h"
#include "print/print_units.h"
#include "print/qor_print_p.h"

namespace qor {

namespace {

// A layout of more strips than this is a page set-up gone wrong, not a report.
constexpr size_t kMaxStrips = 10'000'000;

const char *const kTooSmall = "可打印区域太小";

[[noreturn]] void fail(const char *text) { throw EPrintError(QString::fromUtf8(text)); }

struct RowEdge {
    int64_t edge;
    bool breakBefore;   // a strip starts at the top of this entry's row
};

int64_t colRight(const TCustomQorGrid &g, int c) { return c < 0 ? 0 : g.GetZoomColRight(c); }
int64_t rowBottom(const TCustomQorGrid &g, int r) { return r < 0 ? 0 : g.GetZoomRowBottom(r); }

} // namespace

TPrintRect TQorPrint::GetStripRect()
{
    TQorPrintPrivate &p = *d;
    p.pageColumns = std::max(p.pageColumns, 1);
    if (p.grid) {
        const int rows = p.grid->GetRows(), cols = p.grid->GetCols();
        p.titleRows = std::clamp(p.titleRows, 0, rows);
        p.footerRows = std::clamp(p.footerRows, 0, rows);
        p.titleColumns = std::clamp(p.titleColumns, 0, cols);
        p.footerColumns = std::clamp(p.footerColumns, 0, cols);
    }
    SettingPrinter();
    const int64_t usableW = PrinterWidth() - MMToPrinterX(double(p.margins.Left) + p.margins.Right);
    const int64_t gap = MMToPrinterX(5.0);
    const int64_t stripW = (usableW - gap * (p.pageColumns - 1)) / p.pageColumns;
    int64_t usableH = PrinterHeight() - MMToPrinterY(double(p.margins.Top) + p.margins.Bottom);
    const bool printing = p.printing;
    p.printing = false;
    int64_t bands = int64_t(GetTitleHeight()) + GetPageHeaderHeight() + GetFooterHeight() + GetSummayHeight() +
                    GetPageFooterHeight();
    p.printing = printing;
    if (p.grid && p.grid->GetGridType() == gtGrid)
        bands += p.grid->GetPrintTitleHeight();
    usableH -= RoundHalfAway(ScalY() * double(bands));
    const int64_t w = RoundHalfAway(double(stripW) / ScalX()), h = RoundHalfAway(double(usableH) / ScalY());
    TPrintRect r;
    r.Right = int(std::clamp<int64_t>(w, INT_MIN / 2, INT_MAX));
    r.Bottom = int(std::clamp<int64_t>(h, INT_MIN / 2, INT_MAX));
    return r;
}

void TQorPrint::GetQorGridPages(std::vector<TPrintRect> &List, const TPrintRect &Rect)
{
    TQorPrintPrivate &p = *d;
    if (!p.grid)
        return;
    const TCustomQorGrid &g = *p.grid;
    if (Rect.Width() <= 0 || Rect.Height() <= 0)
        fail(kTooSmall);
    const int rows = g.GetRows(), cols = g.GetCols();
    p.stripsAcross = p.stripsDown = 0;
    if (rows <= 0 || cols <= 0)
        return;
    const int64_t innerW = g.GetInnerPrintWidth(), innerH = g.GetInnerPrintHeight();
    if (innerW > INT_MAX || innerH > INT_MAX)
        fail("The grid is too large to print");
    int64_t pw = std::min<int64_t>(Rect.Width(), innerW), ph = std::min<int64_t>(Rect.Height(), innerH);
    if (pw <= 0 || ph <= 0)
        return;   // every row or every column hidden: nothing to print
    const int64_t t = GetTitleHeight();
    const int titleRows = std::clamp(p.titleRows, 0, rows), footerRows = std::clamp(p.footerRows, 0, rows);
    const int titleCols = std::clamp(p.titleColumns, 0, cols), footerCols = std::clamp(p.footerColumns, 0, cols);

    const int64_t tr = titleRows > 0 ? rowBottom(g, titleRows - 1) : 0;
    if (titleRows > 0 && tr >= ph)
        fail("The total row height specified by the \"TitleRows\" property is too High");
    const int64_t fr = footerRows > 0 ? rowBottom(g, rows - 1) - rowBottom(g, rows - footerRows - 1) : 0;
    if (footerRows > 0 && fr >= ph)
        fail("The total row height specified by the \"FooterRows\" property is too High");
    if (footerRows > 0 && titleRows > 0 && fr + tr >= ph)
        fail("The total row height specified by the \"TitleRows\" and \"FooterRows\" property is too High");
    ph -= fr;
    const int64_t tc = titleCols > 0 ? colRight(g, titleCols - 1) : 0;
    if (titleCols > 0 && tc >= pw)
        fail("The total column width specified by the \"TitleColumns\" property is too long");
    const int64_t fc = footerCols > 0 ? colRight(g, cols - 1) - colRight(g, cols - footerCols - 1) : 0;
    if (footerCols > 0 && fc >= pw)
        fail("The total column width specified by the \"FooterColumns\" property is too long");
    if (footerCols > 0 && titleCols > 0 && fc + tc >= pw)
        fail("The total column width specified by the \"TitleColumns\" and \"FooterColumns\" property is too long");
    pw -= fc;
    if (pw <= 0 || ph <= 0)
        fail(kTooSmall);

    // Edges: a zero-width column or zero-height row adds none.
    std::vector<int64_t> colEdges;
    colEdges.reserve(size_t(cols - footerCols));
    for (int c = 0; c < cols - footerCols; ++c) {
        const int64_t e = colRight(g, c);
        if (c == 0 || e != colEdges.back())
            colEdges.push_back(e);
    }
    std::vector<RowEdge> rowEdges;
    rowEdges.reserve(size_t(rows - footerRows));
    bool pendingBreak = false;   // asked for on a hidden row: the next row shown starts the strip
    for (int r = 0; r < rows - footerRows; ++r) {
        if (p.terminated) {
            p.stale = true;
            return;
        }
        bool toBreak = false;
        if (r > 0 && g.OnGetPageBreak)
            g.OnGetPageBreak(const_cast<TCustomQorGrid *>(&g), r, toBreak);
        const int64_t e = rowBottom(g, r);
        if (r > 0 && e == rowEdges.back().edge) {
            pendingBreak = pendingBreak || toBreak;
            continue;
        }
        rowEdges.push_back({e, toBreak || pendingBreak});
        pendingBreak = false;
    }
    if (colEdges.empty() || rowEdges.empty())
        return;

    // Horizontal boundaries.
    std::vector<int64_t> xs{0};
    auto pushX = [&](int64_t v) {
        xs.push_back(v);
        if (titleCols > 0 && xs.size() == 2)
            pw -= tc;   // every strip after the first repeats the title columns
        if (xs.size() > kMaxStrips)
            fail("The grid makes too many pages to print");
    };
    int64_t limit = pw;
    for (size_t i = 0, n = colEdges.size(); i < n;) {
        if (p.terminated) {
            p.stale = true;
            return;
        }
        const int64_t edge = colEdges[i], last = xs.back();
        const bool isLast = i + 1 == n;
        if (edge > limit) {
            if (i == 0) {
                pushX(limit);
            } else {
                const int64_t prev = colEdges[i - 1];
                // Moving the column whole must still leave a strip behind: with a tolerance of
                // a strip's width or more it would start where the strip does.
                if (limit - prev <= p.horzSpaceToBreak && prev > last)
                    pushX(prev);
                else
                    pushX(last + pw);
            }
            limit = xs.back() + pw;
            if (isLast) {
                int64_t rest = edge - xs.back();
                for (; rest >= pw; rest -= pw, limit += pw)
                    pushX(limit);
                if (rest > 0)
                    pushX(limit);
                break;
            }
        } else if (edge == limit) {
            pushX(limit);
            limit = xs.back() + pw;
        } else if (isLast) {
            if (edge - last > 0)
                pushX(last + pw);
            break;
        }
        if (limit >= edge || isLast)
            ++i;
    }

    // Vertical boundaries.
    std::vector<int64_t> ys{0};
    const size_t pageColumns = size_t(std::max(p.pageColumns, 1));
    auto pushY = [&](int64_t v) {
        ys.push_back(v);
        // Bands after the first sheet's repeat the title rows and no longer carry the title.
        if (ys.size() == pageColumns + 1) {
            if (titleRows > 0)
                ph -= tr;
            ph += t;
        }
        if (ys.size() > kMaxStrips || (xs.size() - 1) * (ys.size() - 1) > kMaxStrips)
            fail("The grid makes too many pages to print");
    };
    limit = ph;
    for (size_t i = 0, s = 0, n = rowEdges.size(); i < n;) {
        if (p.terminated) {
            p.stale = true;
            return;
        }
        const int64_t pos = rowEdges[i].edge, last = ys.back();
        const bool isLast = i + 1 == n;
        if (rowEdges[i].breakBefore && i != s) {
            // A strip starts at the row, unless one already starts there.
            if (rowEdges[i - 1].edge > last)
                pushY(rowEdges[i - 1].edge);
            limit = ys.back() + ph;
            s = i;
            if (isLast) {
                int64_t rest = pos - ys.back();
                for (; rest >= ph; rest -= ph, limit += ph)
                    pushY(limit);
                if (rest > 0)
                    pushY(limit);
                break;
            }
        } else if (pos > limit) {
            if (i == 0) {
                pushY(limit);
            } else {
                const int64_t prev = rowEdges[i - 1].edge;
                if (limit - prev <= p.vertSpaceToBreak && prev > last)
                    pushY(prev);
                else
                    pushY(last + ph);
            }
            limit = ys.back() + ph;
            s = i;
            int64_t rest = pos - ys.back();
            for (; rest >= ph; rest -= ph, limit += ph)
                pushY(limit);
            if (isLast) {
                if (rest > 0)
                    pushY(limit);
                break;
            }
        } else if (pos == limit) {
            pushY(limit);
            limit = ys.back() + ph;
            s = i + 1;
        } else if (isLast) {
            if (pos - last > 0)
                pushY(last + ph);
            break;
        }
        if (limit >= pos || isLast)
            ++i;
    }

    p.stripsAcross = int(xs.size() - 1);
    p.stripsDown = int(ys.size() - 1);
    const int64_t right = innerW - fc, bottom = innerH - fr;
    List.reserve(List.size() + size_t(p.stripsAcross) * size_t(p.stripsDown));
    for (size_t b = 0; b + 1 < ys.size(); ++b) {
        if (p.terminated) {
            p.stale = true;
            return;
        }
        for (size_t a = 0; a + 1 < xs.size(); ++a)
            List.push_back({int(xs[a]), int(ys[b]), int(std::min(xs[a + 1], right)), int(std::min(ys[b + 1], bottom))});
    }
}

namespace {

void buildRepeatLists(TQorPrintPrivate &p)
{
    p.titleList.clear();
    p.footerList.clear();
    p.titleColumnList.clear();
    p.footerColumnList.clear();
    if (!p.grid || p.pages.empty())
        return;
    const TCustomQorGrid &g = *p.grid;
    const int rows = g.GetRows(), cols = g.GetCols();
    const size_t across = size_t(std::max(p.stripsAcross, 1)), down = size_t(std::max(p.stripsDown, 1));
    if (p.titleRows > 0) {
        const int h = int(rowBottom(g, p.titleRows - 1));
        for (size_t a = 0; a < across && a < p.pages.size(); ++a) {
            TPrintRect r = p.pages[a];
            r.Bottom = r.Top + h;
            p.titleList.push_back(r);
        }
    }
    if (p.footerRows > 0) {
        const int top = int(rowBottom(g, rows - p.footerRows - 1)), h = int(rowBottom(g, rows - 1)) - top;
        const size_t first = (down - 1) * across;
        for (size_t a = 0; a < across && first + a < p.pages.size(); ++a) {
            TPrintRect r = p.pages[first + a];
            r.Top = top;
            r.Bottom = top + h;
            p.footerList.push_back(r);
        }
    }
    if (p.titleColumns > 0) {
        const int w = int(colRight(g, p.titleColumns - 1));
        for (size_t b = 0; b < down && b * across < p.pages.size(); ++b) {
            TPrintRect r = p.pages[b * across];
            r.Right = r.Left + w;
            p.titleColumnList.push_back(r);
        }
    }
    if (p.footerColumns > 0) {
        const int left = int(colRight(g, cols - p.footerColumns - 1)), w = int(colRight(g, cols - 1)) - left;
        for (size_t b = 0; b < down && (b + 1) * across - 1 < p.pages.size(); ++b) {
            TPrintRect r = p.pages[(b + 1) * across - 1];
            r.Left = left;
            r.Right = left + w;
            p.footerColumnList.push_back(r);
        }
    }
}

} // namespace

bool TQorPrint::RecordsInUse() const { return OnGetRecordCount && OnPrintRecord; }

int TQorPrint::GetPageCount()
{
    TQorPrintPrivate &p = *d;
    if (!p.stale)
        return p.pageCount;
    p.recordMap.clear();
    p.currentRecord = -1;
    p.pageCount = 0;
    ClearPages();
    if (!p.grid) {
        p.stale = false;
        return 0;
    }
    const bool records = RecordsInUse();
    int count = 1;
    if (records)
        OnGetRecordCount(this, count);
    const size_t perSheet = size_t(std::max(p.pageColumns, 1));
    int total = 0;
    for (int index = 0; index < count; ++index) {
        if (records) {
            OnPrintRecord(this, index);
            p.currentRecord = index;
        }
        if (!p.grid)
            break;   // the handler let the grid go
        const TPrintRect strip = GetStripRect();
        ClearPages();
        GetQorGridPages(p.pages, strip);
        if (p.terminated) {
            p.stale = true;
            return total;
        }
        const int n = int((p.pages.size() + perSheet - 1) / perSheet);
        for (int page = 1; page <= n; ++page)
            p.recordMap.push_back({index, page, n});
        total += n;
    }
    buildRepeatLists(p);
    p.pageCount = total;
    p.stale = false;
    return total;
}

void TQorPrint::GetPagesRect(std::vector<TPrintRect> &List)
{
    List.clear();
    TQorPrintPrivate &p = *d;
    if (!p.grid)
        return;
    TPrintRect strip = GetStripRect();
    if (p.grid->GetGridType() == gtGrid) {
        // The title bar as it is at 100 %, whatever the grid's zoom.
        const int64_t diff = p.grid->GetPrintTitleHeight() - p.grid->GetTitleHeight();
        strip.Bottom = int(strip.Bottom + RoundHalfAway(double(diff)));
    }
    GetQorGridPages(List, strip);
    p.stale = true;   // the strips of the page model are the next count's to make
}

const std::vector<TPrintRect> &TQorPrint::Pages() const { return d->pages; }
int TQorPrint::GetStripsAcross() const { return d->stripsAcross; }
int TQorPrint::GetStripsDown() const { return d->stripsDown; }
const std::vector<TPrintRect> &TQorPrint::TitleList() const { return d->titleList; }
const std::vector<TPrintRect> &TQorPrint::FooterList() const { return d->footerList; }
const std::vector<TPrintRect> &TQorPrint::TitleColumnList() const { return d->titleColumnList; }
const std::vector<TPrintRect> &TQorPrint::FooterColumnList() const { return d->footerColumnList; }
void TQorPrint::ClearPages() { d->pages.clear(); }
void TQorPrint::ClearTitleList() { d->titleList.clear(); }
void TQorPrint::ClearFooterList() { d->footerList.clear(); }
void TQorPrint::ClearTitleColumnList() { d->titleColumnList.clear(); }
void TQorPrint::ClearFooterColumnList() { d->footerColumnList.clear(); }

TPageRecord TQorPrint::PageRecord(int PageNo) const
{
    if (PageNo >= 1 && size_t(PageNo) <= d->recordMap.size())
        return d->recordMap[size_t(PageNo - 1)];
    return {0, PageNo, d->pageCount};
}

void TQorPrint::InitRecord(int &Page, int &PageCount)
{
    TQorPrintPrivate &p = *d;
    if (!RecordsInUse() || Page < 1 || size_t(Page) > p.recordMap.size())
        return;
    const TPageRecord rec = p.recordMap[size_t(Page - 1)];
    if (rec.RecordIndex != p.currentRecord) {
        p.currentRecord = rec.RecordIndex;
        OnPrintRecord(this, rec.RecordIndex);
        if (p.grid) {
            const TPrintRect strip = GetStripRect();
            ClearPages();
            GetQorGridPages(p.pages, strip);
            buildRepeatLists(p);
        }
    }
    Page = rec.Page;
    PageCount = rec.PageCount;
}

} // namespace qor
