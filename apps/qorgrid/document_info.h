#pragma once
// The document jobs of the tool: what a .qld file holds, and the demo's save-and-read-back.
#include <QString>

namespace qor {
class TCustomQorGrid;
}

namespace qor::app {

// Prints what a grid document holds; 0, or 1 when the file cannot be read as one.
int PrintDocumentInfo(const QString &fileName);
// Saves grid as a document and reads it back into a fresh grid; 0 when the copy matches.
int SaveAndReadBack(TCustomQorGrid &grid, const QString &fileName);

} // namespace qor::app
