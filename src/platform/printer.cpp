#include "platform/printer.h"
#include "platform/printer_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace qor::platform {

namespace {

struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};
constexpr PaperCode kPapers[] = {
    {kPaperLetter, QPageSize::Letter}, {kPaperLegal, QPageSize::Legal}, {kPaperA3, QPageSize::A3},
    {kPaperA4, QPageSize::A4},         {kPaperA5, QPageSize::A5},       {kPaperB5, QPageSize::B5},
};

QSize sizeMM(QPageSize::PageSizeId id)
{
    const QSizeF mm = QPageSize(id).size(QPageSize::Millimeter);
    return QSize(int(mm.width()), int(mm.height()));
}

int pixels(double mm, int dpi) { return int(std::lround(mm * dpi / 25.4)); }

class QtPrinterAdapter final : public Printer {
public:
    // Device coordinates start at the sheet's corner, as the printable offsets assume.
    explicit QtPrinterAdapter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
    {
        m_printer->setFullPage(true);
    }
    QString Name() const override
    {
        return m_printer->outputFormat() == QPrinter::PdfFormat ? QStringLiteral("PDF file") : m_printer->printerName();
    }
    int DpiX() const override { return m_printer->resolution(); }
    int DpiY() const override { return m_printer->resolution(); }
    QSize PhysicalSize() const override { return m_printer->pageLayout().fullRectPixels(m_printer->resolution()).size(); }
    QPoint PrintableOffset() const override
    {
        const QPageLayout layout = m_printer->pageLayout();
        const int dpi = m_printer->resolution();
        return layout.paintRectPixels(dpi).topLeft() - layout.fullRectPixels(dpi).topLeft();
    }
    int PaperCode() const override { return PaperCodeOf(m_printer->pageLayout().pageSize()); }
    QSize PaperMM() const override
    {
        const QSizeF mm = m_printer->pageLayout().pageSize().size(QPageSize::Millimeter);
        return QSize(int(mm.width()), int(mm.height()));
    }
    bool Landscape() const override { return m_printer->pageLayout().orientation() == QPageLayout::Landscape; }
    void Apply(const PageSetup &s) override
    {
        if (Printing())
            return;
        const QPageSize size = PageSizeOf(s.paperCode, s.userSizeMM);
        if (size.isValid())
            m_printer->setPageSize(size);
        m_printer->setPageOrientation(s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    bool Printing() const override { return m_painter.isActive(); }
    QPrinter *QtPrinter() override { return m_printer.get(); }

    bool IsFileTarget() const override { return m_printer->outputFormat() == QPrinter::PdfFormat; }
    void SetOutputFile(const QString &file) override { m_file = file; }
    QString OutputFile() const override { return m_file; }

    bool BeginDoc(const QString &title) override
    {
        m_error.clear();
        if (m_painter.isActive()) {
            m_error = QStringLiteral("a document is already open");
            return false;
        }
        if (IsFileTarget()) {
            if (m_file.isEmpty()) {
                m_error = QStringLiteral("no output file is set for the PDF printer");
                return false;
            }
            // The pages go to a file beside the target, which replaces it only when whole.
            m_part = m_file + QStringLiteral(".part");
            QFile probe(m_part);
            if (!probe.open(QIODevice::WriteOnly)) {
                m_error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(m_file), probe.errorString());
                return false;
            }
            probe.close();
            m_printer->setOutputFileName(m_part);
        }
        m_printer->setDocName(title);
        if (!m_painter.begin(m_printer.get())) {
            m_error = IsFileTarget() ? QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(m_file))
                                     : QStringLiteral("the printer %1 refused the document").arg(Name());
            dropPart();
            return false;
        }
        return true;
    }
    bool NewPage() override { return m_painter.isActive() && m_printer->newPage(); }
    bool EndDoc() override
    {
        if (!m_painter.isActive())
            return false;
        const bool ok = m_painter.end();
        if (!IsFileTarget())
            return ok;
        if (!ok) {
            m_error = QStringLiteral("cannot write %1").arg(QDir::toNativeSeparators(m_file));
            dropPart();
            return false;
        }
        QFile::remove(m_file);
        if (!QFile::rename(m_part, m_file)) {
            m_error = QStringLiteral("cannot replace %1").arg(QDir::toNativeSeparators(m_file));
            dropPart();
            return false;
        }
        m_part.clear();
        return true;
    }
    void Abort() override
    {
        if (!m_painter.isActive())
            return;
        if (IsFileTarget()) {
            m_painter.end();
            dropPart();
        } else {
            m_printer->abort();
            m_painter.end();
        }
    }
    QPainter *Canvas() override { return m_painter.isActive() ? &m_painter : nullptr; }

private:
    void dropPart()
    {
        if (!m_part.isEmpty())
            QFile::remove(m_part);
        m_part.clear();
    }

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QString m_file, m_part;
};

std::unique_ptr<Printer> &current()
{
    static std::unique_ptr<Printer> printer;
    return printer;
}

} // namespace

Printer::~Printer() = default;

// ---------------------------------------------------------------------------------------------

