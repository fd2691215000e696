#include "render.h"

#include <QFileInfo>
#include <QPainter>
#include <QString>
#include <cstdio>
#include "core/grid.h"
#include "platform/message_box.h"

namespace qor::app {

QImage RenderGrid(TCustomQorGrid &grid, QSize size, QPoint scroll)
{
    // The viewport must be exactly the picture: no frame, and bars that are always there so
    // that the room they take is known (they can scroll, unlike bars switched off).
    grid.setFrameShape(QFrame::NoFrame);
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid.setAttribute(Qt::WA_DontShowOnScreen);
    grid.resize(size);
    grid.show();
    grid.resize(size + (size - grid.viewport()->size()));
    grid.UpdateScrollRange();
    grid.SetPosition(scroll.x(), scroll.y());
    grid.CalViewRegion();
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter canvas(&image);
    grid.Paint(&canvas);
    // Charts, documents and controls anchored to cells float above them as child widgets.
    for (QObject *child : grid.viewport()->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && w->isVisible())
            w->render(&canvas, w->pos(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    canvas.end();
    return image;
}

namespace {

bool parsePair(const char *text, char sep, int &a, int &b)
{
    const QStringList parts = QString::fromLocal8Bit(text).split(QLatin1Char(sep));
    bool ok1 = false, ok2 = false;
    if (parts.size() == 2) {
        a = parts[0].toInt(&ok1);
        b = parts[1].toInt(&ok2);
    }
    return ok1 && ok2;
}

int fail(const char *message, const QString &detail = QString())
{
    std::fprintf(stderr, "qorgrid render: %s%s\n", message, qPrintable(detail));
    return 2;
}

} // namespace

int RunRender(int argc, char **argv)
{
    QString input, output;
    int w = 1280, h = 800, x = 0, y = 0;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("-o") && hasValue) {
            output = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--size") && hasValue) {
            if (!parsePair(argv[++i], 'x', w, h) || w <= 0 || h <= 0 || w > 16384 || h > 16384)
                return fail("--size wants WxH, each 1..16384, not ", QString::fromLocal8Bit(argv[i]));
        } else if (arg == QLatin1String("--scroll") && hasValue) {
            if (!parsePair(argv[++i], ',', x, y) || x < 0 || y < 0)
                return fail("--scroll wants X,Y in pixels, not ", QString::fromLocal8Bit(argv[i]));
        } else if (input.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            input = arg;
        } else {
            return fail("unexpected argument ", arg);
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return fail("usage: qorgrid render FILE.qld -o out.png [--size WxH] [--scroll X,Y]");
    if (!QFileInfo::exists(input))
        return fail("no such file: ", input);
    // No one is there to answer a dialog: what it would say goes to the error stream.
    platform::SetMessageBoxHandler([](const platform::MessageBoxRequest &r) {
        std::fprintf(stderr, "qorgrid render: %s\n", qPrintable(r.text));
        return r.buttons() == platform::MB_OK ? int(platform::IDOK) : int(platform::IDCANCEL);
    });
    TQorGrid grid;
    if (!grid.LoadFromFile(input))
        return fail("not a readable grid document: ", input);
    const QImage image = RenderGrid(grid, QSize(w, h), QPoint(x, y));
    if (!image.save(output, "PNG"))
        return fail("cannot write ", output);
    std::printf("rendered %s (%d x %d, scrolled to %d,%d) to %s\n", qPrintable(input), image.width(), image.height(),
                grid.GetHorzPosition(), grid.GetVertPosition(), qPrintable(output));
    return 0;
}

} // namespace qor::app
