// Objects anchored to cells: following the cell through scrolling, zoom and size changes,
// dragging and re-anchoring, names, hosts that destroy their controls, charts that follow
// their cells, rows deleted under an anchor, the stream records (hostile ones too), and
// charts and controls on printed pages.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>
#include "core/grid.h"
#include "io/grid_stream.h"
#include "message_recorder.h"
#include "objects/ole_container.h"
#include "objects/qor_chart.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "print/print_units.h"
#include "print/qor_print.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

// A grid on the offscreen screen, laid out as a window shows it.
struct Sheet {
    TQorGrid grid;
    explicit Sheet(int rows = 100, int cols = 8)
    {
        grid.SetRows(rows);
        grid.SetCols(cols);
        grid.resize(800, 600);
        grid.setAttribute(Qt::WA_DontShowOnScreen);
        grid.show();
        grid.UpdateScrollRange();
    }
    QPoint corner(int row, int col) const { return grid.CellRect(row, col).topLeft(); }
};

class Swatch : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), QColor(255, 0, 255)); }
};

void drag(QWidget *w, QPoint from, QPoint toGlobal)
{
    const QPoint global = w->mapToGlobal(from);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(from), QPointF(global), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    const QPointF local = QPointF(w->mapFromGlobal(toGlobal));
    QMouseEvent move(QEvent::MouseMove, local, QPointF(toGlobal), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, local, QPointF(toGlobal), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

TEST(AnchoredObjects, AChartKeepsToItsCellCorner)
{
    Sheet s;
    TQorChart *chart = s.grid.InsertChart(QStringLiteral("月度"), 2, 3);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->parentWidget(), s.grid.viewport());
    EXPECT_EQ(chart->pos(), s.corner(2, 3));
    EXPECT_TRUE(chart->isVisible());

    s.grid.SetPosition(0, 2 * s.grid.GetDefaultRowHeight());   // two rows down
    EXPECT_EQ(chart->pos(), s.corner(2, 3));
    EXPECT_LT(chart->pos().y(), s.grid.CellRect(4, 3).top());
    s.grid.SetZoom(150);
    EXPECT_EQ(chart->pos(), s.corner(2, 3));
    const int x = chart->pos().x();
    s.grid.SetColWidth(1, s.grid.GetColWidth(1) + 40);
    EXPECT_EQ(chart->pos().x(), x + 40);
    EXPECT_EQ(chart->pos(), s.corner(2, 3));

    // Far out of view it is hidden, and shown again when its cell comes back.
    s.grid.SetPosition(0, 60 * s.grid.GetDefaultRowHeight());
    EXPECT_FALSE(chart->isVisible());
    s.grid.SetPosition(0, 0);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->pos(), s.corner(2, 3));
}

TEST(AnchoredObjects, DraggingReanchorsUnlessFixed)
{
    Sheet s;
    QPushButton button(QStringLiteral("查看明细"));
    button.resize(90, 26);
    s.grid.InsertUserControl(&button, 1, 1);
    ASSERT_EQ(s.grid.GetUserControlCount(), 1);
    EXPECT_EQ(button.parentWidget(), s.grid.viewport());
    EXPECT_EQ(button.pos(), s.corner(1, 1));

    // The band along the top moves the control; it lands a few pixels into cell (5, 1).
    const QPoint target = s.grid.viewport()->mapToGlobal(s.corner(5, 1) + QPoint(6, 4));
    drag(&button, QPoint(20, 2), target + QPoint(20, 2));
    int row = -1, col = -1;
    QPoint offset;
    ASSERT_TRUE(s.grid.GetObjectAnchor(&button, row, col, offset));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(col, 1);
    EXPECT_EQ(offset, QPoint(6, 4));
    s.grid.SetPosition(0, s.grid.GetDefaultRowHeight());
    EXPECT_EQ(button.pos(), s.corner(5, 1) + QPoint(6, 4));

    // A press inside the control is the control's own (a click).
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    drag(&button, QPoint(45, 13), button.mapToGlobal(QPoint(45, 13)));
    EXPECT_EQ(clicks, 1);

    s.grid.FixUserControl(&button, true);
    const QPoint before = button.pos();
    drag(&button, QPoint(20, 2), button.mapToGlobal(QPoint(20, 2)) + QPoint(0, 200));
    EXPECT_EQ(button.pos(), before);
    ASSERT_TRUE(s.grid.GetObjectAnchor(&button, row, col, offset));
    EXPECT_EQ(row, 5);

    // The right edge sizes it, the anchor stays.
    s.grid.FixUserControl(0, false);
    drag(&button, QPoint(88, 13), button.mapToGlobal(QPoint(88, 13)) + QPoint(30, 0));
    EXPECT_EQ(button.width(), 120);
    EXPECT_EQ(button.pos(), before);
}

