// Ledger cells painted into an image: where the lines are, which colour they have, and which
// characters sit in which digit column.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QImage>
#include <QPainter>
#include "format/chinese_money.h"
#include "format/ledger_cell.h"

using namespace qor;

namespace {

constexpr int kW = 12;
const QRect kCell(0, 0, 120, 24);
// The cell inside margins 3 and 4, widened by one pixel; its right edge (exclusive) is 117 and
// the first line sits 2 pixels right of it, then every 12 pixels to the left.
const QRect kText(2, 2, 115, 20);
constexpr int kRightStart = 117 + 2;

QFont testFont()
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(11);
    return f;
}

QImage paint(const QString &text, double value, bool chinese = false, QChar password = QChar(),
             const QString &symbol = QString())
{
    QImage img(kCell.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(testFont());
    p.setPen(Qt::black);
    TLedgerStyle style;
    style.symbol = symbol;
    DrawCurrenyCell(p, kCell, kText, Qt::AlignVCenter, style, text, value, password, chinese);
    return img;
}

// x of the line left of the n-th column from the right (1-based).
int lineX(int n) { return kRightStart - n * kW; }

// The inside of the n-th column, from below its left line to before its right line.
QImage column(const QImage &img, int n)
{
    return img.copy(lineX(n) + 1, kText.top(), kW - 1, kText.height());
}

bool blank(const QImage &img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white))
                return false;
    return true;
}

// The same character painted alone at the place the ledger puts it.
QImage glyph(const QString &s, int n, const QString &sample = QStringLiteral("9"))
{
    QImage img(kCell.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(testFont());
    p.setPen(Qt::black);
    const int offset = (kW - QFontMetrics(testFont()).horizontalAdvance(sample)) / 2 + 1;
    p.setClipRect(kText);
    p.drawText(QRect(lineX(n) + offset, kText.top(), kW, kText.height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, s);
    p.end();
    return column(img, n);
}

} // namespace

TEST(LedgerText, ExactDecimalsNoGrouping)
{
    EXPECT_EQ(LedgerText("1234.5", 2), "1234.50");
    EXPECT_EQ(LedgerText("abc", 2), "0.00");
    EXPECT_EQ(LedgerText("-12.345", 2), "-12.35");
    EXPECT_EQ(LedgerText("12.5", 0), "13");
}

TEST(LedgerCell, ChineseDigitsPasswordSymbolAndSign)
{
    const QImage cn = paint("1234.50", 1234.5, true);
    const QString digits = "054321";
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(column(cn, n), glyph(ChineseDigit(digits[n - 1].unicode() - '0'), n, QString::fromUtf16(u"壹"))) << n;

    const QImage pw = paint("1234.50", 1234.5, false, u'*');
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(column(pw, n), glyph("*", n)) << n;

    const QImage sym = paint("-5.00", -5, false, QChar(), QString::fromUtf16(u"¥"));
    EXPECT_EQ(column(sym, 3), glyph("5", 3));
    EXPECT_EQ(column(sym, 4), glyph("-", 4));
    EXPECT_EQ(column(sym, 5), glyph(QString::fromUtf16(u"¥"), 5, QString::fromUtf16(u"¥")));
    EXPECT_FALSE(blank(column(sym, 5)));
    EXPECT_TRUE(blank(column(sym, 6)));
}

TEST(LedgerCell, ZeroValueIsAnEmptyRuledCell)
{
    const QImage img = paint("0.00", 0);
    for (int n = 1; lineX(n) >= kText.left(); ++n) {
        EXPECT_NE(img.pixelColor(lineX(n), kCell.top()), QColor(Qt::white)) << n;
        EXPECT_TRUE(blank(column(img, n))) << n;
    }
}
