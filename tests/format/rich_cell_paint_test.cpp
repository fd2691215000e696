// Rich-text cells are drawn and measured from their RTF, not from the plain text they also keep.
#include <gtest/gtest.h>
#include <QBuffer>
#include "../core/paint_fixture.h"
#include "core/model/cell.h"
#include "core/grid.h"

namespace qor {
namespace {

using test::paintGrid;

// Counts pixels that are clearly red (the RTF's colour) inside a rectangle.
int redPixels(const QImage &image, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

const QByteArray kRedBold = R"({\rtf1\ansi{\fonttbl{\f0 Sans;}}{\colortbl;\red255\green0\blue0;}\f0\fs20\cf1\b WWWW\par})";

TEST(RichCellPaint, TheRichContentIsDrawnAndFollowsANewStream)
{
    TQorGrid g;
    g.SetColWidth(1, 120);
    TCellInfo *cell = g.Cells(1, 1);
    cell->SetCellType(ctRichEdit);
    cell->SetText("plain");
    QImage image = paintGrid(g);
    const QRect r = g.GetCellRect(1, 1);
    EXPECT_EQ(redPixels(image, r), 0);

    // Bytes loaded later show at once, though the cell's plain text stays what it was.
    QByteArray bytes = kRedBold;
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(cell->LoadRichTextFromStream(in));
    image = paintGrid(g);
    EXPECT_GT(redPixels(image, r), 10);
    EXPECT_EQ(redPixels(image, r.translated(0, r.height() * 2)), 0);

    // Bytes no reader understands fall back to the plain text rather than an empty cell.
    cell->SetRichText("not rtf at all");
    image = paintGrid(g);
    EXPECT_EQ(redPixels(image, r), 0);
    EXPECT_TRUE(test::hasInk(image, r.adjusted(2, 2, -2, -2)));
}

TEST(RichCellPaint, AutomaticRowHeightMeasuresTheParagraphs)
{
    TQorGrid g;
    g.SetColWidth(1, 200);
    TCellInfo *cell = g.Cells(1, 1);
    cell->SetCellType(ctRichEdit);
    cell->SetRichText(R"({\rtf1\ansi\fs20 one\par})");
    const int one = g.GetRowAutoHeight(1, 1, cell->GetText());
    cell->SetRichText(R"({\rtf1\ansi\fs20 one\par two\par three\par four\par})");
    const int four = g.GetRowAutoHeight(1, 1, cell->GetText());
    EXPECT_GT(four, one * 2);
    EXPECT_GE(one, g.GetDefaultRowHeight());
}

} // namespace
} // namespace qor
