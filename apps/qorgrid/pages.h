#pragma once
// qorgrid pages: how a grid document is cut into printed pages, without printing.
namespace qor::app {

// qorgrid pages FILE.qld [--paper A4] [--landscape]; args start after "pages".
int RunPages(int argc, char **argv);

} // namespace qor::app
