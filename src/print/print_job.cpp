// Print jobs: the page loop with copies, collation, the range text and odd or even pages, one
// page onto the printer, whole jobs with or without the progress window, and composite jobs.
#include "print/qor_print.h"

#include <QApplication>
#include <QPainter>
#include <QUuid>
#include "core/grid.h"
#include "platform/printer.h"
#include "print/page_range.h"
#include "print/print_progress.h"
#include "print/print_units.h"
#include "print/qor_print_p.h"

namespace qor {

namespace {

QString jobTitle(const QString &name) { return name.isEmpty() ? QUuid::createUuid().toString() : name; }

bool wanted(TPrintPages which, int page)
{
    return which == pgAll || (which == pgOdd && page % 2 == 1) || (which == pgEven && page % 2 == 0);
}

// Lets the progress window's cancel button be pressed between two pages.
void showProgress(int position)
{
    if (TfrmPrnProgress *w = TfrmPrnProgress::Current()) {
        w->SetPosition(position);
        QCoreApplication::processEvents();
    }
}

bool canShowWindows() { return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr; }

const QString CancelledText = QStringLiteral("打印已取消");

} // namespace

QString TQorPrint::LastError() const { return d->lastError; }

// The page loop of a job, in print order: visited(page) for every page visited (once per copy
// when collated, once per page when not), print(page) for each one that is selected; stopped()
// is asked before every page and copy.
template <class Visited, class Print, class Stopped>
static void walkJob(const TQorPrintPrivate &d, int count, int copies, Visited visited, Print print, Stopped stopped)
{
    const std::vector<bool> range = ParsePageRange(d.pageRangeText, count);
    auto select = [&](int page) {
        if (range[size_t(page)] && wanted(d.printPages, page))
            print(page);
    };
    if (d.collate) {
        for (int c = 0; c < copies && !stopped(); ++c)
            for (int p = 1; p <= count && !stopped(); ++p) {
                visited(p);
                if (!stopped())
                    select(p);
            }
    } else {
        for (int p = 1; p <= count && !stopped(); ++p) {
            visited(p);
            for (int c = 0; c < copies && !stopped(); ++c)
                select(p);
        }
    }
}

std::vector<int> TQorPrint::JobPages(int PageCount) const
{
    std::vector<int> out;
    walkJob(*d, PageCount, GetCopies(), [](int) {}, [&out](int page) { out.push_back(page); }, [] { return false; });
    return out;
}

void TQorPrint::PrintPage(int PageNo, bool NewPage)
{
    platform::Printer &printer = platform::CurrentPrinter();
    QPainter *canvas = printer.Canvas();
    if (!canvas || PageNo < 1 || PageNo > GetPageCount())
        return;
    SetScale(ScalX(), ScalY());
    const QPoint offset = PrintableOffset();
    const TPageMargins &m = d->margins;
    const int left = int(std::max<int64_t>(MMToPrinterX(m.Left), offset.x()));
    const int top = int(std::max<int64_t>(MMToPrinterY(m.Top), offset.y()));
    const int right = PrinterWidth() - int(std::max<int64_t>(MMToPrinterX(m.Right), offset.x()));
    const int bottom = PrinterHeight() - int(std::max<int64_t>(MMToPrinterY(m.Bottom), offset.y()));
    if (NewPage)
        printer.NewPage();
    canvas = printer.Canvas();
    canvas->save();
    DrawPage(PageNo, canvas, QRect(left, top, right - left, bottom - top));
    canvas->restore();
    SetScale(1.0, 1.0);
}

bool TQorPrint::InternalPrint(bool Recount)
{
    if (Recount)
        changed();
    d->printing = true;
    struct Done {
        TQorPrint &p;
        ~Done()
        {
            p.Private().printing = false;
            if (p.OnPrintFinish)
                p.OnPrintFinish(&p);
            if (p.OnPrintReport)
                p.OnPrintReport(&p);
        }
    } done{*this};
    bool first = true;
    int position = d->progressBase;
    walkJob(
        *d, GetPageCount(), GetCopies(), [&position](int) { showProgress(++position); },
        [&](int page) {
            PrintPage(page, !first);
            first = false;
        },
        [this] { return d->terminated; });
    return true;
}

// The document is open: the pages, then its end, or its abort when anything went wrong. A
// range text that is no range and a page set-up too small for the grid are reported here.
static bool runOpenDocument(TQorPrint &print, bool recount)
{
    TQorPrintPrivate &d = print.Private();
    platform::Printer &printer = platform::CurrentPrinter();
    bool ok = false;
    try {
        ok = print.InternalPrint(recount);
    } catch (const EPrintError &e) {
        d.lastError = e.Text();
    }
    if (!ok || d.terminated) {
        printer.Abort();
        if (ok)
            d.lastError = CancelledText;
        return false;
    }
    if (!printer.EndDoc()) {
        d.lastError = printer.Error();
        return false;
    }
    return true;
}

void TQorPrint::BeforeModal(QObject *Sender)
{
    const bool ok = runOpenDocument(*this, false);
    if (auto *w = qobject_cast<TfrmPrnProgress *>(Sender))
        w->Finish(!ok && d->terminated);
}

bool TQorPrint::PrintReport()
{
    d->lastError.clear();
    if (!d->grid) {
        d->lastError = QStringLiteral("没有要打印的表格");
        return false;
    }
    d->grid->SetZoom(d->printZoom);
    changed();
    SettingPrinter();
    int count = 0;
    try {
        count = GetPageCount();
    } catch (const EPrintError &e) {
        d->lastError = e.Text();
        return false;
    }
    platform::Printer &printer = platform::CurrentPrinter();
    d->terminated = false;
    if (!printer.BeginDoc(jobTitle(d->documentName))) {
        d->lastError = printer.Error();
        return false;
    }
    bool ok;
    if (d->showProgress && canShowWindows()) {
        TfrmPrnProgress window;
        d->printing = true;
        window.Show_Modal(this, nullptr, count, [this, &window] { BeforeModal(&window); });
        ok = d->lastError.isEmpty();
        printer.Abort();   // nothing when the job closed its document
    } else {
        ok = runOpenDocument(*this, true);
    }
    d->terminated = false;
    return ok;
}

// ---------------------------------------------------------------------------------------------

int TQorCompositePrint::GetPageCount()
{
    int total = 0;
    for (int i = 0; i < GetReportCount(); ++i) {
        TQorPrint *r = GetPrint(i);
        r->PrepareReport();
        total += r->GetPageCount();
    }
    return total;
}

TQorPrint *TQorCompositePrint::GetQorPrints(int PageNo, int *LocalPage)
{
    int rest = PageNo;
    for (int i = 0; i < GetReportCount() && rest >= 1; ++i) {
        TQorPrint *r = GetPrint(i);
        const int n = r->GetPageCount();
        if (n >= rest) {
            if (LocalPage)
                *LocalPage = rest;
            return r;
        }
        rest -= n;
    }
    return nullptr;
}

void TQorCompositePrint::DrawPage(int PageNo, QPainter *Canvas, const QRect &Rect, double Zoom)
{
    int local = 0;
    if (TQorPrint *r = GetQorPrints(PageNo, &local)) {
        r->SetScale(Zoom, Zoom);
        r->DrawPage(local, Canvas, Rect);
    }
}

namespace {

bool samePaper(const TQorPrint &a, TQorPrint &b)
{
    if (a.GetPageSize() != b.GetPageSize())
        return false;
    if (a.GetPageSize() == platform::kPaperUser &&
        (a.GetPageWidth() != b.GetPageWidth() || a.GetPageHeight() != b.GetPageHeight()))
        return false;
    return a.GetPaperSource() == b.GetPaperSource() && a.GetOrientation() == b.GetOrientation();
}

} // namespace

bool TQorCompositePrint::printReports(bool fromProgress)
{
    platform::Printer &printer = platform::CurrentPrinter();
    TQorPrint *reference = GetPrint(0);
    bool open = false, ok = true;
    int visited = 0;   // the progress window counts the pages of the whole job
    for (int i = 0; i < GetReportCount() && !m_terminated && ok; ++i) {
        TQorPrint *r = GetPrint(i);
        r->SetTerminated(false);
        r->Private().progressBase = visited;
        m_current = r;
        if (!fromProgress && r->GetQorGrid())
            r->GetQorGrid()->SetZoom(r->GetPrintZoom());
        if (i > 0 && open && samePaper(*reference, *r)) {
            printer.NewPage();
        } else {
            if (open && !printer.EndDoc()) {
                m_lastError = printer.Error();
                return false;
            }
            open = false;
            r->SettingPrinter();
            if (m_terminated)
                break;
            if (!printer.BeginDoc(jobTitle(m_documentName))) {
                m_lastError = printer.Error();
                return false;
            }
            open = true;
        }
        try {
            ok = r->InternalPrint(true);
        } catch (const EPrintError &e) {
            m_lastError = e.Text();
            ok = false;
        }
        r->Private().progressBase = 0;
        visited += r->GetPageCount() * (r->GetCollate() ? r->GetCopies() : 1);
        m_terminated = m_terminated || r->GetTerminated();
    }
    if (open) {
        if (!ok || m_terminated) {
            printer.Abort();
            if (ok)
                m_lastError = CancelledText;
            ok = false;
        } else if (!printer.EndDoc()) {
            m_lastError = printer.Error();
            ok = false;
        }
    }
    return ok;
}

bool TQorCompositePrint::PrintReport()
{
    m_lastError.clear();
    if (GetReportCount() == 0)
        return true;
    m_terminated = false;
    bool ok;
    if (m_showProgress && canShowWindows()) {
        int count = 0;
        try {
            count = GetPageCount();
        } catch (const EPrintError &e) {
            m_lastError = e.Text();
            return false;
        }
        TfrmPrnProgress window;
        ok = false;
        window.Show_Modal(nullptr, this, count, [this, &window, &ok] {
            ok = printReports(true);
            window.Finish(m_terminated);
        });
    } else {
        ok = printReports(false);
    }
    m_current = nullptr;
    m_terminated = false;
    return ok;
}

} // namespace qor
