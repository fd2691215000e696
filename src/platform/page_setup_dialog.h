#pragma once
// The system's page set-up dialog and the printer's own properties dialog. Values travel in
// the units printer drivers use, so that callers need not know Qt's page classes; tests (and
// hosts without a display) answer the page set-up through a handler instead of a window.
#include <QMargins>
#include <functional>
#include "platform/printer.h"
#include "platform/qor_global.h"

class QWidget;

namespace qor::platform {

struct PageSetupValues {
    QMargins margins{1500, 1500, 1500, 1500};   // hundredths of a millimetre
    int paperCode = kPaperA4;
    int orientation = 1;                         // 1 portrait, 2 landscape
    int paperWidth = 2100;                       // tenths of a millimetre, portrait
    int paperLength = 2970;
    int paperSource = 0;
};

// Runs the dialog on the current printer, preset with values; true on OK with values holding
// the choice. A printer with a Qt device (a real one, the PDF target) takes the choice too.
QOR_EXPORT bool ExecPageSetupDialog(QWidget *parent, PageSetupValues &values);
// The handler edits the values and answers for the user (true for OK); an empty one restores
// the real dialog. Returns the previous handler.
using PageSetupHandler = std::function<bool(PageSetupValues &)>;
QOR_EXPORT PageSetupHandler SetPageSetupHandler(PageSetupHandler handler);

// A real printer device whose settings a properties dialog can change (not the PDF target,
// not a stand-in).
QOR_EXPORT bool HasPrinterProperties();
// The current printer's properties (paper, orientation, margins); true when the user chose OK
// and the printer took the settings.
QOR_EXPORT bool ExecPrinterProperties(QWidget *parent);

} // namespace qor::platform
