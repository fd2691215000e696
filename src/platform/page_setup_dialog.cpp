#include "platform/page_setup_dialog.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <cmath>
#include <utility>
#include "platform/modal.h"
#include "platform/printer_p.h"

namespace qor::platform {

namespace {

PageSetupHandler &handlerSlot()
{
    static PageSetupHandler handler;
    return handler;
}

void preset(QPrinter &printer, const PageSetupValues &v)
{
    const QSize userMM((v.paperWidth + 5) / 10, (v.paperLength + 5) / 10);
    const QPageSize size = PageSizeOf(v.paperCode, userMM);
    if (size.isValid())
        printer.setPageSize(size);
    printer.setPageOrientation(v.orientation == 1 ? QPageLayout::Portrait : QPageLayout::Landscape);
    // Full-page mode takes any margins; the driver's minimum is the printer's business.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(v.margins.left() / 100.0, v.margins.top() / 100.0, v.margins.right() / 100.0,
                                     v.margins.bottom() / 100.0),
                           QPageLayout::Millimeter);
}

void readBack(const QPrinter &printer, PageSetupValues &v)
{
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    v.margins = QMargins(int(std::lround(m.left() * 100)), int(std::lround(m.top() * 100)),
                         int(std::lround(m.right() * 100)), int(std::lround(m.bottom() * 100)));
    v.paperCode = PaperCodeOf(layout.pageSize());
    v.orientation = layout.orientation() == QPageLayout::Portrait ? 1 : 2;
    const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
    v.paperWidth = int(std::lround(mm.width() * 10));
    v.paperLength = int(std::lround(mm.height() * 10));
}

} // namespace

bool ExecPageSetupDialog(QWidget *parent, PageSetupValues &values)
{
    if (const PageSetupHandler &h = handlerSlot())
        return h(values);
    // A stand-in has no device to show: the dialog edits a PDF printer of the same set-up.
    QPrinter *device = CurrentPrinter().QtPrinter();
    std::unique_ptr<QPrinter> scratch;
    if (!device) {
        scratch = std::make_unique<QPrinter>(QPrinter::HighResolution);
        scratch->setOutputFormat(QPrinter::PdfFormat);
        device = scratch.get();
    }
    preset(*device, values);
    QPageSetupDialog dialog(device, parent);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return false;
    readBack(*device, values);
    return true;
}

PageSetupHandler SetPageSetupHandler(PageSetupHandler handler) { return std::exchange(handlerSlot(), std::move(handler)); }

bool HasPrinterProperties()
{
    Printer &p = CurrentPrinter();
    return p.QtPrinter() && !p.IsFileTarget() && !p.Printing();
}

bool ExecPrinterProperties(QWidget *parent)
{
    if (!HasPrinterProperties())
        return false;
    QPageSetupDialog dialog(CurrentPrinter().QtPrinter(), parent);
    return ExecDialog(dialog) == QDialog::Accepted;
}

} // namespace qor::platform