TEST(AnchoredObjects, NamesAreUniqueUnderTheOwners)
{
    QWidget form;
    QPushButton other(&form);
    other.setObjectName(QStringLiteral("btnOk"));
    TQorGrid grid(&form);
    grid.SetRows(10);
    grid.SetCols(5);
    MessageRecorder boxes;
    ASSERT_NE(grid.InsertChart(QStringLiteral("Chart1"), 1, 1), nullptr);
    EXPECT_EQ(grid.InsertChart(QStringLiteral("chart1"), 2, 2), nullptr);
    EXPECT_EQ(grid.InsertOleObject(3, 3, QStringLiteral("btnOk")), nullptr);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.boxes()[0].text, QStringLiteral("名为 chart1 的组件已经存在"));
    EXPECT_EQ(boxes.boxes()[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(grid.GetQorChartCount(), 1);
    EXPECT_EQ(grid.GetOleObjectCount(), 0);
    EXPECT_EQ(grid.FindChart(QStringLiteral("CHART1")), 0);
    grid.DeleteChart(QStringLiteral("chart1"));
    EXPECT_EQ(grid.GetQorChartCount(), 0);
    EXPECT_NE(grid.InsertChart(QStringLiteral("Chart1"), 1, 1), nullptr);
}

TEST(AnchoredObjects, TheHostsControlsStayTheHosts)
{
    Sheet s;
    auto *kept = new QPushButton(QStringLiteral("a"));
    QPointer<QPushButton> gone = new QPushButton(QStringLiteral("b"));
    s.grid.InsertUserControl(kept, 1, 1);
    s.grid.InsertUserControl(gone, 2, 2);
    s.grid.InsertUserControl(kept, 4, 4, true);   // again: moved, not listed twice
    EXPECT_EQ(s.grid.GetUserControlCount(), 2);
    EXPECT_EQ(kept->pos(), s.corner(4, 4));
    delete gone.data();   // the host frees one while it is anchored
    EXPECT_EQ(s.grid.GetUserControlCount(), 1);
    s.grid.SetPosition(0, 40);   // nothing left to move points nowhere
    EXPECT_EQ(s.grid.GetUserControl(0), kept);
    EXPECT_EQ(s.grid.GetUserControl(5), nullptr);
    s.grid.RemoveUserControl(kept);
    EXPECT_EQ(s.grid.GetUserControlCount(), 0);
    s.grid.InsertUserControl(kept, 1, 1);
    s.grid.ClearUserControl();
    EXPECT_EQ(s.grid.GetUserControlCount(), 0);
    QPointer<QPushButton> alive = kept;
    EXPECT_FALSE(alive.isNull());
    delete kept;
}

TEST(AnchoredObjects, DeletedLinesUnderAnAnchorHandItToTheNearestCell)
{
    Sheet s(20, 6);
    TQorChart *chart = s.grid.InsertChart(QStringLiteral("c"), 5, 2);
    TQorOleContainer *doc = s.grid.InsertOleObject(10, 4, QStringLiteral("d"));
    s.grid.InsertRow(0, 2);
    int row = 0, col = 0;
    QPoint offset;
    ASSERT_TRUE(s.grid.GetObjectAnchor(chart, row, col, offset));
    EXPECT_EQ(row, 7);
    for (int i = 0; i < 3; ++i)
        s.grid.DeleteRow(6);   // rows 6, 7, 8: the chart's row goes
    ASSERT_TRUE(s.grid.GetObjectAnchor(chart, row, col, offset));
    EXPECT_EQ(row, 6);
    EXPECT_EQ(chart->pos(), s.corner(6, 2));
    ASSERT_TRUE(s.grid.GetObjectAnchor(doc, row, col, offset));
    EXPECT_EQ(row, 9);
    s.grid.SetCols(3);   // the document's column is gone: the last one takes it
    s.grid.UpdateScrollRange();
    ASSERT_TRUE(s.grid.GetObjectAnchor(doc, row, col, offset));
    EXPECT_LT(col, 3);
}

TEST(AnchoredObjects, AChartFollowsItsCells)
{
    Sheet s(10, 5);
    const char *cells[4][3] = {{"", "收入", "支出"}, {"一月", "120", "80"}, {"二月", "150", "95"}, {"三月", "90", "=C5/2"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            s.grid.SetCellText(r + 1, c + 1, QString::fromUtf8(cells[r][c]));
    TQorChart *chart = s.grid.InsertChart(QStringLiteral("收支"), 6, 1);
    TChartDefinition def;
    def.Kind = ckBar;
    def.Title = QStringLiteral("一季度");
    def.Row1 = 1, def.Col1 = 1, def.Row2 = 4, def.Col2 = 3;
    chart->SetDefinition(def);
    ASSERT_EQ(chart->Values().size(), 2u);
    EXPECT_EQ(chart->Values()[0], (std::vector<double>{120, 150, 90}));
    EXPECT_EQ(chart->Values()[1], (std::vector<double>{80, 95, 45}));

    s.grid.SetCellText(2, 2, QStringLiteral("1,200"));
    s.grid.SetCellText(4, 2, QStringLiteral("100"));   // the formula's input
    QCoreApplication::processEvents();
    EXPECT_EQ(chart->Values()[0], (std::vector<double>{1200, 150, 100}));
    EXPECT_EQ(chart->Values()[1][2], 50);
    s.grid.SetCellText(8, 4, QStringLiteral("7"));   // outside: no refresh needed, none harmful
    QCoreApplication::processEvents();
    EXPECT_EQ(chart->Values()[0][0], 1200);

    // A picture of its own size with bars in it.
    QImage image(chart->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    chart->PaintInto(image);
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            coloured += c.saturation() > 100 && c.value() > 60;
        }
    EXPECT_GT(coloured, 200);
}

TEST(AnchoredObjects, ObjectsComeBackFromTheStreamByteForByte)
{
    MessageRecorder boxes;
    Sheet s(12, 6);
    s.grid.SetCellText(1, 1, QStringLiteral("甲"));
    s.grid.SetCellText(1, 2, QStringLiteral("5"));
    TQorChart *chart = s.grid.InsertChart(QStringLiteral("图一"), 3, 2);
    TChartDefinition def;
    def.Kind = ckPie;
    def.Title = QStringLiteral("份额");
    def.Row1 = 0, def.Col1 = 1, def.Row2 = 1, def.Col2 = 2;
    chart->SetDefinition(def);
    chart->resize(300, 180);
    s.grid.SetChartPos(chart, s.corner(3, 2).x() + 7, s.corner(3, 2).y() + 3);
    TQorChart *foreign = s.grid.InsertChart(QStringLiteral("旧图"), 8, 0);
    const QByteArray oldChart("\x01\x02other program's chart\x00\xff", 25);
    foreign->LoadImage(oldChart);
    TQorOleContainer *doc = s.grid.InsertOleObject(5, 4, QStringLiteral("附件"));
    const QByteArray package = TQorOleContainer::MakePackage(QStringLiteral("合同.txt"), QByteArray("甲方乙方"));
    doc->LoadImage(package);
    doc->Flag = 3;
    TQorOleContainer *old = s.grid.InsertOleObject(6, 0, QStringLiteral("旧文档"));
    const QByteArray oldDocument(4096, '\x7f');
    old->LoadImage(oldDocument);

    const QByteArray bytes = SaveGridToBytes(s.grid, true, true);
    Sheet back(1, 1);
    ASSERT_TRUE(LoadGridFromBytes(back.grid, bytes));
    ASSERT_EQ(back.grid.GetQorChartCount(), 2);
    ASSERT_EQ(back.grid.GetOleObjectCount(), 2);
    TQorChart *c = back.grid.GetChart(back.grid.FindChart(QStringLiteral("图一")));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Definition(), def);
    EXPECT_EQ(c->size(), QSize(300, 180));
    int row = 0, col = 0;
    QPoint offset;
    ASSERT_TRUE(back.grid.GetObjectAnchor(c, row, col, offset));
    EXPECT_EQ(QPoint(col, row), QPoint(2, 3));
    EXPECT_EQ(offset, QPoint(7, 3));
    EXPECT_EQ(back.grid.GetChart(back.grid.FindChart(QStringLiteral("旧图")))->SaveImage(), oldChart);
    TQorOleContainer *d = back.grid.GetOleObject(back.grid.FindOleObject(QStringLiteral("附件")));
    EXPECT_EQ(d->Image(), package);
    EXPECT_EQ(d->Flag, 3);
    EXPECT_EQ(d->PackageName(), QStringLiteral("合同.txt"));
    EXPECT_EQ(d->PackageBytes(), QByteArray("甲方乙方"));
    EXPECT_EQ(back.grid.GetOleObject(back.grid.FindOleObject(QStringLiteral("旧文档")))->Image(), oldDocument);
    // Written again, the stream is the same.
    EXPECT_EQ(SaveGridToBytes(back.grid, true, true), bytes);
    // Loading another document replaces the grid's own objects.
    Sheet plain(3, 3);
    ASSERT_TRUE(LoadGridFromBytes(back.grid, SaveGridToBytes(plain.grid, true, true)));
    EXPECT_EQ(back.grid.GetQorChartCount(), 0);
    EXPECT_EQ(back.grid.GetOleObjectCount(), 0);
    EXPECT_EQ(boxes.count(), 0);
}

TEST(AnchoredObjects, HostileObjectRecordsAreRefusedWhole)
{
    Sheet s(6, 4);
    TQorOleContainer *doc = s.grid.InsertOleObject(1, 1, QStringLiteral("x"));
    doc->LoadImage(QByteArray("payload"));
    const QByteArray good = SaveGridToBytes(s.grid, false, true);
    const qsizetype at = good.indexOf("OleD");
    ASSERT_GT(at, 0);
    Sheet target(2, 2);
    target.grid.SetCellText(0, 0, QStringLiteral("kept"));
    auto refused = [&](QByteArray bad) {
        MessageRecorder boxes;
        const bool loaded = LoadGridFromBytes(target.grid, bad);
        return !loaded && boxes.count() == 1 && target.grid.GetCellText(0, 0) == QStringLiteral("kept") &&
               target.grid.GetOleObjectCount() == 0;
    };
    QByteArray huge = good;
    qToLittleEndian<int32_t>(0x7fffffff, huge.data() + at + 4);   // image longer than the record
    EXPECT_TRUE(refused(huge));
    QByteArray wide = good;
    const qsizetype size = at + 4 + 4 + 7 + 1 + 8 + 4 + 1;   // past image, flag, offsets, name
    qToLittleEndian<int32_t>(1 << 30, wide.data() + size);   // width of a billion pixels
    EXPECT_TRUE(refused(wide));
    MessageRecorder boxes;
    for (qsizetype cut = at + 2; cut < good.size(); cut += 5)
        EXPECT_FALSE(LoadGridFromBytes(target.grid, good.left(cut)) && target.grid.GetOleObjectCount() > 1) << cut;
}

TEST(AnchoredObjects, ObjectsPrintAtTheirPlaceAndControlsMayBeLeftOut)
{
    platform::SetScreenDpiOverride(96);
    platform::SetCurrentPrinter(platform::MakeStandInPrinter(96));
    platform::CurrentStandIn()->SetKeepPages(true);
    Sheet s(30, 6);
    s.grid.SetCellText(0, 0, QStringLiteral("x"));
    s.grid.SetCellText(1, 0, QStringLiteral("a")), s.grid.SetCellText(1, 1, QStringLiteral("40"));
    s.grid.SetCellText(2, 0, QStringLiteral("b")), s.grid.SetCellText(2, 1, QStringLiteral("70"));
    TQorChart *chart = s.grid.InsertChart(QStringLiteral("c"), 4, 1);
    TChartDefinition def;
    def.Row1 = 0, def.Col1 = 0, def.Row2 = 2, def.Col2 = 1;
    chart->SetDefinition(def);
    chart->resize(240, 160);
    Swatch button;   // any control: one that paints itself magenta is easy to find
    button.resize(80, 30);
    s.grid.InsertUserControl(&button, 20, 1);
    TQorPrint print;
    print.SetQorGrid(&s.grid);
    print.SetShowProgress(false);
    print.SetHorzAutoCenter(false);
    auto magenta = [](const QImage &page) {
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                n += page.pixel(x, y) == qRgb(255, 0, 255);
        return n;
    };
    ASSERT_TRUE(print.PrintReport());
    const QImage page = platform::CurrentStandIn()->Pages().at(0);
    // The chart's area on the page: cell (4, 1) from the printable corner, 240 x 160.
    const QPoint origin(int(MMToPrinterX(15)), int(MMToPrinterY(15)));
    const QRect cell = s.grid.GetCellPrintRect(4, 1);
    int coloured = 0;
    for (int y = cell.top() + 20; y < cell.top() + 150; y += 2)
        for (int x = cell.left() + 10; x < cell.left() + 230; x += 2) {
            const QColor c = page.pixelColor(origin + QPoint(x, y));
            coloured += c.saturation() > 100;
        }
    EXPECT_GT(coloured, 100);
    EXPECT_GT(magenta(page), 500);
    platform::CurrentStandIn()->Pages().clear();
    print.OnPrintUserControl = [&](QObject *, QWidget *control, bool &needPrint) { needPrint = control != &button; };
    ASSERT_TRUE(print.PrintReport());
    EXPECT_EQ(magenta(platform::CurrentStandIn()->Pages().at(0)), 0);
    platform::ResetCurrentPrinter();
    platform::SetScreenDpiOverride(0);
}

TEST(AnchoredObjects, AnEmptyDocumentAsksForAFileOnADoubleClick)
{
    Sheet s(6, 4);
    TQorOleContainer *doc = s.grid.InsertOleObject(1, 1, QStringLiteral("附件"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("note.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("hello");
    }
    int asked = 0;
    TQorOleContainer::SetFileChooser([&](QWidget *) { ++asked; return file; });
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10), QPointF(doc->mapToGlobal(QPoint(10, 10))),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(doc, &dbl);
    TQorOleContainer::SetFileChooser(nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(doc->PackageName(), QStringLiteral("note.txt"));
    EXPECT_EQ(doc->PackageBytes(), QByteArray("hello"));
}

} // namespace
} // namespace qor::test
