#pragma once
// Fitting an invoice grid onto the printer's page: margins from the page set-up, and rows and
// columns narrowed from the far end until the sheet fits.
#include <QMargins>
#include <QSize>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TQorPrint;

enum class PageFit { Fitted, NotAnInvoice, TooNarrow, TooShort };

// Page and margins in screen pixels. TooNarrow and TooShort change nothing.
QOR_AUTOTEST_EXPORT PageFit FitGridToPage(TCustomQorGrid &grid, const QSize &page, const QMargins &margins);
// The same with the page and margins of the print component's set-up.
QOR_AUTOTEST_EXPORT PageFit FitGridToPrinterPage(TCustomQorGrid &grid, TQorPrint &print);

// The page of the set-up in screen pixels, turned for landscape, and its margins.
QOR_AUTOTEST_EXPORT QSize PageSizeInPixels(const TQorPrint &print);
QOR_AUTOTEST_EXPORT QMargins PageMarginsInPixels(TQorPrint &print);

} // namespace qor
