// A host that opens the print preview on a grid document (or on the demo invoice), the way an
// application's "print preview" command would, and can take a screenshot of it.
//
//   example_preview_window [FILE.qld] [--zoom 页宽|全页|200|150|100|50|10] [--page N] [--screenshot FILE.png]
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>

#include "core/grid.h"
#include "demo_invoice.h"
#include "platform/message_box.h"
#include "platform/runtime_dir.h"
#include "print/preview/page_paint.h"
#include "print/preview/preview_window.h"
#include "print/qor_print.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: example_preview_window [FILE.qld] [--zoom 页宽|全页|200|150|100|50|10] [--page N] "
                         "[--screenshot FILE.png]\n");
    return 2;
}

void settle(int ms = 0)
{
    QApplication::processEvents();
    if (ms > 0) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The zoom menu's item for a --zoom value; false for one the menu does not have.
bool zoomItem(const QString &text, qor::TfrmQorPreview::TZoomItem &item)
{
    using P = qor::TfrmQorPreview;
    static const struct {
        const char16_t *text;
        P::TZoomItem item;
    } items[] = {{u"200", P::zi200}, {u"150", P::zi150}, {u"100", P::zi100}, {u"50", P::zi50}, {u"10", P::zi10},
                 {u"页宽", P::ziPageWidth}, {u"全页", P::ziWholePage}};
    QString t = text;
    if (t.endsWith(u'%'))
        t.chop(1);
    for (const auto &i : items)
        if (t == QString::fromUtf16(i.text)) {
            item = i.item;
            return true;
        }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    QString file, screenshot;
    qor::TfrmQorPreview::TZoomItem zoom = qor::TfrmQorPreview::zi100;
    bool zoomGiven = false;
    int page = 1;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--zoom") && i + 1 < argc) {
            if (!zoomItem(QString::fromLocal8Bit(argv[++i]), zoom))
                return usage();
            zoomGiven = true;
        } else if (arg == QLatin1String("--page") && i + 1 < argc) {
            bool ok = false;
            page = QString::fromLocal8Bit(argv[++i]).toInt(&ok);
            if (!ok || page < 1)
                return usage();
        } else if (arg == QLatin1String("--screenshot") && i + 1 < argc) {
            screenshot = QString::fromLocal8Bit(argv[++i]);
        } else if (file.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            file = arg;
        } else {
            return usage();
        }
    }
    if (!screenshot.isEmpty()) {
        // Unattended: what a box would say goes to the error stream.
        qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &r) {
            std::fprintf(stderr, "preview_window: message: %s\n", qPrintable(r.text));
            return int(qor::platform::IDOK);
        });
    }

    qor::TQorGrid grid;
    qor::TQorPrint report;
    report.SetQorGrid(&grid);   // before loading: the document's page set-up lands in the report
    if (file.isEmpty()) {
        qor::demo::BuildDemoInvoice(grid);
        report.SetDocumentName(QStringLiteral("销售发票"));
    } else if (!QFileInfo::exists(file) || !grid.LoadFromFile(file)) {
        std::fprintf(stderr, "preview_window: not a readable grid document: %s\n", qPrintable(file));
        return 1;
    } else {
        report.SetDocumentName(QFileInfo(file).completeBaseName());
    }

    if (screenshot.isEmpty() && !zoomGiven && page == 1) {
        report.SetModalPreview(true);
        report.ShowReport();   // returns when the window is closed
        return 0;
    }
    report.SetModalPreview(false);
    report.ShowReport();
    auto *window = qobject_cast<qor::TfrmQorPreview *>(report.PreviewWindow());
    if (!window)
        return 1;
    settle(200);   // maximised: the fitted zooms need the final size
    window->SetZoomItem(zoom);
    if (page > window->GetPageCount()) {
        std::fprintf(stderr, "preview_window: the document has %d page(s), not %d\n", window->GetPageCount(), page);
        return 1;
    }
    window->SetPageNo(page);
    if (screenshot.isEmpty())
        return app.exec();

    settle(300);   // the X server shows what was painted
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    if (shot.isNull() || !shot.save(screenshot, "PNG")) {
        std::fprintf(stderr, "preview_window: cannot write %s\n", qPrintable(screenshot));
        return 1;
    }
    const QRect pageRect = window->PagePaint()->PageRect();
    std::printf("preview %d x %d on %s: %s, zoom %.0f%%, page rectangle %d,%d %dx%d in %dx%d, scroll ranges %d, %d, "
                "screenshot %s\n",
                shot.width(), shot.height(), qPrintable(QGuiApplication::platformName()),
                qPrintable(window->PageLabelText()), window->Zoom() * 100, pageRect.x(), pageRect.y(), pageRect.width(),
                pageRect.height(), window->PagePaint()->width(), window->PagePaint()->height(),
                window->HorzScrollBar()->maximum(), window->VertScrollBar()->maximum(), qPrintable(screenshot));
    window->close();
    return 0;
}
