// qorgrid-designer: the grid designer as a desktop program on .qld documents.
//
//   qorgrid-designer [FILE.qld] [--demo] [--screenshot FILE.png [--show format|preview|inspector]]
//
// Without a file it starts on a new document (--demo: on the demo invoice). --screenshot
// takes a picture of the screen once the window has settled and ends the program; --show
// first opens the cell format dialog or the print preview, or selects an inspector row.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "core/grid.h"
#include "demo_invoice.h"
#include "designer/designer_window.h"
#include "designer/property_inspector.h"
#include "platform/message_box.h"
#include "platform/runtime_dir.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: qorgrid-designer [FILE.qld] [--demo] [--screenshot FILE.png "
                         "[--show format|preview|inspector]]\n");
    return 2;
}

// The screen, cut to the window in front (the modal dialog when one is open).
bool saveScreen(const QString &file, QWidget *front)
{
    QScreen *screen = front->screen();
    QPixmap shot = screen->grabWindow(0);
    const QRect place = front->isWindow() ? front->frameGeometry() : QRect(front->mapToGlobal(QPoint(0, 0)), front->size());
    const QRect area = place & QRect(QPoint(0, 0), shot.size());
    if (area.isValid())
        shot = shot.copy(area);
    return !shot.isNull() && shot.save(file, "PNG");
}

} // namespace

int main(int argc, char **argv)
{
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qorgrid-designer"));
    QString file, screenshot, show;
    bool demo = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--screenshot") && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--show") && i + 1 < argc)
            show = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--demo"))
            demo = true;
        else if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return usage();
        else if (file.isEmpty() && !arg.startsWith(u'-'))
            file = arg;
        else
            return usage();
    }
    if (!show.isEmpty() && show != QLatin1String("format") && show != QLatin1String("preview") &&
        show != QLatin1String("inspector"))
        return usage();
    if (!screenshot.isEmpty()) {
        // Unattended: what a box would say goes to the error stream.
        qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &r) {
            std::fprintf(stderr, "qorgrid-designer: message: %s\n", qPrintable(r.text));
            return int(qor::platform::IDNO);
        });
    }

    qor::TfrmQorDesigner window(false);
    if (!file.isEmpty()) {
        if (QFileInfo::exists(file)) {
            if (!window.OpenFile(file))
                return 1;
        } else {
            window.SetFileName(qor::TfrmQorDesigner::WithDocumentExtension(file));   // a new document
        }
    } else if (demo) {
        qor::demo::BuildDemoInvoice(*window.DesignGrid());
        window.DesignGrid()->SetFocusCell(0, 0);
        window.Inspector()->Refresh();
    }
    if (screenshot.isEmpty()) {
        window.exec();
        return 0;
    }

    window.setGeometry(0, 0, 1200, 780);
    int status = 0;
    auto shoot = [&](QWidget *front) {
        if (!saveScreen(screenshot, front)) {
            std::fprintf(stderr, "qorgrid-designer: cannot write %s\n", qPrintable(screenshot));
            status = 1;
        } else {
            std::printf("qorgrid-designer: screenshot %s\n", qPrintable(screenshot));
        }
    };
    QTimer::singleShot(800, &window, [&] {
        if (show == QLatin1String("format") || show == QLatin1String("preview")) {
            // The dialog runs modally: the picture is taken from inside its loop.
            QTimer::singleShot(900, &window, [&] {
                QWidget *modal = QApplication::activeModalWidget();
                if (!modal || modal == &window) {
                    std::fprintf(stderr, "qorgrid-designer: the %s window did not open\n", qPrintable(show));
                    status = 1;
                } else {
                    shoot(modal);
                    modal->close();
                }
                QTimer::singleShot(0, &window, [&] { window.done(QDialog::Rejected); });
            });
            if (show == QLatin1String("format")) {
                window.DesignGrid()->SetFocusCell(qor::demo::FirstLineRow, 3);
                window.Action(qor::daCellFormat)->trigger();
            } else {
                window.Action(qor::daPreview)->trigger();
            }
            return;
        }
        if (show == QLatin1String("inspector")) {
            QTreeView *view = window.Inspector()->View();
            const QModelIndex at = view->model()->index(window.Inspector()->Model()->RowOf(QStringLiteral("GridType")), 1);
            view->setCurrentIndex(at);
            view->edit(at);
            QApplication::processEvents();
            shoot(window.Inspector());
        } else {
            shoot(&window);
        }
        window.done(QDialog::Rejected);
    });
    window.exec();
    return status;
}
