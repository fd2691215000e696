#include "platform/printer.h"

#include <QPageLayout>
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

// A printer of fixed numbers: the stand-in and the no-printer values.
class FixedPrinter final : public Printer {
public:
    FixedPrinter(bool installed, int dpi, QPoint offset) : m_installed(installed), m_dpi(dpi), m_offset(offset) {}
    bool Installed() const override { return m_installed; }
    QString Name() const override { return m_installed ? QStringLiteral("Stand-in printer") : QString(); }
    int DpiX() const override { return m_dpi; }
    int DpiY() const override { return m_dpi; }
    QSize PhysicalSize() const override
    {
        if (!m_installed)
            return QSize(793, 1122);
        const QSize p(pixels(m_paper.width(), m_dpi), pixels(m_paper.height(), m_dpi));
        return m_landscape ? p.transposed() : p;
    }
    QPoint PrintableOffset() const override { return m_installed ? m_offset : QPoint(); }
    int PaperCode() const override { return m_code; }
    QSize PaperMM() const override { return m_paper; }
    bool Landscape() const override { return m_landscape; }
    int PaperSource() const override { return m_source; }
    void Apply(const PageSetup &s) override
    {
        if (!m_installed)
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

private:
    bool m_installed;
    int m_dpi;
    QPoint m_offset;
    int m_code = kPaperA4;
    QSize m_paper{210, 297};
    bool m_landscape = false;
    int m_source = 0;
};

class QtPrinterAdapter final : public Printer {
public:
    explicit QtPrinterAdapter(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}
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
    int PaperCode() const override
    {
        const QPageSize::PageSizeId id = m_printer->pageLayout().pageSize().id();
        for (const auto &p : kPapers)
            if (p.id == id)
                return p.code;
        return kPaperUser;
    }
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
        QPageSize size;
        if (s.paperCode == kPaperUser) {
            if (!s.userSizeMM.isEmpty() && s.userSizeMM.width() <= 10000 && s.userSizeMM.height() <= 10000)
                size = QPageSize(QSizeF(s.userSizeMM), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        } else {
            for (const auto &p : kPapers)
                if (p.code == s.paperCode)
                    size = QPageSize(p.id);
        }
        if (size.isValid())
            m_printer->setPageSize(size);
        m_printer->setPageOrientation(s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    bool Printing() const override { return m_printer->printerState() == QPrinter::Active; }
    QPrinter *QtPrinter() override { return m_printer.get(); }

private:
    std::unique_ptr<QPrinter> m_printer;
};

std::unique_ptr<Printer> &current()
{
    static std::unique_ptr<Printer> printer;
    return printer;
}

} // namespace

Printer::~Printer() = default;

QSize PaperSizeMM(int code)
{
    for (const auto &p : kPapers)
        if (p.code == code)
            return sizeMM(p.id);
    return QSize();
}

std::unique_ptr<Printer> MakeStandInPrinter(int dpi, QPoint offset)
{
    return std::make_unique<FixedPrinter>(true, dpi, offset);
}

std::unique_ptr<Printer> MakeNoPrinter() { return std::make_unique<FixedPrinter>(false, 96, QPoint()); }

std::unique_ptr<Printer> MakePdfPrinter(int dpi)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(dpi);
    printer->setFullPage(true);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return std::make_unique<QtPrinterAdapter>(std::move(printer));
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
void ResetCurrentPrinter() { current().reset(); }

} // namespace qor::platform