StandInPrinter::StandInPrinter(bool installed, int dpi, QPoint offset)
    : m_installed(installed), m_dpi(dpi), m_offset(offset)
{
}

StandInPrinter::~StandInPrinter() { Abort(); }

QString StandInPrinter::Name() const { return m_installed ? QStringLiteral("Stand-in printer") : QString(); }

QSize StandInPrinter::PhysicalSize() const
{
    if (!m_installed)
        return QSize(793, 1122);
    const QSize p(pixels(m_paper.width(), m_dpi), pixels(m_paper.height(), m_dpi));
    return m_landscape ? p.transposed() : p;
}

void StandInPrinter::Apply(const PageSetup &s)
{
    if (!m_installed || m_open)
        return;
    const QSize known = s.paperCode == kPaperUser ? s.userSizeMM : PaperSizeMM(s.paperCode);
    // A user size from a document is believed up to ten metres a side.
    if (!known.isEmpty() && known.width() <= 10000 && known.height() <= 10000) {
        m_code = s.paperCode;
        m_paper = known;
    }
    m_landscape = s.landscape;
    if (s.paperSource < 65535)
        m_source = s.paperSource;
}

bool StandInPrinter::BeginDoc(const QString &title)
{
    m_error.clear();
    if (!m_installed || m_open || !m_refuse.isEmpty()) {
        m_error = !m_refuse.isEmpty() ? m_refuse : QStringLiteral("no printer");
        m_refuse.clear();
        return false;
    }
    m_journal << QStringLiteral("begin %1").arg(title);
    m_open = true;
    startSheet();
    return true;
}

bool StandInPrinter::NewPage()
{
    if (!m_open)
        return false;
    finishSheet();
    m_journal << QStringLiteral("page");
    startSheet();
    return true;
}

bool StandInPrinter::EndDoc()
{
    if (!m_open)
        return false;
    finishSheet();
    m_open = false;
    m_journal << QStringLiteral("end");
    return true;
}

void StandInPrinter::Abort()
{
    if (!m_open)
        return;
    m_painter.reset();
    m_open = false;
    m_journal << QStringLiteral("abort");
}

QPainter *StandInPrinter::Canvas() { return m_open ? m_painter.get() : nullptr; }

// Without KeepPages a sheet is one pixel: everything is drawn, and clipped away.
void StandInPrinter::startSheet()
{
    m_sheet = QImage(m_keep ? PhysicalSize() : QSize(1, 1), QImage::Format_RGB32);
    m_sheet.setDotsPerMeterX(int(std::lround(m_dpi / 0.0254)));
    m_sheet.setDotsPerMeterY(int(std::lround(m_dpi / 0.0254)));
    m_sheet.fill(Qt::white);
    m_painter = std::make_unique<QPainter>(&m_sheet);
}

void StandInPrinter::finishSheet()
{
    m_painter.reset();
    if (m_keep)
        m_pages.push_back(m_sheet);
    m_sheet = QImage();
}

int PaperCodeOf(const QPageSize &size)
{
    for (const auto &p : kPapers)
        if (p.id == size.id())
            return p.code;
    return kPaperUser;
}

QPageSize PageSizeOf(int code, QSize userSizeMM)
{
    if (code == kPaperUser) {
        if (!userSizeMM.isEmpty() && userSizeMM.width() <= 10000 && userSizeMM.height() <= 10000)
            return QPageSize(QSizeF(userSizeMM), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        return QPageSize();
    }
    for (const auto &p : kPapers)
        if (p.code == code)
            return QPageSize(p.id);
    return QPageSize();
}

QSize PaperSizeMM(int code)
{
    for (const auto &p : kPapers)
        if (p.code == code)
            return sizeMM(p.id);
    return QSize();
}

std::unique_ptr<StandInPrinter> MakeStandInPrinter(int dpi, QPoint offset)
{
    return std::make_unique<StandInPrinter>(true, dpi, offset);
}

std::unique_ptr<Printer> MakeNoPrinter() { return std::make_unique<StandInPrinter>(false, 96, QPoint()); }

StandInPrinter *CurrentStandIn() { return dynamic_cast<StandInPrinter *>(current().get()); }

std::unique_ptr<Printer> MakePdfPrinter(int dpi, const QString &file)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dpi);
    printer->setFullPage(true);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    auto adapter = std::make_unique<QtPrinterAdapter>(std::move(printer));
    adapter->SetOutputFile(file);
    return adapter;
}

QStringList InstalledPrinters() { return QPrinterInfo::availablePrinterNames(); }

bool SelectPrinter(const QString &name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    current() = std::make_unique<QtPrinterAdapter>(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    return true;
}

Printer &CurrentPrinter()
{
    std::unique_ptr<Printer> &p = current();
    if (!p) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull())
            p = std::make_unique<QtPrinterAdapter>(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
        else
            p = MakePdfPrinter(1200);
    }
    return *p;
}

void SetCurrentPrinter(std::unique_ptr<Printer> printer) { current() = std::move(printer); }

std::unique_ptr<Printer> TakeCurrentPrinter()
{
    CurrentPrinter();
    return std::move(current());
}
void ResetCurrentPrinter() { current().reset(); }

} // namespace qor::platform
