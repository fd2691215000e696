#pragma once
// The print component: bound to one grid, it holds the page set-up, the five text bands, the
// rows and columns repeated on every page, the break tolerances, the strips per sheet and the
// print zoom, cuts the grid into pages, and raises the print events.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>
#include "print/print_params.h"
#include "platform/qor_global.h"

class QIODevice;
class QPainter;
class QWidget;

namespace qor {

class TCustomQorGrid;
struct TQorPrintPrivate;

enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };
enum TPrintPages : uint8_t { pgAll, pgOdd, pgEven };
// Every text that is printed, in the order OnDrawTextBand numbers them.
enum TBandType : uint8_t {
    btReportTitle, btPageHeader, btPageHeaderLeft, btPageHeaderMiddle, btPageHeaderRight,
    btFooterLeft, btFooterMiddle, btFooterRight, btSummaryLeft, btSummaryMiddle, btSummaryRight,
    btPageFooterLeft, btPageFooterMiddle, btPageFooterRight
};

// A rectangle in grid print coordinates; Right and Bottom lie just past it.
struct TPrintRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    bool operator==(const TPrintRect &) const = default;
};

// Where a job page lies: its record, its page within the record (from 1), the record's pages.
struct TPageRecord {
    int RecordIndex = 0;
    int Page = 1;
    int PageCount = 1;
};

// A layout that cannot be made: the page is too small for what must go on it.
class QOR_EXPORT EPrintError : public std::runtime_error {
public:
    explicit EPrintError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString Text() const { return m_text; }

private:
    QString m_text;
};

using TPrintNotifyEvent = std::function<void(QObject *Sender)>;
using TRecordCountEvent = std::function<void(QObject *Sender, int &RecordCount)>;
using TPrintRecordEvent = std::function<void(QObject *Sender, int RecordIndex)>;
using TPrintPageEvent = std::function<void(QObject *Sender, int PageNo, int PageCount)>;
using TPrintCellEvent = std::function<void(QObject *Sender, const QRect &CellArea)>;
using TPrintTextEvent = std::function<void(QObject *Sender, int PageNo, QString &Text)>;
using TDrawTextBandEvent = std::function<void(QObject *Sender, TBandType BandType, QPainter *Canvas,
                                              const QString &Text, const QRect &Rect, bool &Handled)>;
using TPrintUserControlEvent = std::function<void(QObject *Sender, QWidget *AControl, bool &NeedPrint)>;

class QOR_EXPORT TQorPrint : public QObject {
    Q_OBJECT

public:
    // Reads the paper and orientation of the current printer.
    explicit TQorPrint(QObject *parent = nullptr);
    ~TQorPrint() override;

    // ===== The grid (the grid keeps a reference back; one component per grid) =====
    TCustomQorGrid *GetQorGrid() const;
    // Releases the old grid, binds the new one and gives it PrintZoom.
    void SetQorGrid(TCustomQorGrid *Value);

    // ===== Page set-up =====
    int GetPageSize() const;
    // A driver paper code (9 = A4); 256 is the user-defined PageWidth x PageHeight.
    void SetPageSize(int Value);
    int GetPageWidth() const;
    void SetPageWidth(int Value);
    int GetPageHeight() const;
    void SetPageHeight(int Value);
    TPrinterOrientation GetOrientation() const;
    void SetOrientation(TPrinterOrientation Value);
    TPageMargins &PageMargins();
    void SetPageMargins(const TPageMargins &Value);
    int GetPaperSource() const;
    void SetPaperSource(int Value);

    // ===== The five bands (setters copy with Assign) =====
    TTitleParams &ReportTitle();
    TPageHeaderParams &PageHeader();
    TFooterParams &Footer();
    TFooterParams &Summary();
    TFooterParams &PageFooter();
    void SetTitle(const TTitleParams &Value);
    void SetPageHeader(const TPageHeaderParams &Value);
    void SetFooter(const TFooterParams &Value);
    void SetSummary(const TFooterParams &Value);
    void SetPageFooter(const TFooterParams &Value);
    // Band heights in screen pixels with the fonts at the grid's zoom; 0 for an empty band.
    int GetTitleHeight() const;
    int GetPageHeaderHeight() const;
    int GetFooterHeight() const;
    int GetSummayHeight() const;
    int GetPageFooterHeight() const;
    // The sum over the lines of (line height + 2); 0 for no text or no grid.
    int GetTextHeight(const QString &Text, const QFont &Font) const;

