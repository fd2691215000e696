// Rich text: hand-written RTF read into documents, hostile input, documents written and read
// back, the grid's plain/rich conversions and rich bytes kept through a saved document.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "qstring_print.h"

#include "core/grid.h"
#include "format/rich_text.h"

using namespace qor;

namespace {

struct Run {
    QString text;
    QTextCharFormat format;
};

std::vector<Run> runs(const QTextDocument &doc)
{
    std::vector<Run> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            out.push_back({it.fragment().text(), it.fragment().charFormat()});
    return out;
}

// The text as a cell keeps it: paragraphs and line breaks as "\n", every other character kept.
QString textOf(const QTextDocument &doc)
{
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        blocks << b.text().replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return blocks.join(QLatin1Char('\n'));
}

QString read(const QByteArray &rtf, QTextDocument &doc)
{
    const RtfReadResult r = ReadRtf(rtf, doc);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return textOf(doc);
}

QString plain(const QByteArray &rtf)
{
    QTextDocument doc;
    return read(rtf, doc);
}

bool hasGbk() { return QStringDecoder("GBK").isValid(); }

} // namespace

TEST(RtfRead, PlainTextParagraphsAndSymbols)
{
    EXPECT_EQ(plain("{\\rtf1\\ansi hello world}"), "hello world");
    // The mark closing the last paragraph adds no empty one; "\<newline>" is a paragraph too.
    EXPECT_EQ(plain("{\\rtf1 one\\par two\\par\n}"), "one\ntwo");
    EXPECT_EQ(plain("{\\rtf1 a\\\nb}"), "a\nb");
    EXPECT_EQ(plain("{\\rtf1 a\\tab b\\line c\\~d\\{\\}\\\\}"), QString("a\tb\nc") + QChar(QChar::Nbsp) + "d{}\\");
    EXPECT_EQ(plain("{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}"),
              QString::fromUtf8("—–‘’“”•"));
    // Line breaks in the file are not text.
    EXPECT_EQ(plain("{\\rtf1 ab\r\ncd}"), "abcd");

    QTextDocument doc;
    read("{\\rtf1\\pard\\qc centre\\par\\pard right\\qr\\par\\pard left\\par}", doc);
    ASSERT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(doc.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST(RtfRead, CharacterStylesFontsAndColours)
{
    QTextDocument doc;
    const QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset134 "
                           "\\'cb\\'ce\\'cc\\'e5;}{\\f2 Courier New;}}"
                           "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                           "a{\\b bold}{\\i\\ul iu\\ulnone i}{\\strike s\\strike0 n}"
                           "{\\f2\\fs36\\cf2 big}\\b x\\b0 y\\plain z}";
    EXPECT_EQ(read(rtf, doc), "aboldiuisnbigxyz");
    const auto r = runs(doc);
    ASSERT_EQ(r.size(), 9u); // "y" after \b0 and "z" after \plain share one format
    EXPECT_EQ(r[0].text, "a");
    EXPECT_EQ(r[0].format.fontFamilies().toStringList(), QStringList{"Arial"}); // \deff0
    EXPECT_LT(r[0].format.fontWeight(), QFont::DemiBold);
    EXPECT_EQ(r[1].text, "bold");
    EXPECT_EQ(r[1].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(r[2].format.fontItalic() && r[2].format.fontUnderline());
    EXPECT_TRUE(r[3].format.fontItalic() && !r[3].format.fontUnderline());
    EXPECT_TRUE(r[4].format.fontStrikeOut());
    EXPECT_FALSE(r[5].format.fontStrikeOut());
    EXPECT_EQ(r[6].text, "big");
    EXPECT_EQ(r[6].format.fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_DOUBLE_EQ(r[6].format.fontPointSize(), 18.0);
    EXPECT_EQ(r[6].format.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(r[7].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(r[8].text, "yz");
    EXPECT_LT(r[8].format.fontWeight(), QFont::DemiBold);

    // A Chinese font name in its character set's bytes; a colour index past the table is the default.
    read("{\\rtf1{\\fonttbl{\\f1\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}{\\colortbl;\\red255\\green0\\blue0;}"
         "\\f1\\cf1 r\\cf7 d}",
         doc);
    const auto c = runs(doc);
    ASSERT_EQ(c.size(), 2u);
    if (hasGbk())
        EXPECT_EQ(c[0].format.fontFamilies().toStringList(), QStringList{QString::fromUtf8("宋体")});
    EXPECT_EQ(c[0].format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(c[1].format.foreground().style(), Qt::NoBrush);
}

TEST(RtfRead, UnicodeEscapesAndCodePageBytes)
{
    EXPECT_EQ(plain("{\\rtf1\\uc1 \\u20013?\\u25991?}"), QString::fromUtf8("中文"));
    // \ucN skips N fallback characters: bytes, hex escapes and control words each count once.
    EXPECT_EQ(plain("{\\rtf1\\uc2 \\u20013\\'d6\\'d0x}"), QString::fromUtf8("中x"));
    EXPECT_EQ(plain("{\\rtf1\\uc0 \\u20013 x}"), QString::fromUtf8("中x"));
    EXPECT_EQ(plain("{\\rtf1\\uc1 \\u20013\\par x}"), QString::fromUtf8("中x"));
    // A group's end stops the skipping.
    EXPECT_EQ(plain("{\\rtf1\\uc3 {\\u20013}ab}"), QString::fromUtf8("中ab"));
    // Negative values are 16-bit code units; two of them make a surrogate pair.
    EXPECT_EQ(plain("{\\rtf1 \\u-10179?\\u-8694?}"), QString::fromUtf8("😊"));
    EXPECT_EQ(plain("{\\rtf1 \\u-3913?}"), QString(QChar(0xF0B7)));

    if (!hasGbk())
        GTEST_SKIP() << "no GBK codec in this Qt build";
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4 ok}"), QString::fromUtf8("中文 ok"));
    // The font's character set wins over the document's code page.
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0}"),
              QString::fromUtf8("中"));
    EXPECT_EQ(plain("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9}"), QString::fromUtf8("café"));
}

TEST(RtfRead, NestedGroupsAndSkippedDestinations)
{
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\unknown hidden{\\deeper x}}{\\info{\\title t}{\\author w}}b{{{c}}}"
                    "{\\stylesheet{\\s0 Normal;}}{\\pict\\wmetafile8 0a0b0c}"
                    "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}\\par d}"),
              "abclink\nd");
    // Unknown control words are dropped with their parameter and delimiter.
    EXPECT_EQ(plain("{\\rtf1\\viewkind4\\lang2052\\sl-240\\slmult0 text}"), "text");
    // \bin data is never read as RTF.
    EXPECT_EQ(plain("{\\rtf1 a{\\*\\blob\\bin3 }}}b}c}"), "ac");

    QTextDocument doc;
    read("{\\rtf1 {\\b bold {\\i both} bold }plain}", doc);
    const auto r = runs(doc);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_TRUE(r[1].format.fontItalic() && r[1].format.fontWeight() == QFont::Bold);
    EXPECT_TRUE(!r[2].format.fontItalic() && r[2].format.fontWeight() == QFont::Bold);
    EXPECT_LT(r[3].format.fontWeight(), QFont::DemiBold);
}

TEST(RtfRead, HostileInputIsRefusedOrReadAsFarAsItGoes)
{
    QTextDocument doc;
    doc.setPlainText("old");
    RtfReadResult r = ReadRtf("plain text, not rich", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(doc.isEmpty());
    EXPECT_FALSE(ReadRtf(QByteArray(), doc).ok);
    EXPECT_FALSE(RtfToPlain("{\\rtx1 a}").has_value());

    r = ReadRtf("{\\rtf1 never closed {\\b bold", doc);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.damaged);
    EXPECT_EQ(textOf(doc), "never closed bold");
    r = ReadRtf("{\\rtf1 a}}} trailing", doc);
    EXPECT_TRUE(r.ok && r.damaged);
    EXPECT_EQ(textOf(doc), "a");

    // Far deeper than any document: read flat past the limit, the text kept.
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(200000, '{') + "x" + QByteArray(200000, '}') + "y}";
    r = ReadRtf(deep, doc);
    EXPECT_TRUE(r.ok && r.damaged);
    EXPECT_EQ(textOf(doc), "xy");

    // Numbers past every range, truncated escapes, a backslash at the very end.
    EXPECT_EQ(plain("{\\rtf1\\fs99999999999999999999999 a\\cf-99999999999 b\\f99999999999 c"
                    "\\uc99999999999 \\u65 skipped}d}"),
              "abcA");
    EXPECT_EQ(plain("{\\rtf1 a\\bin99999999999 bcdef}"), "a");
    EXPECT_EQ(plain("{\\rtf1 a\\'"), "a");
    EXPECT_EQ(plain("{\\rtf1 a\\'4"), "a4");
    EXPECT_EQ(plain("{\\rtf1 a\\"), "a");
    EXPECT_EQ(plain(QByteArray("{\\rtf1 a\0b}", 11)), QString("a") + QChar(0) + "b");
    EXPECT_EQ(plain("{\\rtf1 " + QByteArray(100, 'w') + "long\\" + QByteArray(5000, 'z') + " ok}"),
              QString(100, 'w') + "longok");
}

TEST(RtfWrite, DocumentsComeBackAsWritten)
{
    QTextDocument doc;
    doc.setDefaultFont(QFont("DejaVu Sans", 10));
    QTextCursor c(&doc);
    QTextCharFormat plainF;
    c.insertText("plain {braces} \\ back\ttab", plainF);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(" bold", bold);
    QTextCharFormat styled;
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    styled.setFontStrikeOut(true);
    styled.setFontPointSize(17.5);
    styled.setFontFamilies({QString::fromUtf8("文泉驿微米黑")});
    styled.setForeground(QColor(10, 200, 30));
    c.insertText(QString::fromUtf8(" 中文 😊") + QChar(QChar::LineSeparator) + "next line", styled);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred);
    c.insertText("second", bold);
    c.insertBlock(QTextBlockFormat());

    const QByteArray rtf = WriteRtf(doc);
    for (const char byte : rtf)
        ASSERT_LT(uchar(byte), 0x80) << "RTF is written in ASCII";
    QTextDocument back;
    EXPECT_EQ(read(rtf, back), textOf(doc));
    ASSERT_EQ(back.blockCount(), 3); // the empty last paragraph survives
    EXPECT_EQ(back.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const auto a = runs(doc), b = runs(back);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(a[i].text.toStdString());
        EXPECT_EQ(b[i].text, a[i].text);
        EXPECT_EQ(b[i].format.fontWeight() >= QFont::DemiBold, a[i].format.fontWeight() >= QFont::DemiBold);
        EXPECT_EQ(b[i].format.fontItalic(), a[i].format.fontItalic());
        EXPECT_EQ(b[i].format.fontUnderline(), a[i].format.fontUnderline());
        EXPECT_EQ(b[i].format.fontStrikeOut(), a[i].format.fontStrikeOut());
        const double size = a[i].format.fontPointSize() > 0 ? a[i].format.fontPointSize() : 10.0;
        EXPECT_DOUBLE_EQ(b[i].format.fontPointSize(), size);
        const QStringList family = a[i].format.fontFamilies().toStringList();
        EXPECT_EQ(b[i].format.fontFamilies().toStringList(), family.isEmpty() ? QStringList{"DejaVu Sans"} : family);
        EXPECT_EQ(b[i].format.foreground(), a[i].format.foreground());
    }
    // Written twice, the same bytes.
    EXPECT_EQ(WriteRtf(back), rtf);
}

