// Placeholder until the preview window lands.
#include "print/qor_print.h"
#include "print/qor_print_p.h"

namespace qor {
void TQorPrint::ShowReport() {}
QWidget *TQorPrint::PreviewWindow() const { return d->preview; }
void TQorPrint::TerminateShow() {}
void TQorCompositePrint::ShowReport() {}
QWidget *TQorCompositePrint::PreviewWindow() const { return m_preview; }
} // namespace qor
