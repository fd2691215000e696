#include "print/print_stream_hooks.h"

#include <mutex>
#include "core/grid_p.h"
#include "io/grid_stream.h"

namespace qor {

void InstallPrintStreamHooks()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GridStreamHooks hooks = GetGridStreamHooks();
        hooks.SavePrintSettings = [](const TCustomQorGrid &grid) {
            IPrintLink *link = GridPrivate::get(grid).seams.print;
            return link ? link->SaveSettings() : QByteArray();
        };
        // Without a print component the record is skipped.
        hooks.LoadPrintSettings = [](TCustomQorGrid &grid, ByteReader &record, int version) {
            if (IPrintLink *link = GridPrivate::get(grid).seams.print)
                link->LoadSettings(record.readBytes(record.remaining()), version);
        };
        SetGridStreamHooks(std::move(hooks));
    });
}

} // namespace qor
