#pragma once
// qorgrid print: a grid document printed to a PDF file, headless.
#include <QString>

namespace qor {
class TQorPrint;
}

namespace qor::app {

// Prints the report's pages to a PDF at File through the platform's PDF printer, replacing the
// current printer for the job. False with Error set when nothing was written.
bool PrintToPdf(TQorPrint &report, const QString &file, QString &error, int dpi = 600);
// qorgrid print FILE.qld -o out.pdf [--pages "1,3,5-12"] [--odd|--even] [--copies N]
// [--uncollated] [--zoom P]; args start after "print".
int RunPrint(int argc, char **argv);

} // namespace qor::app
