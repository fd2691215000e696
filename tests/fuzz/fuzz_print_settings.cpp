// Hostile print settings blocks: every input is refused (the settings unchanged) or read into
// settings that save into a block that reads back the same, and that paginate a small grid
// to pages or to a clear EPrintError, on the stand-in printer; the first page then draws. The
// same bytes, as text, are a page-range text: a selection or a clear EPrintError.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/grid.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "print/page_range.h"
#include "print/qor_print.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    qor::platform::SetScreenDpiOverride(96);
    qor::platform::SetCurrentPrinter(qor::platform::MakeStandInPrinter());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const std::vector<bool> range = qor::ParsePageRange(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)), 50);
        if (range.size() != 51 || range[0])
            std::abort();
    } catch (const qor::EPrintError &) {
    }
    const QByteArray bytes = QByteArray("PrnD") + QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
    qor::TQorGrid grid;
    grid.SetRows(40);
    grid.SetCols(6);
    qor::TQorPrint print;
    print.SetQorGrid(&grid);
    const QByteArray before = print.SaveSettings();
    print.SetVersion(size % 2 ? 14 : 8);
    if (!print.LoadSettings(bytes)) {
        if (print.SaveSettings() != before)
            std::abort();
        return 0;
    }
    const QByteArray saved = print.SaveSettings();
    qor::TQorPrint again;
    again.SetVersion(14);
    if (!again.LoadSettings(saved) || again.SaveSettings() != saved)
        std::abort();
    try {
        const int pages = print.GetPageCount();
        if (pages < 0 || size_t(pages) > print.Pages().size() + 1)
            std::abort();
        // A small picture of the first page: bands, fonts and repeats from the block.
        QImage page(150, 212, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter canvas(&page);
        print.SetScale(0.2, 0.2);
        print.DrawPage(1, &canvas, QRect(10, 10, 130, 190));
    } catch (const qor::EPrintError &) {
        // A page set-up that does not fit, said so.
    }
    return 0;
}