    // ===== Repeats, breaks, strips, zoom, options =====
    int GetTitleRows() const;
    void SetTitleRows(int Value);
    int GetFooterRows() const;
    void SetFooterRows(int Value);
    int GetTitleColumns() const;
    void SetTitleColumns(int Value);
    int GetFooterColumns() const;
    void SetFooterColumns(int Value);
    int GetHorzSpaceToBreak() const;
    void SetHorzSpaceToBreak(int Value);
    int GetVertSpaceToBreak() const;
    void SetVertSpaceToBreak(int Value);
    int GetPageColumns() const;
    void SetPageColumns(int Value);
    bool GetHorzAutoCenter() const;
    void SetHorzAutoCenter(bool Value);
    bool GetVertAutoCenter() const;
    void SetVertAutoCenter(bool Value);
    bool GetColorPrinter() const;
    void SetColorPrinter(bool Value);
    bool GetPrintGridLine() const;
    void SetPrintGridLine(bool Value);
    int GetPrintZoom() const;
    // Also the bound grid's zoom; values below 1 are refused.
    void SetPrintZoom(int Value);
    bool GetDirectToPrinter() const;
    void SetDirectToPrinter(bool Value);
    QString GetDocumentName() const;
    void SetDocumentName(const QString &Value);
    bool GetShowProgress() const;
    void SetShowProgress(bool Value);
    bool GetModalPreview() const;
    void SetModalPreview(bool Value);
    bool GetDisablePrint() const;
    void SetDisablePrint(bool Value);

    // ===== Job state =====
    int GetCopies() const;
    void SetCopies(int Value);
    bool GetCollate() const;
    void SetCollate(bool Value);
    QString GetPageRangeText() const;
    void SetPageRangeText(const QString &Value);
    TPrintPages GetPrintPages() const;
    void SetPrintPages(TPrintPages Value);
    bool GetTerminated() const;
    void SetTerminated(bool Value);
    bool GetPrinting() const;
    // Horizontal and vertical scale of grid print coordinates to the device: 1.0 except while
    // a page is printed or previewed.
    double GetScaleX() const;
    double GetScaleY() const;
    void SetScale(double X, double Y);
    // Line widths scaled like the rest, divided by 4 above 4 with DirectToPrinter while printing.
    double Line_Scale(double Scale) const;

    // ===== Printer =====
    // The page set-up onto the printer; nothing while it prints or without one.
    void SettingPrinter();
    // Paper, size and orientation from the printer.
    void GetSettings();
    // Marks the pagination stale and sets the printer up.
    void PrepareReport();
    void Init();

    // ===== Pagination (defined in print/pagination.cpp) =====
    // Pages of the job; lays the grid out again when something changed. Raises EPrintError.
    int GetPageCount();
    // Cuts the grid into strips whose body fits Rect and appends them to List.
    void GetQorGridPages(std::vector<TPrintRect> &List, const TPrintRect &Rect);
    // The strips of the grid as it is now (no records), for the grid's page lines.
    void GetPagesRect(std::vector<TPrintRect> &List);
    // The strip size of one page body, grid print pixels (printer set up first).
    TPrintRect GetStripRect();
    const std::vector<TPrintRect> &Pages() const;
    int GetStripsAcross() const;
    int GetStripsDown() const;
    const std::vector<TPrintRect> &TitleList() const;
    const std::vector<TPrintRect> &FooterList() const;
    const std::vector<TPrintRect> &TitleColumnList() const;
    const std::vector<TPrintRect> &FooterColumnList() const;
    void ClearPages();
    void ClearTitleList();
    void ClearFooterList();
    void ClearTitleColumnList();
    void ClearFooterColumnList();
    // The record of a job page (1-based); the job page itself without records.
    TPageRecord PageRecord(int PageNo) const;
    bool RecordsInUse() const;
    // Turns a job page into the page within its record, refilling the grid for another record.
    void InitRecord(int &Page, int &PageCount);

    // ===== Page rendering (defined in print/page_painter.cpp) =====
    // One job page onto any canvas (a printer, a preview pixmap, an image); Rect is the
    // printable area in device pixels and the scale factors map grid print pixels onto it.
    // Nothing for a page outside 1 ... GetPageCount() or without a grid.
    void DrawPage(int PageNo, QPainter *Canvas, const QRect &Rect);
    // The rows and columns whose cells meet Source (grid print coordinates): left is the first
    // column, top the first row, right and bottom the last ones. Null without a grid or cells.
    QRect CalPrintViewRegion(const TPrintRect &Source) const;
    // Source (grid print coordinates) scaled into Dest (device pixels), clipped to Dest.
    void CopyRect(QPainter *Canvas, const TPrintRect &Source, const QRect &Dest);
    // The column title bar of a gtGrid grid above the strip, in the bar's rectangle.
    void DrawColumnTitles(QPainter *Canvas, const QRect &Rect, const TPrintRect &Strip);

    // ===== Jobs (defined in print/print_job.cpp) =====
    // Prints on the current printer: copies, collation, PageRangeText, PrintPages, under the
    // progress window when ShowProgress. False when the printer refused the document, the
    // range text was not valid or the job was cancelled; LastError() says which.
    bool PrintReport();
    // Prints job page PageNo (ignored outside 1 ... page count) on the open document.
    void PrintPage(int PageNo, bool NewPage);
    // The page loop of a job on an open document; false when it could not run.
    bool InternalPrint(bool Recount);
    // The job body the progress window runs inside its modal loop.
    void BeforeModal(QObject *Sender);
    // Why the last job failed; empty after one that printed.
    QString LastError() const;
    // The pages a job prints, in order, with copies and collation: what InternalPrint visits.
    // Raises EPrintError for a range text with an item that is not a whole number.
    std::vector<int> JobPages(int PageCount) const;

