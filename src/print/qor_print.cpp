// The print component's page model: binding, set-up, bands and their heights, the printer.
#include "print/qor_print.h"

#include <QFontMetrics>
#include <cmath>
#include "core/grid_p.h"
#include "io/stream_version.h"
#include "platform/printer.h"
#include "print/print_units.h"
#include "print/qor_print_p.h"

namespace qor {

// ---------------------------------------------------------------------------------------------
// The grid's side

std::vector<QRect> PrintLink::PagesRect()
{
    std::vector<TPrintRect> strips;
    try {
        m_print.GetPagesRect(strips);
    } catch (const EPrintError &) {
        strips.clear();   // no page lines for a layout that cannot be made
    }
    std::vector<QRect> out;
    out.reserve(strips.size());
    for (const TPrintRect &s : strips)
        out.push_back(s.ToQRect());
    return out;
}

void PrintLink::LoadSettings(const QByteArray &record, int version)
{
    const int kept = m_print.GetVersion();
    m_print.SetVersion(version);
    m_print.LoadSettings(record);
    m_print.SetVersion(kept);
}

void PrintLink::GridDestroyed() { m_print.Private().grid = nullptr; }

// ---------------------------------------------------------------------------------------------

TQorPrint::TQorPrint(QObject *parent) : QObject(parent), d(std::make_unique<TQorPrintPrivate>(*this))
{
    QFont bold = DefaultBandFont();
    bold.setBold(true);
    d->title.SetFont(bold);
    GetSettings();
}

TQorPrint::~TQorPrint() { SetQorGrid(nullptr); }

void TQorPrint::changed() { d->stale = true; }

TCustomQorGrid *TQorPrint::GetQorGrid() const { return d->grid; }

void TQorPrint::SetQorGrid(TCustomQorGrid *Value)
{
    if (d->grid == Value)
        return;
    if (d->grid) {
        GridSeams &seams = GridPrivate::get(*d->grid).seams;
        if (seams.print == &d->link)
            seams.print = nullptr;
    }
    d->grid = Value;
    if (Value) {
        GridSeams &seams = GridPrivate::get(*Value).seams;
        // A grid has one print component: the one it had lets go.
        if (seams.print && seams.print != &d->link)
            seams.print->GridDestroyed();
        seams.print = &d->link;
        // A page set-up the grid kept from its document (always of the current stream
        // version), read before this component came.
        QByteArray &kept = GridPrivate::get(*Value).extras.PrintSettings;
        if (!kept.isEmpty())
            d->link.LoadSettings(std::exchange(kept, QByteArray()), CurrentStreamFormatVersion);
        Value->SetZoom(d->printZoom);
    }
    changed();
}

// --- Page set-up

int TQorPrint::GetPageSize() const { return d->pageSize; }
void TQorPrint::SetPageSize(int Value)
{
    d->pageSize = Value;
    changed();
}
int TQorPrint::GetPageWidth() const { return d->pageWidth; }
void TQorPrint::SetPageWidth(int Value)
{
    d->pageWidth = Value;
    changed();
}
int TQorPrint::GetPageHeight() const { return d->pageHeight; }
void TQorPrint::SetPageHeight(int Value)
{
    d->pageHeight = Value;
    changed();
}
TPrinterOrientation TQorPrint::GetOrientation() const { return d->orientation; }
void TQorPrint::SetOrientation(TPrinterOrientation Value)
{
    d->orientation = Value;
    changed();
}
TPageMargins &TQorPrint::PageMargins()
{
    changed();   // the caller may change them through the reference
    return d->margins;
}
void TQorPrint::SetPageMargins(const TPageMargins &Value)
{
    d->margins.Assign(Value);
    changed();
}
int TQorPrint::GetPaperSource() const { return d->paperSource; }
void TQorPrint::SetPaperSource(int Value) { d->paperSource = Value; }

// --- Bands

TTitleParams &TQorPrint::ReportTitle()
{
    changed();
    return d->title;
}
TPageHeaderParams &TQorPrint::PageHeader()
{
    changed();
    return d->pageHeader;
}
TFooterParams &TQorPrint::Footer()
{
    changed();
    return d->footer;
}
TFooterParams &TQorPrint::Summary()
{
    changed();
    return d->summary;
}
TFooterParams &TQorPrint::PageFooter()
{
    changed();
    return d->pageFooter;
}
void TQorPrint::SetTitle(const TTitleParams &Value)
{
    d->title.Assign(Value);
    changed();
}
void TQorPrint::SetPageHeader(const TPageHeaderParams &Value)
{
    d->pageHeader.Assign(Value);
    changed();
}
void TQorPrint::SetFooter(const TFooterParams &Value)
{
    d->footer.Assign(Value);
    changed();
}
void TQorPrint::SetSummary(const TFooterParams &Value)
{
    d->summary.Assign(Value);
    changed();
}
void TQorPrint::SetPageFooter(const TFooterParams &Value)
{
    d->pageFooter.Assign(Value);
    changed();
}

int TQorPrint::GetTextHeight(const QString &Text, const QFont &Font) const
{
    if (Text.isEmpty() || !d->grid)
        return 0;
    QFont f = Font;
    if (!d->printing) {
        const double points = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize() * 72.0 / 96.0;
        f.setPixelSize(int(std::clamp<int64_t>(RoundHalfAway(points * 96.0 / 72.0 * d->scaleY), 1, 100000)));
    }
    const QFontMetrics metrics(CreateZoomFont(f, d->grid->GetZoom()));
    int height = 0;
    for (qsizetype i = 0, lines = Text.split(u'\n').size(); i < lines; ++i)
        height += metrics.height() + 2;
    return height;
}

namespace {
int tallest(const TQorPrint &p, const QFont &font, const QString &a, const QString &b, const QString &c)
{
    return std::max({p.GetTextHeight(a, font), p.GetTextHeight(b, font), p.GetTextHeight(c, font)});
}
bool empty3(const TFooterParams &f) { return f.LeftText.isEmpty() && f.MiddleText.isEmpty() && f.RightText.isEmpty(); }
} // namespace

int TQorPrint::GetTitleHeight() const
{
    return d->title.GetText().isEmpty() ? 0 : GetTextHeight(d->title.GetText(), d->title.GetFont()) + 10;
}

int TQorPrint::GetPageHeaderHeight() const
{
    const TPageHeaderParams &h = d->pageHeader;
    if (h.GetText().isEmpty() && h.LeftText.isEmpty() && h.MiddleText.isEmpty() && h.RightText.isEmpty())
        return 0;
    const int own = GetTextHeight(h.GetText(), h.GetFont());
    return tallest(*this, h.GetDetailFont(), h.LeftText, h.MiddleText, h.RightText) + (own >= 1 ? own + 10 : 0) + 10;
}

int TQorPrint::GetFooterHeight() const
{
    const TFooterParams &f = d->footer;
    return empty3(f) ? 0 : tallest(*this, f.GetFont(), f.LeftText, f.MiddleText, f.RightText) + 20;
}

int TQorPrint::GetSummayHeight() const
{
    const TFooterParams &f = d->summary;
    return empty3(f) ? 0 : tallest(*this, f.GetFont(), f.LeftText, f.MiddleText, f.RightText) + 10;
}

int TQorPrint::GetPageFooterHeight() const
{
    const TFooterParams &f = d->pageFooter;
    return empty3(f) ? 0 : tallest(*this, f.GetFont(), f.LeftText, f.MiddleText, f.RightText) + 10;
}

// --- Repeats, breaks, strips, zoom, options

#define QOR_PRINT_PROPERTY(Type, Name, field)                                                                        \
    Type TQorPrint::Get##Name() const { return d->field; }                                                         \
    void TQorPrint::Set##Name(Type Value)                                                                          \
    {                                                                                                              \
        d->field = Value;                                                                                          \
        changed();                                                                                                 \
    }
QOR_PRINT_PROPERTY(int, TitleRows, titleRows)
QOR_PRINT_PROPERTY(int, FooterRows, footerRows)
QOR_PRINT_PROPERTY(int, TitleColumns, titleColumns)
QOR_PRINT_PROPERTY(int, FooterColumns, footerColumns)
QOR_PRINT_PROPERTY(int, HorzSpaceToBreak, horzSpaceToBreak)
QOR_PRINT_PROPERTY(int, VertSpaceToBreak, vertSpaceToBreak)
QOR_PRINT_PROPERTY(bool, HorzAutoCenter, horzAutoCenter)
QOR_PRINT_PROPERTY(bool, VertAutoCenter, vertAutoCenter)
QOR_PRINT_PROPERTY(bool, ColorPrinter, colorPrinter)
QOR_PRINT_PROPERTY(bool, PrintGridLine, printGridLine)
QOR_PRINT_PROPERTY(bool, DirectToPrinter, directToPrinter)
QOR_PRINT_PROPERTY(bool, ShowProgress, showProgress)
QOR_PRINT_PROPERTY(bool, ModalPreview, modalPreview)
QOR_PRINT_PROPERTY(bool, DisablePrint, disablePrint)
#undef QOR_PRINT_PROPERTY

QString TQorPrint::GetDocumentName() const { return d->documentName; }
void TQorPrint::SetDocumentName(const QString &Value) { d->documentName = Value; }

int TQorPrint::GetPageColumns() const { return std::max(d->pageColumns, 1); }
void TQorPrint::SetPageColumns(int Value)
{
    d->pageColumns = std::max(Value, 1);
    changed();
}

int TQorPrint::GetPrintZoom() const { return d->printZoom; }
void TQorPrint::SetPrintZoom(int Value)
{
    if (Value < 1)
        return;   // a grid cannot be drawn at no size
    d->printZoom = Value;
    if (d->grid)
        d->grid->SetZoom(Value);
    changed();
}

// --- Job state

int TQorPrint::GetCopies() const { return std::max(d->copies, 1); }
void TQorPrint::SetCopies(int Value) { d->copies = Value; }
bool TQorPrint::GetCollate() const { return d->collate; }
void TQorPrint::SetCollate(bool Value) { d->collate = Value; }
QString TQorPrint::GetPageRangeText() const { return d->pageRangeText; }
void TQorPrint::SetPageRangeText(const QString &Value) { d->pageRangeText = Value; }
TPrintPages TQorPrint::GetPrintPages() const { return d->printPages; }
void TQorPrint::SetPrintPages(TPrintPages Value) { d->printPages = Value; }
bool TQorPrint::GetTerminated() const { return d->terminated; }
void TQorPrint::SetTerminated(bool Value) { d->terminated = Value; }
bool TQorPrint::GetPrinting() const { return d->printing; }
double TQorPrint::GetScaleX() const { return d->scaleX; }
double TQorPrint::GetScaleY() const { return d->scaleY; }
void TQorPrint::SetScale(double X, double Y)
{
    d->scaleX = X;
    d->scaleY = Y;
}

double TQorPrint::Line_Scale(double Scale) const
{
    return d->directToPrinter && d->printing && Scale > 4 ? Scale / 4 : Scale;
}

// --- Printer

void TQorPrint::SettingPrinter()
{
    platform::Printer &printer = platform::CurrentPrinter();
    if (printer.Printing() || !printer.Installed())
        return;
    platform::PageSetup setup;
    setup.paperCode = d->pageSize;
    setup.userSizeMM = QSize(d->pageWidth, d->pageHeight);
    setup.landscape = d->orientation == poLandscape;
    setup.paperSource = d->paperSource;
    printer.Apply(setup);
}

void TQorPrint::GetSettings()
{
    const platform::Printer &printer = platform::CurrentPrinter();
    if (!printer.Installed())
        return;
    d->pageSize = printer.PaperCode();
    const QSize sheet = printer.PhysicalSize();
    d->pageWidth = int(RoundHalfAway(double(sheet.width()) / printer.DpiX() * 25.4));
    d->pageHeight = int(RoundHalfAway(double(sheet.height()) / printer.DpiY() * 25.4));
    d->paperSource = printer.PaperSource();
    d->orientation = printer.Landscape() ? poLandscape : poPortrait;
}

void TQorPrint::PrepareReport()
{
    changed();
    SettingPrinter();
}

void TQorPrint::Init() { changed(); }

void TQorPrint::SetVersion(int Version) { d->version = Version; }
int TQorPrint::GetVersion() const { return d->version; }

// ---------------------------------------------------------------------------------------------

TQorCompositePrint::TQorCompositePrint(QObject *parent) : QObject(parent) {}
TQorCompositePrint::~TQorCompositePrint() = default;

bool TQorCompositePrint::AddReport(TQorPrint *Report)
{
    if (!Report || IndexOf(Report) >= 0)
        return false;
    m_reports.emplace_back(Report);
    return true;
}

void TQorCompositePrint::RemoveReport(TQorPrint *Report)
{
    std::erase_if(m_reports, [Report](const QPointer<TQorPrint> &r) { return r == Report; });
}

void TQorCompositePrint::ClearReport() { m_reports.clear(); }

int TQorCompositePrint::GetReportCount() const
{
    int n = 0;
    for (const auto &r : m_reports)
        n += !r.isNull();
    return n;
}

TQorPrint *TQorCompositePrint::GetPrint(int Index) const
{
    int n = 0;
    for (const auto &r : m_reports)
        if (r && n++ == Index)
            return r;
    return nullptr;
}

void TQorCompositePrint::SetTerminated(bool Value)
{
    m_terminated = Value;
    if (m_current)
        m_current->SetTerminated(Value);
}

int TQorCompositePrint::IndexOf(const TQorPrint *Report) const
{
    int n = 0;
    for (const auto &r : m_reports) {
        if (!r)
            continue;
        if (r == Report)
            return n;
        ++n;
    }
    return -1;
}

QString ExpandPageMarkers(const QString &Text, int Page, int TotalPages, int OwnerPage, int OwnerTotalPages)
{
    if (Text.isEmpty())
        return Text;
    QString s = Text;
    s.replace(QLatin1String("[PAGE#]"), QString::number(Page));
    s.replace(QLatin1String("[TOTALPAGES]"), QString::number(TotalPages));
    s.replace(QLatin1String("[OWNERPAGE#]"), QString::number(OwnerPage));
    s.replace(QLatin1String("[OWNERTOTALPAGES]"), QString::number(OwnerTotalPages));
    return s;
}

} // namespace qor
