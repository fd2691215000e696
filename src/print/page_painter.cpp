// One page of a job onto any canvas: the text bands around the page's strips, the repeated
// title and footer pieces, and the cells through the screen's own painter, scaled.
#include "print/qor_print.h"

#include <QPainter>
#include <algorithm>
#include "core/model/column.h"
#include "core/grid_p.h"
#include "core/grid_seams_p.h"
#include "core/view/grid_painter_p.h"
#include "platform/colors.h"
#include "platform/screen.h"
#include "print/print_units.h"
#include "print/qor_print_p.h"

namespace qor {

using platform::ToQColor;

namespace {

// How far a clip reaches past a piece, so that the lines on its edges survive.
int Delta(double d) { return d <= 1 ? 1 : int(RoundHalfAway(d)); }
int Scaled(int64_t v, double f) { return int(RoundHalfAway(double(v) * f)); }

// The first row (column) whose far edge lies past v; edges never fall, so a binary search.
template <class Edge>
int FirstPast(int count, int64_t v, Edge edge)
{
    int lo = 0, hi = count - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (edge(mid) > v)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// A band font at the grid's zoom, sized in device pixels of a canvas scaled by factor.
QFont DeviceFont(const QFont &font, int zoom, double factor)
{
    QFont f = CreateZoomFont(font, zoom);
    f.setPixelSize(std::max(1, Scaled(f.pixelSize(), factor)));
    return f;
}

int HorzFlags(TAlignment a)
{
    return a == taLeftJustify ? Qt::AlignLeft : a == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
}

TPrintRect CutRows(TPrintRect r, const TPrintRect &rows)
{
    r.Top = rows.Top;
    r.Bottom = rows.Bottom;
    return r;
}

TPrintRect CutCols(TPrintRect r, const TPrintRect &cols)
{
    r.Left = cols.Left;
    r.Right = cols.Right;
    return r;
}

template <class T>
const T *At(const std::vector<T> &v, size_t i)
{
    return i < v.size() ? &v[i] : nullptr;
}

} // namespace

QRect TQorPrint::CalPrintViewRegion(const TPrintRect &Source) const
{
    const TCustomQorGrid *grid = d->grid;
    if (!grid || grid->GetRows() <= 0 || grid->GetCols() <= 0)
        return QRect();
    const int rows = grid->GetRows(), cols = grid->GetCols();
    auto bottom = [grid](int r) { return grid->GetZoomRowBottom(r); };
    auto right = [grid](int c) { return grid->GetZoomColRight(c); };
    return QRect(QPoint(FirstPast(cols, Source.Left, right), FirstPast(rows, Source.Top, bottom)),
                 QPoint(FirstPast(cols, Source.Right - 1, right), FirstPast(rows, Source.Bottom - 1, bottom)));
}

void TQorPrint::CopyRect(QPainter *Canvas, const TPrintRect &Source, const QRect &Dest)
{
    TCustomQorGrid *grid = d->grid;
    if (!Canvas || !grid || Source.Width() <= 0 || Source.Height() <= 0 || Dest.isEmpty() || grid->GetRows() <= 0 ||
        grid->GetCols() <= 0)
        return;
    const double fx = double(Dest.width()) / Source.Width(), fy = double(Dest.height()) / Source.Height();
    const QRect cells = CalPrintViewRegion(Source);
    if (OnPrintCell)
        OnPrintCell(this, cells);
    const int delta = Delta(d->scaleX);
    Canvas->save();
    Canvas->setClipRect(Dest.adjusted(-delta, -delta, delta, delta), Qt::IntersectClip);
    Canvas->translate(Dest.left(), Dest.top());
    Canvas->scale(fx, fy);
    Canvas->translate(-Source.Left, -Source.Top);
    PrintAreaOptions options;
    options.color = d->colorPrinter;
    options.gridLines = d->printGridLine;
    // Points become 96-dpi pixels at the grid's zoom; the transform takes them to the device.
    const int zoom = grid->GetZoom();
    options.pageFont = [zoom](const QFont &font) { return CreateZoomFont(font, zoom); };
    // DirectToPrinter thins lines on high-resolution devices (Line_Scale); cells keep scaling.
    options.lineScale = d->scaleY > 0 ? Line_Scale(d->scaleY) / d->scaleY : 1.0;
    GridPainter(*grid).DrawPrintArea(*Canvas, cells.top(), cells.bottom(), cells.left(), cells.right(), options);
    // Controls, charts and documents over these cells, cut by the same clip.
    GridPrivate::get(*grid).seams.objects->Print(*Canvas, Source.ToQRect(), [this](QWidget *control) {
        bool needPrint = true;
        if (OnPrintUserControl)
            OnPrintUserControl(this, control, needPrint);
        return needPrint;
    });
    Canvas->restore();
}

void TQorPrint::DrawColumnTitles(QPainter *Canvas, const QRect &Rect, const TPrintRect &Strip)
{
    TCustomQorGrid *grid = d->grid;
    if (!Canvas || !grid || grid->GetGridType() != gtGrid || Rect.isEmpty())
        return;
    const double fx = d->scaleX, fy = d->scaleY;
    const int height = Scaled(grid->GetPrintTitleHeight(), fy);
    const QColor line = d->colorPrinter ? ToQColor(grid->GetTitleLineColor()) : QColor(Qt::black);
    Canvas->save();
    Canvas->setClipRect(Rect, Qt::IntersectClip);
    for (int c = 0; c < grid->GetCols(); ++c) {
        const QRect cell = grid->GetCellPrintRect(0, c);
        const int left = Rect.left() + Scaled(cell.left() - Strip.Left, fx);
        const int right = Rect.left() + Scaled(cell.left() + cell.width() - Strip.Left, fx);
        if (right <= Rect.left() || left >= Rect.left() + Rect.width() || right <= left)
            continue;
        const QRect r(left, Rect.top(), right - left, height);
        const TQorColumnTitle &title = grid->Columns(c)->Title();
        if (d->colorPrinter)
            Canvas->fillRect(r, ToQColor(title.GetColor()));
        Canvas->setPen(QPen(line, 1));
        Canvas->setBrush(Qt::NoBrush);
        Canvas->drawRect(r.adjusted(0, 0, -1, -1));
        if (title.GetCaption().isEmpty() || r.isEmpty())
            continue;
        Canvas->setFont(DeviceFont(title.GetFont().Font, grid->GetZoom(), fy));
        Canvas->setPen(d->colorPrinter ? ToQColor(title.GetFont().Color) : QColor(Qt::black));
        const TAlignment a = title.GetAlignment();
        const QRect text = r.adjusted(a == taLeftJustify ? 2 : 0, 0, a == taRightJustify ? -2 : 0, 0);
        Canvas->drawText(text, HorzFlags(a) | Qt::AlignVCenter | Qt::TextSingleLine, title.GetCaption());
    }
    Canvas->restore();
}

namespace {

// The bands of one page, where they go and what they say.
class PageBands {
public:
    PageBands(TQorPrint &print, QPainter &canvas, int jobPage, int page, int pageCount, int zoom)
        : m_print(print), m_canvas(canvas), m_jobPage(jobPage), m_page(page), m_count(pageCount), m_zoom(zoom)
    {
    }