    // ===== Preview (defined in print/preview/) =====
    // Opens the preview window on this report, modal when ModalPreview.
    void ShowReport();
    // The preview window now open on this report, or none.
    QWidget *PreviewWindow() const;
    // Closes the preview window when one is open.
    void TerminateShow();

    // ===== Storage (defined in print/print_settings_record.cpp) =====
    // The settings block: "PrnD" and the fields after it.
    QByteArray SaveSettings() const;
    // A block without the "PrnD" magic leaves the settings as they were; false then. A
    // truncated or hostile block is refused whole: false, nothing changed.
    bool LoadSettings(const QByteArray &Block);
    bool SaveToStream(QIODevice &Stream) const;
    bool LoadFromStream(QIODevice &Stream);
    // Replaces the file; false (and nothing written) when it cannot be.
    bool SaveToFile(const QString &FileName) const;
    // A missing file changes nothing (false).
    bool LoadFromFile(const QString &FileName);
    // The version of the enclosing grid stream, with which band texts are read (9 by default).
    void SetVersion(int Version);
    int GetVersion() const;

    // ===== Events =====
    TRecordCountEvent OnGetRecordCount;
    TPrintRecordEvent OnPrintRecord;
    TPrintPageEvent OnBeforePrintPage;
    TPrintPageEvent OnAfterPrintPage;
    TPrintCellEvent OnPrintCell;
    TPrintTextEvent OnPrintText;
    TDrawTextBandEvent OnDrawTextBand;
    TPrintUserControlEvent OnPrintUserControl;
    TPrintNotifyEvent OnPrintFinish;
    TPrintNotifyEvent OnPrintReport;

    // The private object, for the layers of the library and its tests.
    TQorPrintPrivate &Private() const { return *d; }

private:
    void changed();
    std::unique_ptr<TQorPrintPrivate> d;
};

// Several reports printed as one job, in order, without duplicates.
class QOR_EXPORT TQorCompositePrint : public QObject {
    Q_OBJECT

public:
    explicit TQorCompositePrint(QObject *parent = nullptr);
    ~TQorCompositePrint() override;
    // False when the report is none or already listed.
    bool AddReport(TQorPrint *Report);
    void RemoveReport(TQorPrint *Report);
    void ClearReport();
    int GetReportCount() const;
    // None when out of range.
    TQorPrint *GetPrint(int Index) const;
    int IndexOf(const TQorPrint *Report) const;

    QString GetDocumentName() const { return m_documentName; }
    void SetDocumentName(const QString &Value) { m_documentName = Value; }
    bool GetShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool Value) { m_showProgress = Value; }
    bool GetModalPreview() const { return m_modalPreview; }
    void SetModalPreview(bool Value) { m_modalPreview = Value; }
    bool GetDisablePrint() const { return m_disablePrint; }
    void SetDisablePrint(bool Value) { m_disablePrint = Value; }
    bool GetTerminated() const { return m_terminated; }
    // Also cancels the report being printed.
    void SetTerminated(bool Value);
    TQorPrint *GetCurrentReport() const { return m_current; }

    // ===== Jobs and pages (defined in print/print_job.cpp) =====
    // The sum of the reports' pages, each report set up first.
    int GetPageCount();
    // The report that owns job page PageNo, and the page within it; none beyond the last.
    TQorPrint *GetQorPrints(int PageNo, int *LocalPage = nullptr);
    // Job page PageNo drawn by its report with both scale factors at Zoom.
    void DrawPage(int PageNo, QPainter *Canvas, const QRect &Rect, double Zoom);
    // Reports of the same paper and orientation continue one document; others start a new one.
    bool PrintReport();
    QString LastError() const { return m_lastError; }

    // ===== Preview (defined in print/preview/) =====
    void ShowReport();
    QWidget *PreviewWindow() const;

private:
    bool printReports(bool fromProgress);
    std::vector<QPointer<TQorPrint>> m_reports;
    QString m_documentName;
    bool m_showProgress = true, m_modalPreview = true, m_disablePrint = false;
    bool m_terminated = false;
    QPointer<TQorPrint> m_current;
    QString m_lastError;
    QPointer<QWidget> m_preview;
};

// Replaces every page-text marker: "[PAGE#]", "[TOTALPAGES]", "[OWNERPAGE#]",
// "[OWNERTOTALPAGES]", in that order.
QOR_EXPORT QString ExpandPageMarkers(const QString &Text, int Page, int TotalPages, int OwnerPage, int OwnerTotalPages);

} // namespace qor
