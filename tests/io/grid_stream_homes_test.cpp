// Settings a document carries come back to the concern of the grid that uses them.
#include "grid_stream_helpers.h"

#include <QPainter>
#include "platform/colors.h"

namespace qor::test {

namespace {

QImage paintShown(TCustomQorGrid &g)
{
    g.setFrameShape(QFrame::NoFrame);
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(400, 300);
    g.show();
    QImage image(g.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    g.Paint(&p);
    return image;
}

int bluePixelsOnRow(const QImage &image, int y, int x0, int x1)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += platform::FromQColor(QColor(image.pixel(x, y))) == clBlue;
    return n;
}

} // namespace

struct Homes {
    bool showHint;
    bool showPageLines;
};

class GridStreamHomes : public ::testing::TestWithParam<Homes> {};

TEST_P(GridStreamHomes, SettingsComeBackToTheConcernThatReadsThem)
{
    TQorGrid saved;
    saved.SetShowHint(GetParam().showHint);
    GridPrivate::get(saved).paint.showPageLines = GetParam().showPageLines;
    GridPrivate::get(saved).misc.sortingColIndex = 2;
    TQorGrid loaded;
    ASSERT_TRUE(LoadGridFromBytes(loaded, plainBytes(saved)));
    EXPECT_EQ(loaded.GetShowHint(), GetParam().showHint);
    EXPECT_EQ(GridPrivate::get(loaded).paint.showPageLines, GetParam().showPageLines);
    EXPECT_EQ(loaded.GetSortingColIndex(), 2);
    EXPECT_EQ(plainBytes(loaded), plainBytes(saved));
}

INSTANTIATE_TEST_SUITE_P(Rows, GridStreamHomes,
                         ::testing::Values(Homes{true, false}, Homes{false, false}, Homes{true, true},
                                           Homes{false, true}));

TEST(GridStreamPageLines, ALoadedDocumentPaintsItsPageLines)
{
    TQorGrid saved;
    saved.SetRows(6);
    GridPrivate::get(saved).paint.showPageLines = true;
    TQorGrid loaded;
    ASSERT_TRUE(LoadGridFromBytes(loaded, plainBytes(saved)));
    // What printing computes: a strip ending at row 3.
    GridPrivate::get(loaded).paint.pageRects = {QRect(QPoint(0, 0), QPoint(loaded.GetInnerWidth() - 1, loaded.GetCellPrintRect(3, 0).top()))};
    const QImage image = paintShown(loaded);
    const QRect sheet = loaded.GetSheetRect();
    const int pageTop = loaded.GetCellRect(3, 0).top();
    EXPECT_GT(bluePixelsOnRow(image, pageTop, sheet.left(), sheet.right()), sheet.width() / 2);
    // Across row 1 only the strip's two sides.
    EXPECT_LE(bluePixelsOnRow(image, loaded.GetCellRect(1, 0).center().y(), sheet.left(), sheet.right()), 4);
}

} // namespace qor::test
