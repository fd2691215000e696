// The cell painter alone, painting one cell into a picture: pictures, check boxes, vertical
// text, ledger digits and the hint marker.
#include <gtest/gtest.h>
#include <QPainter>
#include "core/view/cell_painter_p.h"
#include "paint_fixture.h"

using namespace qor;
using namespace qor::test;

namespace {

constexpr TColor kLime = 0x00FF00;   // Qt::green

struct OneCell : ::testing::Test {
    QImage img{120, 80, QImage::Format_RGB32};
    CellPaintEnv env;
    CellPaintStyle style;
    const QRect rect{10, 10, 100, 60};

    void paint()
    {
        img.fill(Qt::white);
        QPainter p(&img);
        CellPainter(p, env).Paint(rect, style, CellPaintFlags());
    }
    static QImage solid(QSize size, QColor color, QColor corner)
    {
        QImage pic(size, QImage::Format_RGB32);
        pic.fill(color);
        pic.setPixelColor(0, 0, corner);
        return pic;
    }
};

} // namespace

TEST_F(OneCell, PicturesStretchTileAndDropTheirTransparentColour)
{
    style.graphic = solid(QSize(10, 10), Qt::red, Qt::red);
    paint();   // natural size, centred inside the graphic margins
    EXPECT_EQ(pixelColor(img, rect.center().x(), rect.center().y()), clRed);
    EXPECT_EQ(pixelColor(img, rect.left() + 8, rect.center().y()), clWhite);

    style.stretch = true;
    paint();   // fills the area inside the margins (4, 2, 4, 2)
    EXPECT_EQ(pixelColor(img, rect.left() + 5, rect.top() + 3), clRed);
    EXPECT_EQ(pixelColor(img, rect.left() + 2, rect.top() + 3), clWhite);

    style.stretch = false;
    style.stretchFine = true;
    paint();   // proportional: as high as the area, square
    EXPECT_EQ(pixelColor(img, rect.center().x() + 25, rect.center().y()), clRed);
    EXPECT_EQ(pixelColor(img, rect.left() + 6, rect.center().y()), clWhite);

    style.stretchFine = false;
    style.graphic = solid(QSize(10, 10), Qt::blue, Qt::green);
    style.tileGraphic = true;
    paint();   // the green corner repeats every 10 pixels from the area's corner
    EXPECT_EQ(pixelColor(img, rect.left() + 4, rect.top() + 2), kLime);
    EXPECT_EQ(pixelColor(img, rect.left() + 14, rect.top() + 12), kLime);

    style.tileGraphic = false;
    style.stretch = true;
    style.transparent = true;
    style.transparentColor = clBlue;
    style.backColor = clYellow;
    paint();   // the blue disappears: the cell's background shows through
    EXPECT_EQ(pixelColor(img, rect.center().x(), rect.center().y()), clYellow);
}

TEST_F(OneCell, CheckBoxesShowTheirStateAndHideTheText)
{
    style.cellType = ctCheckBox;
    style.alignment = taCenter;
    style.text = QStringLiteral("WWWWWWWWWW");
    paint();
    const QRect inside(rect.center().x() - 3, rect.center().y() - 3, 6, 6);
    EXPECT_FALSE(hasInk(img, inside));
    EXPECT_FALSE(hasInk(img, QRect(rect.left() + 4, rect.center().y() - 2, 20, 4)));
    style.checked = true;
    paint();
    EXPECT_TRUE(hasInk(img, inside));
}

TEST_F(OneCell, VerticalTextStacksCharactersDownwards)
{
    style.text = QStringLiteral("ABC");
    style.verticalText = true;
    style.alignment = taCenter;
    style.verAlignment = vtaTop;
    paint();
    const int cx = rect.center().x();
    EXPECT_TRUE(hasInk(img, QRect(cx - 5, rect.top() + 30, 10, 12)));   // the third character
    EXPECT_FALSE(hasInk(img, QRect(cx + 12, rect.top(), 30, 50)));     // nothing beside the column
}

TEST_F(OneCell, LedgerCellsRuleTheDecimalColumnAndHintsShowAMarker)
{
    style.valueType = vtCurrency;
    style.showCurrencyLine = true;
    style.text = QStringLiteral("12.5");
    style.hasHint = true;
    env.showHintSymbol = true;
    paint();
    bool red = false;
    for (int x = rect.left(); x <= rect.right() - 8; ++x)
        red = red || pixelColor(img, x, rect.bottom() - 1) == clRed;
    EXPECT_TRUE(red);   // the decimal line
    EXPECT_EQ(pixelColor(img, rect.right() - 2, rect.top() + 1), clRed);   // the hint marker
    env.showHintSymbol = false;
    style.valueType = vtString;
    paint();
    EXPECT_NE(pixelColor(img, rect.right() - 2, rect.top() + 1), clRed);
}
