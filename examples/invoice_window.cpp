// A host window with one grid: opens a grid document (or builds the demo invoice), types into
// its cells with real key events, and can take a screenshot of what the screen shows.
//
//   example_invoice_window [FILE.qld] [--type STEPS]... [--screenshot FILE.png]
//
// STEPS is read left to right: "@D7" makes D7 the current cell, "{Enter}" (also Tab, Backtab,
// Up, Down, Left, Right, Insert, Delete, Esc, F2, Home, End, PageUp, PageDown, Backspace) presses a key,
// and any other character is typed as a key press carrying that character ("{{" types "{").
// Keys go to the focused widget: the grid, or the in-place editor once typing has opened it.
#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "core/grid.h"
#include "demo_invoice.h"
#include "platform/message_box.h"
#include "platform/runtime_dir.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: example_invoice_window [FILE.qld] [--type STEPS]... [--screenshot FILE.png]\n"
                         "  STEPS: @D7 moves to a cell, {Enter} {Tab} {Down} ... press keys, other characters are typed\n");
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

// The widget a user's key would reach: the window's focus widget even when no window manager
// has made the window active.
QWidget *keyTarget(QWidget &window)
{
    if (QWidget *w = QApplication::focusWidget())
        return w;
    return window.focusWidget() ? window.focusWidget() : &window;
}

void sendKey(QWidget &window, int key, const QString &text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(keyTarget(window), &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(keyTarget(window), &release);
    settle();
}

void typeChar(QWidget &window, QChar ch)
{
    // Printable ASCII shares its codes with Qt's keys (letters as capitals).
    const int key = ch.unicode() >= 0x20 && ch.unicode() < 0x7f ? ch.toUpper().unicode() : int(Qt::Key_unknown);
    sendKey(window, key, QString(ch));
}

int keyNamed(const QString &name)
{
    static const struct {
        const char *name;
        Qt::Key key;
    } keys[] = {{"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab},         {"Backtab", Qt::Key_Backtab},
                {"Up", Qt::Key_Up},        {"Down", Qt::Key_Down},       {"Left", Qt::Key_Left},
                {"Right", Qt::Key_Right},  {"Insert", Qt::Key_Insert},   {"Delete", Qt::Key_Delete},
                {"Esc", Qt::Key_Escape},   {"F2", Qt::Key_F2},           {"Home", Qt::Key_Home},
                {"End", Qt::Key_End},      {"PageUp", Qt::Key_PageUp},   {"PageDown", Qt::Key_PageDown},
                {"Backspace", Qt::Key_Backspace}};
    for (const auto &k : keys)
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.key;
    return 0;
}

// "D7" as a row and column; false when it is not a cell reference.
bool parseCell(const QString &ref, int &row, int &col)
{
    int i = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 0x80)
        ++i;
    bool ok = false;
    row = ref.mid(i).toInt(&ok) - 1;
    col = i > 0 ? qor::TCustomQorGrid::TextToCol(ref.left(i).toUpper()) : -1;
    return ok && i > 0 && row >= 0 && col >= 0;
}

// Runs one STEPS text; a message on stderr and false for a step it cannot take.
bool runSteps(QWidget &window, qor::TQorGrid &grid, const QString &steps)
{
    for (int i = 0; i < steps.size();) {
        const QChar ch = steps[i];
        if (ch == u'{' && steps.mid(i, 2) != QLatin1String("{{")) {
            const int close = steps.indexOf(u'}', i);
            const int key = close > i ? keyNamed(steps.mid(i + 1, close - i - 1)) : 0;
            if (!key) {
                std::fprintf(stderr, "invoice_window: unknown key in \"%s\"\n", qPrintable(steps.mid(i)));
                return false;
            }
            sendKey(window, key);
            i = close + 1;
        } else if (ch == u'@') {
            int end = i + 1;
            while (end < steps.size() && steps[end].isLetterOrNumber() && steps[end].unicode() < 0x80)
                ++end;
            int row, col;
            if (!parseCell(steps.mid(i + 1, end - i - 1), row, col) || !grid.SetFocusCell(row, col)) {
                std::fprintf(stderr, "invoice_window: cannot move to \"%s\"\n", qPrintable(steps.mid(i, end - i)));
                return false;
            }
            settle();
            i = end;
        } else {
            typeChar(window, ch);
            i += ch == u'{' ? 2 : 1;
        }
    }
    return true;
}

QString cellName(int row, int col) { return qor::TCustomQorGrid::ColToText(col) + QString::number(row + 1); }

} // namespace