    // One text: OnPrintText, the markers, OnDrawTextBand, then the band's own drawing.
    void Text(TBandType type, QString text, const QFont &font, TColor color, const QRect &rect, int flags)
    {
        if (text.isEmpty() || rect.isEmpty())
            return;
        if (m_print.OnPrintText)
            m_print.OnPrintText(&m_print, m_jobPage, text);
        text = ExpandPageMarkers(text, m_jobPage, jobCount(), m_page, m_count);
        bool handled = false;
        if (m_print.OnDrawTextBand)
            m_print.OnDrawTextBand(&m_print, type, &m_canvas, text, rect, handled);
        if (handled)
            return;
        m_canvas.setFont(DeviceFont(font, m_zoom, m_print.GetScaleY()));
        m_canvas.setPen(m_print.GetColorPrinter() ? ToQColor(color) : QColor(Qt::black));
        m_canvas.drawText(rect, flags, text);
    }

    void Fill(const QRect &rect, TColor color)
    {
        if (m_print.GetColorPrinter() && !rect.isEmpty())
            m_canvas.fillRect(rect, ToQColor(color));
    }

    // Left, middle and right texts of a footer-like band.
    void Three(const TFooterParams &band, TBandType first, const QRect &rect, int vertical)
    {
        const QString texts[3] = {band.LeftText, band.MiddleText, band.RightText};
        const int horz[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int i = 0; i < 3; ++i)
            Text(TBandType(first + i), texts[i], band.GetFont(), band.GetFontColor(), rect, horz[i] | vertical);
    }

private:
    int jobCount() const
    {
        try {
            return m_print.GetPageCount();
        } catch (const EPrintError &) {
            return m_count;
        }
    }