TEST(RtfWrite, PlainTextInAFont)
{
    QFont font("DejaVu Serif");
    font.setPointSize(11);
    font.setBold(true);
    const QByteArray rtf = PlainToRtf(QString::fromUtf8("一\r\ntwo\n\nthree"), font, QColor(255, 0, 0));
    EXPECT_EQ(RtfToPlain(rtf), QString::fromUtf8("一\ntwo\n\nthree"));
    QTextDocument doc;
    read(rtf, doc);
    const auto r = runs(doc);
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r[0].format.fontFamilies().toStringList(), QStringList{"DejaVu Serif"});
    EXPECT_DOUBLE_EQ(r[0].format.fontPointSize(), 11.0);
    EXPECT_EQ(r[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(r[0].format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(RtfToPlain(PlainToRtf(QString(), font)), QString());
}

TEST(RichCells, TypeChangesConvertAndUneditedBytesSurviveSaveAndLoad)
{
    TQorGrid g;
    g.SetRows(3);
    g.SetCols(3);
    TCellInfo *cell = g.Cells(1, 1);
    cell->SetText(QString::fromUtf8("第一行\n2"));
    cell->SetCellType(ctRichEdit);
    EXPECT_EQ(RtfToPlain(cell->GetRichText()), QString::fromUtf8("第一行\n2"));
    cell->SetCellType(ctEdit);
    EXPECT_TRUE(cell->GetRichText().isEmpty());
    EXPECT_EQ(cell->GetText(), QString::fromUtf8("第一行\n2"));

    // Bytes this library would never write (foreign destinations, odd spacing, no final \par)
    // stay as they are until someone edits the cell.
    const QByteArray foreign = "{\\rtf1\\ansi\\ansicpg936{\\*\\generator Other 1.0;}\\viewkind4"
                               "\\uc1\\pard\\lang2052\\f0\\fs20 \\'d6\\'d0{\\b b}  x}\r\n" +
                               QByteArray("\0tail", 5);
    TCellInfo *rich = g.Cells(0, 2);
    rich->SetCellType(ctRichEdit);
    rich->SetRichText(foreign);
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    ASSERT_TRUE(g.SaveToStream(saved, true));
    TQorGrid other;
    saved.seek(0);
    ASSERT_TRUE(other.LoadFromStream(saved));
    EXPECT_EQ(other.Cells(0, 2)->GetCellType(), ctRichEdit);
    EXPECT_EQ(other.Cells(0, 2)->GetRichText(), foreign);
    // Plain text put into a rich cell rewrites its rich content.
    other.Cells(0, 2)->SetText("new");
    EXPECT_EQ(RtfToPlain(other.Cells(0, 2)->GetRichText()), "new");
}