int main(int argc, char **argv)
{
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    QString file, screenshot;
    QStringList steps;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--type") && i + 1 < argc)
            steps << QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--screenshot") && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
        else if (file.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            file = arg;
        else
            return usage();
    }
    if (!screenshot.isEmpty()) {
        // Unattended: what a dialog would ask goes to the error stream, answered with its default.
        qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &r) {
            std::fprintf(stderr, "invoice_window: message: %s\n", qPrintable(r.text));
            const int buttons = r.buttons();
            return buttons == qor::platform::MB_OK || buttons == qor::platform::MB_OKCANCEL ? int(qor::platform::IDOK)
                                                                                           : int(qor::platform::IDYES);
        });
    }

    QMainWindow window;
    auto *grid = new qor::TQorGrid;
    if (file.isEmpty()) {
        qor::demo::BuildDemoInvoice(*grid);
    } else if (!QFileInfo::exists(file) || !grid->LoadFromFile(file)) {
        std::fprintf(stderr, "invoice_window: not a readable grid document: %s\n", qPrintable(file));
        delete grid;
        return 1;
    }
    window.setCentralWidget(grid);
    window.setWindowTitle(file.isEmpty() ? QStringLiteral("Demo invoice") : QFileInfo(file).fileName());
    auto *where = new QLabel;
    window.statusBar()->addWidget(where, 1);
    auto showCurrent = [grid, where](QObject *, int row, int col) {
        where->setText(QStringLiteral("%1  %2").arg(cellName(row, col), grid->GetCellText(row, col)));
    };
    grid->OnAfterEnterCell = showCurrent;
    grid->OnAfterEdit = showCurrent;

    // Sized to fit the sheet, with room for a few more rows, within the screen.
    window.show();
    settle();
    const QSize chrome = window.size() - grid->viewport()->size();
    const QSize screen = window.screen()->availableSize();
    window.resize((grid->GetExtent() + QSize(0, 2 * grid->GetDefaultRowHeight()) + chrome).boundedTo(screen));
    settle();
    // The sheet's margins count too: grow until nothing is left to scroll to.
    for (int pass = 0; pass < 3 && (grid->GetHorzRange() > 0 || grid->GetVertRange() > 0); ++pass) {
        window.resize((window.size() + QSize(grid->GetHorzRange(), grid->GetVertRange())).boundedTo(screen));
        settle();
    }
    grid->setFocus();
    window.activateWindow();
    settle(100);

    for (const QString &s : steps)
        if (!runSteps(window, *grid, s))
            return 1;
    if (grid->GetRow() >= 0)
        showCurrent(grid, grid->GetRow(), grid->GetCol());

    if (screenshot.isEmpty())
        return app.exec();
    settle(300);   // the X server shows what was painted
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    if (shot.isNull() || !shot.save(screenshot, "PNG")) {
        std::fprintf(stderr, "invoice_window: cannot write %s\n", qPrintable(screenshot));
        return 1;
    }
    std::printf("window %d x %d on %s, current cell %s, screenshot %s\n", shot.width(), shot.height(),
                qPrintable(QGuiApplication::platformName()), qPrintable(cellName(grid->GetRow(), grid->GetCol())),
                qPrintable(screenshot));
    for (int r = 0; r < grid->GetRows(); ++r) {
        QStringList shown;
        for (int c = 0; c < grid->GetCols(); ++c)
            shown << grid->CellDisplayText(r, c);
        std::printf("  %2d | %s\n", r + 1, qPrintable(shown.join(QStringLiteral(" | "))));
    }
    return 0;
}