    TQorPrint &m_print;
    QPainter &m_canvas;
    int m_jobPage, m_page, m_count, m_zoom;
};

} // namespace

void TQorPrint::DrawPage(int PageNo, QPainter *Canvas, const QRect &Rect)
{
    TCustomQorGrid *grid = d->grid;
    if (!Canvas || !grid || PageNo < 1 || PageNo > GetPageCount())
        return;
    d->jobPage = PageNo;
    int page = PageNo, count = GetPageCount();
    InitRecord(page, count);
    if (OnBeforePrintPage)
        OnBeforePrintPage(this, PageNo, GetPageCount());

    const double fx = d->scaleX, fy = d->scaleY;
    const int across = std::max(d->stripsAcross, 1);
    const int perSheet = GetPageColumns();
    std::vector<int> strips;
    for (int k = (page - 1) * perSheet; k < (page - 1) * perSheet + perSheet; ++k)
        if (k >= 0 && k < int(d->pages.size()))
            strips.push_back(k);
    // The gap between strips side by side on one sheet: 5 mm.
    const int gap = d->printing ? int(MMToPrinterX(5.0))
                                : Scaled(RoundHalfAway(platform::ScreenDpi() * 5.0 / 25.4), fx);

    const int zoom = grid->GetZoom();
    const int titleH = page <= across ? Scaled(GetTitleHeight(), fy) : 0;
    const int headerH = Scaled(GetPageHeaderHeight(), fy);
    const int footerH = Scaled(GetFooterHeight(), fy);
    const int summaryH = Scaled(GetSummayHeight(), fy);
    const int pageFooterH = Scaled(GetPageFooterHeight(), fy);
    const int barH = grid->GetGridType() == gtGrid ? Scaled(grid->GetPrintTitleHeight(), fy) : 0;

    // What one strip takes on the sheet with the pieces repeated around it.
    struct Piece {
        bool titleRows, titleCols;
        const TPrintRect *tr, *tc, *fr, *fc;
        int width, height;   // device pixels, footer pieces included
    };
    const int fh = d->footerRows > 0 && !d->footerList.empty() ? Scaled(d->footerList[0].Height(), fy) : 0;
    const int fw = d->footerColumns > 0 && !d->footerColumnList.empty() ? Scaled(d->footerColumnList[0].Width(), fx) : 0;
    auto piece = [&](int k) {
        const int a = k % across, b = k / across;
        Piece p{};
        p.tr = At(d->titleList, size_t(a));
        p.tc = At(d->titleColumnList, size_t(b));
        p.fr = At(d->footerList, size_t(a));
        p.fc = At(d->footerColumnList, size_t(b));
        p.titleRows = d->titleRows > 0 && b > 0 && p.tr;
        p.titleCols = d->titleColumns > 0 && a > 0 && p.tc;
        const TPrintRect &s = d->pages[size_t(k)];
        p.width = Scaled(s.Width() + (p.titleCols ? p.tc->Width() : 0), fx) + fw;
        p.height = Scaled(s.Height() + (p.titleRows ? p.tr->Height() : 0), fy) + fh;
        return p;
    };

    int gridW = 0, gridH = 0;
    for (size_t i = 0; i < strips.size(); ++i) {
        const Piece p = piece(strips[i]);
        gridW += p.width + (i > 0 ? gap : 0);
        gridH = std::max(gridH, p.height);
    }
    const int contentH = gridH + titleH + headerH + barH + footerH + summaryH + pageFooterH;
    int top = Rect.top();
    if (d->vertAutoCenter && d->stripsDown <= 1 && Rect.height() > contentH)
        top += (Rect.height() - contentH) / 2;
    int areaLeft = Rect.left(), areaW = std::max(gridW, 0);
    if (d->horzAutoCenter && across == 1 && Rect.width() > gridW)
        areaLeft += (Rect.width() - gridW) / 2;
    else if (areaW == 0)
        areaW = Rect.width();

    PageBands bands(*this, *Canvas, PageNo, page, count, zoom);
    Canvas->save();
    // Report title: local page 1 only.
    if (page == 1 && titleH >= 1) {
        const QRect r(areaLeft, top, areaW, titleH);
        bands.Fill(r, d->title.GetColor());
        bands.Text(btReportTitle, d->title.GetText(), d->title.GetFont(), d->title.GetFontColor(), r,
                   HorzFlags(d->title.GetAlign()) | Qt::AlignTop);
    }
    if (headerH > 0) {
        const TPageHeaderParams &h = d->pageHeader;
        QRect r(areaLeft, top + titleH, areaW, headerH);
        bands.Fill(r, h.GetColor());
        QRect detail = r;
        if (!h.GetText().isEmpty()) {
            bands.Text(btPageHeader, h.GetText(), h.GetFont(), h.GetFontColor(), r, HorzFlags(h.GetAlign()) | Qt::AlignTop);
            detail.setTop(r.top() + Scaled(GetTextHeight(h.GetText(), h.GetFont()) + 10, fy));
        }
        const QString texts[3] = {h.LeftText, h.MiddleText, h.RightText};
        const int horz[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int i = 0; i < 3; ++i)
            bands.Text(TBandType(btPageHeaderLeft + i), texts[i], h.GetDetailFont(), h.GetDetailFontColor(), detail,
                       horz[i] | Qt::AlignTop);
    }

    // The strips, each with its repeated pieces.
    int x = areaLeft, lowest = top + titleH + headerH + barH;
    for (size_t i = 0; i < strips.size(); ++i) {
        const int k = strips[i];
        const Piece p = piece(k);
        const TPrintRect &strip = d->pages[size_t(k)];
        QRect D(x, top + titleH + headerH + barH, p.width, p.height);
        x += p.width + gap;
        const int trH = p.titleRows ? Scaled(p.tr->Height(), fy) : 0;
        const int tcW = p.titleCols ? Scaled(p.tc->Width(), fx) : 0;
        int left = D.left(), dtop = D.top();
        const int right = D.left() + D.width(), bottom = D.top() + D.height();
        if (p.titleCols && d->titleRows > 0 && !d->titleList.empty())
            CopyRect(Canvas, CutRows(d->titleColumnList[0], d->titleList[0]),
                     QRect(left, dtop, tcW, Scaled(d->titleList[0].Height(), fy)));
        if (p.titleRows) {
            const int from = left + (p.titleCols && d->titleRows > 0 ? tcW : 0);
            CopyRect(Canvas, *p.tr, QRect(from, dtop, right - fw - from, trH));
            dtop += trH;
        }
        if (p.titleCols) {
            CopyRect(Canvas, CutRows(*p.tc, strip), QRect(left, dtop, tcW, bottom - fh - dtop));
            left += tcW;
        }
        const QRect body(left, dtop, right - fw - left, bottom - fh - dtop);
        CopyRect(Canvas, strip, body);
        if (barH > 0) {
            // The bar names the columns under it: the repeated ones, then the strip's own.
            const int barTop = D.top() - barH;
            if (p.titleCols)
                DrawColumnTitles(Canvas, QRect(D.left(), barTop, tcW, barH), *p.tc);
            DrawColumnTitles(Canvas, QRect(body.left(), barTop, body.width(), barH), strip);
            if (d->footerColumns > 0 && p.fc)
                DrawColumnTitles(Canvas, QRect(body.left() + body.width(), barTop, fw, barH), *p.fc);
        }
        if (d->footerRows > 0 && p.fr) {
            CopyRect(Canvas, CutCols(*p.fr, strip), QRect(body.left(), body.top() + body.height(), body.width(), fh));
            if (p.titleCols)
                CopyRect(Canvas, CutCols(*p.fr, *p.tc), QRect(D.left(), body.top() + body.height(), tcW, fh));
        }
        if (d->footerColumns > 0 && p.fc) {
            const int fx0 = body.left() + body.width();
            CopyRect(Canvas, CutRows(*p.fc, strip), QRect(fx0, body.top(), fw, body.height()));
            if (d->titleRows > 0 && p.titleRows && !d->titleList.empty())
                CopyRect(Canvas, CutCols(d->titleList.back(), *p.fc), QRect(fx0, D.top(), fw, trH));
            if (d->footerRows > 0 && p.fr)
                CopyRect(Canvas, CutCols(*p.fr, *p.fc), QRect(fx0, body.top() + body.height(), fw, fh));
        }
        lowest = std::max(lowest, bottom);
    }

    if (footerH > 0) {
        const QRect r(areaLeft, lowest + Scaled(10, fy), areaW, footerH);
        bands.Fill(r, d->footer.GetColor());
        bands.Three(d->footer, btFooterLeft, r, Qt::AlignVCenter);
    }
    const int rectBottom = Rect.top() + Rect.height();   // just past Rect
    if (summaryH > 0) {
        const QRect r(areaLeft, rectBottom - pageFooterH - summaryH, areaW, summaryH);
        bands.Fill(r, d->summary.GetColor());
        bands.Three(d->summary, btSummaryLeft, r, Qt::AlignTop);
    }
    if (pageFooterH > 0) {
        const QRect r(areaLeft, rectBottom - pageFooterH, areaW, pageFooterH);
        bands.Fill(r, d->pageFooter.GetColor());
        bands.Three(d->pageFooter, btPageFooterLeft, r, Qt::AlignTop);
    }
    Canvas->restore();
    if (OnAfterPrintPage)
        OnAfterPrintPage(this, PageNo, GetPageCount());
}

} // namespace qor
