// Tables as LibreOffice Calc exchanges them. The texts under data/ were made with LibreOffice
// in headless mode: libreoffice_*.txt are its tab-separated text of a small sheet (quoting
// only where needed, quoting every text, and the same with CR LF line ends);
// libreoffice_read_ours.csv is what it read from the grid's own copy of that sheet
// (ours_copy.txt), written back as CSV with every cell quoted.
#include <gtest/gtest.h>
#include <QFile>
#include "core/grid.h"
#include "io/table_text.h"
#include "platform/clipboard.h"

namespace qor::test {
namespace {

QByteArray data(const char *name)
{
    QFile f(QStringLiteral(QOR_TEST_DATA_DIR "/data/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

// The sheet: a header line and three records; a note with a line break, quotes in a name and
// a note, a tab inside a note, an empty quantity.
const std::vector<std::vector<QString>> &sheet()
{
    static const std::vector<std::vector<QString>> s{
        {"名称", "数量", "单价", "备注"},
        {"苹果", "3", "4.5", "新鲜\n产地山东"},
        {"5\" 屏", "1", "1999", "含\"配件\""},
        {"tab", "", "-0.25", "x\ty"},
    };
    return s;
}

class LibreOfficeTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetCurrentClipboard(platform::MakeStandInClipboard());
        grid.SetRows(6);
        grid.SetCols(5);
        grid.SetOptions(grid.GetOptions().With(qgoEditing));
    }
    void TearDown() override { platform::ResetCurrentClipboard(); }
    void paste(const QByteArray &text)
    {
        platform::CurrentClipboard().Set({{QString::fromLatin1(platform::kTextMime), text}});
        grid.SetFocusCell(1, 1);
        grid.PasteFromClipBoard();
    }
    void expectSheet(bool crlfInside = false)
    {
        for (size_t r = 0; r < sheet().size(); ++r)
            for (size_t c = 0; c < sheet()[r].size(); ++c) {
                QString want = sheet()[r][c];
                if (crlfInside)
                    want.replace(u'\n', QStringLiteral("\r\n"));
                EXPECT_EQ(grid.GetCellText(int(r) + 1, int(c) + 1), want) << r << "," << c;
            }
        EXPECT_EQ(grid.GetCellText(5, 1), "");   // nothing past the sheet
    }
    TQorGrid grid;
};

TEST_F(LibreOfficeTables, ItsTabTextPastesCellByCell)
{
    paste(data("libreoffice_lf.txt"));
    expectSheet();
}

TEST_F(LibreOfficeTables, ItsQuotedTextPastesCellByCell)
{
    paste(data("libreoffice_quoted_lf.txt"));
    expectSheet();
}

TEST_F(LibreOfficeTables, CrLfLineEnds)
{
    // The line break inside the quoted note is kept as it came.
    paste(data("libreoffice_crlf.txt"));
    expectSheet(true);
}

TEST_F(LibreOfficeTables, ItReadsWhatTheGridCopiesCellByCell)
{
    for (size_t r = 0; r < sheet().size(); ++r)
        for (size_t c = 0; c < sheet()[r].size(); ++c)
            grid.SetCellText(int(r), int(c), sheet()[r][c]);
    grid.SelectCells(0, 0, 3, 3);
    grid.CopyToClipBoard();
    const QByteArray ours = *platform::CurrentClipboard().Get(QString::fromLatin1(platform::kTextMime));
    EXPECT_EQ(ours, data("ours_copy.txt"));   // what LibreOffice was given
    const auto read = ParseTableText(QString::fromUtf8(data("libreoffice_read_ours.csv")), u',');
    EXPECT_EQ(read, sheet());
}

} // namespace
} // namespace qor::test
