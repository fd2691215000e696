#include "print/print_stream_hooks.h"

#include <mutex>
#include "core/grid_p.h"
#include "io/grid_stream.h"
#include "io/stream_version.h"

namespace qor {

void InstallPrintStreamHooks()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GridStreamHooks hooks = GetGridStreamHooks();
        hooks.SavePrintSettings = [](const TCustomQorGrid &grid) {
            const GridPrivate &d = GridPrivate::get(grid);
            return d.seams.print ? d.seams.print->SaveSettings() : d.extras.PrintSettings;
        };
        // Without a print component the record is kept as read, so that saving the document
        // again does not lose its page set-up.
        hooks.LoadPrintSettings = [](TCustomQorGrid &grid, ByteReader &record, int version) {
            GridPrivate &d = GridPrivate::get(grid);
            const QByteArray bytes = record.readBytes(record.remaining());
            if (IPrintLink *link = d.seams.print)
                link->LoadSettings(bytes, version);
            else if (version == CurrentStreamFormatVersion)
                d.extras.PrintSettings = bytes;
        };
        SetGridStreamHooks(std::move(hooks));
    });
}

} // namespace qor
