// Hyperlink cells, cell hints and the pointer's shape over cells, on a shown grid.
#include <gtest/gtest.h>

#include <QLabel>
#include <algorithm>
#include "core/view/grid_hints_p.h"
#include "nav_fixture.h"
#include "paint_fixture.h"
#include "platform/tooltip.h"
#include "platform/url_opener.h"

using namespace qor;
using namespace qor::test;

namespace {

// Records the links the grid opens instead of opening them.
struct OpenedLinks {
    std::vector<QString> urls;
    platform::UrlOpenHandler previous;
    OpenedLinks()
    {
        previous = platform::SetUrlOpenHandler([this](const QUrl &u) {
            urls.push_back(u.toString(QUrl::FullyEncoded));
            return true;
        });
    }
    ~OpenedLinks() { platform::SetUrlOpenHandler(std::move(previous)); }
};

// Records the tooltips shown ("" for each hide).
struct ShownTips {
    std::vector<QString> texts;
    int shownCount() const { return int(std::count_if(texts.begin(), texts.end(), [](const QString &t) { return !t.isEmpty(); })); }
    platform::ToolTipHandler previous;
    ShownTips()
    {
        previous = platform::SetToolTipHandler([this](const platform::ToolTipRequest &r) { texts.push_back(r.text); });
    }
    ~ShownTips() { platform::SetToolTipHandler(std::move(previous)); }
};

// The moment the platform would show a tooltip, after its delay.
void restAt(TQorGrid &g, QPoint p)
{
    QHelpEvent help(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
    QApplication::sendEvent(g.viewport(), &help);
}

} // namespace

TEST(MouseHyperLink, AClickOpensTheCellTextAndNeverAnEditor)
{
    NavGrid t(5, 3);
    TQorGrid &g = t.g;
    OpenedLinks links;
    for (int r = 0; r < 4; ++r)
        g.Cells(r, 1)->SetCellType(ctHyperLink);
    g.SetCellText(0, 1, "www.example.com");
    g.SetCellText(1, 1, "sales@example.com");
    g.SetCellText(2, 1, "https://example.org/a b");
    t.click(0, 1);
    t.click(1, 1);
    t.click(2, 1);
    t.click(3, 1);   // empty: nothing to open
    EXPECT_EQ(links.urls, (std::vector<QString>{"http://www.example.com", "mailto:sales@example.com",
                                                "https://example.org/a%20b"}));
    EXPECT_EQ(t.current(), QPoint(1, 3)) << "the link cell still becomes current";

    // Pressed on the link, let go elsewhere: not a click on it.
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, t.center(0, 1));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, t.center(0, 2));
    EXPECT_EQ(links.urls.size(), 3u);

    t.click(0, 1);
    t.key(Qt::Key_F2);
    EXPECT_FALSE(g.EditorVisible());
    t.key(Qt::Key_A);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 1), "www.example.com");
}

TEST(MouseCursor, LinksPointAndTheCellsCursorAndOnSetCursorDecide)
{
    NavGrid t(5, 4);
    TQorGrid &g = t.g;
    g.Cells(0, 0)->SetCellType(ctHyperLink);
    g.Cells(1, 0)->SetCursor(-3);
    g.Cells(2, 0)->SetCursor(-4);
    g.Columns(3)->SetCursor(-22);
    t.move(t.center(0, 0));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    t.move(t.center(1, 0));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::BitmapCursor) << "the grid's own cross";
    t.move(t.center(2, 0));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::IBeamCursor);
    t.move(t.center(4, 3));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::SizeAllCursor) << "an empty cell takes its column's";
    t.move(t.center(4, 1));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::ArrowCursor);

    std::vector<QPoint> asked;
    g.OnSetCursor = [&](QObject *, int r, int c, const QRect &, int, int, TCursor &cur) {
        asked.emplace_back(c, r);
        if (r == 0)
            cur = -11;
    };
    t.move(t.center(0, 0));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(asked, (std::vector<QPoint>{QPoint(0, 0)}));
}

TEST(MouseHint, RestingOnACellShowsItsHintAfterTheDelayAndLeavingHidesIt)
{
    NavGrid t(5, 4);
    TQorGrid &g = t.g;
    ShownTips tips;
    g.Cells(1, 1)->SetHint("Unit price before tax");
    g.Columns(3)->SetHint("Column note");
    t.move(t.center(1, 1));
    EXPECT_TRUE(tips.texts.empty()) << "not before the tooltip moment";
    restAt(g, t.center(1, 1));
    EXPECT_EQ(tips.texts, (std::vector<QString>{"Unit price before tax"}));
    EXPECT_EQ(GridPrivate::get(g).hints->ShownRow(), 1);
    t.move(t.center(2, 1));
    EXPECT_EQ(tips.texts.back(), "") << "another cell: the hint goes";
    restAt(g, t.center(2, 3));
    EXPECT_EQ(tips.texts.back(), "Column note");

    // A cell without a hint shows nothing; neither do hints switched off.
    tips.texts.clear();
    restAt(g, t.center(0, 0));
    EXPECT_EQ(tips.texts, (std::vector<QString>{""})) << "the column note goes, nothing comes";
    g.SetShowHint(false);
    restAt(g, t.center(1, 1));
    g.SetShowHint(true);
    g.SetOptions(g.GetOptions().Without(qgoShowHintSymbol));
    restAt(g, t.center(1, 1));
    EXPECT_EQ(tips.shownCount(), 0);

    // Quick hints show at once in the grid's own window, the platform's tooltip left out.
    tips.texts.clear();
    g.SetOptions(g.GetOptions().With(qgoShowHintSymbol).With(qgoQuickShowHint));
    g.Cells(2, 2)->SetHint("Quick");
    g.OnGetCellData = [](QObject *, int r, int c, TCellData &data) {
        if (r == 3 && c == 0)
            data.SetHint("From the event");
    };
    t.move(t.center(2, 2));
    QLabel *window = GridPrivate::get(g).hints->Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->text(), "Quick");
    restAt(g, t.center(2, 2));
    EXPECT_TRUE(tips.texts.empty());
    t.move(t.center(3, 0));
    EXPECT_EQ(window->text(), "From the event");
    t.move(t.center(0, 0));
    EXPECT_FALSE(window->isVisible());
    t.move(t.center(2, 2));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(g.viewport(), &leave);
    EXPECT_FALSE(window->isVisible());
}
