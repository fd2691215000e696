#pragma once
// The export and import commands: grid documents to and from spreadsheet files.

namespace qor::app {

// qorgrid export FILE.qld -o out.xlsx [--title TEXT] [--sheet-name NAME] [--grid-lines]
int RunExport(int argc, char **argv);
// qorgrid import in.xlsx -o out.qld [--sheet N]
int RunImport(int argc, char **argv);

} // namespace qor::app
