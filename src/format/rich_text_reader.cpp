// RTF into a QTextDocument. One pass over the bytes with an explicit group stack (no
// recursion), so that nesting, huge numbers and unbalanced braces cost memory bounded by the
// input and never the call stack.
#include "format/rich_text.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <map>
#include <vector>

namespace qor {

namespace {

// Deeper groups are read as if flat: real documents stay far below this.
constexpr int kMaxDepth = 256;
constexpr int kMaxWordLength = 32;

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0; // 0: the document's default size
    int font = -1;      // -1: the default font
    int color = 0;      // 0: the default colour
    bool operator==(const CharState &) const = default;
};

enum class Dest : uint8_t { Text, Skip, FontTable, ColorTable };

struct Group {
    CharState chars;
    Qt::Alignment align = Qt::AlignLeft;
    int uc = 1;
    Dest dest = Dest::Text;
};

struct FontEntry {
    QString name;
    int charset = -1;
};

// Windows character sets of the font table as code pages.
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    default: return 0;
    }
}

QByteArray codecName(int codePage)
{
    switch (codePage) {
    case 936: return "GBK";
    case 54936: return "GB18030";
    case 950: return "Big5";
    case 932: return "Shift_JIS";
    case 949: return "EUC-KR";
    case 65001: return "UTF-8";
    default: return "windows-" + QByteArray::number(codePage);
    }
}

class Reader {
public:
    Reader(const QByteArray &rtf, QTextDocument &doc) : m_in(rtf), m_cursor(&doc) {}

    RtfReadResult run()
    {
        RtfReadResult result;
        const char *p = m_in.constData();
        const qsizetype n = m_in.size();
        qsizetype i = 0;
        while (i < n && (p[i] == ' ' || p[i] == '\t' || p[i] == '\r' || p[i] == '\n'))
            ++i;
        while (i < n && !m_done) {
            const char c = p[i];
            if (c == '{') {
                flushBytes();
                openGroup();
                ++i;
            } else if (c == '}') {
                flushBytes();
                closeGroup();
                ++i;
            } else if (c == '\\') {
                i = control(p, n, i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                textByte(uint8_t(c));
                ++i;
            }
        }
        flushBytes();
        if (m_done && i < n)
            for (; i < n; ++i)
                if (!QChar::isSpace(uchar(p[i])) && p[i] != '\0') {
                    m_damaged = true;
                    break;
                }
        // Groups left open at the end lose nothing: their text is already in.
        if (!m_stack.empty())
            m_damaged = true;
        finish();
        result.ok = true;
        result.damaged = m_damaged;
        return result;
    }

private:
    Group &top() { return m_stack.back(); }

    void openGroup()
    {
        if (m_stack.size() >= size_t(kMaxDepth)) {
            ++m_overflow;
            m_damaged = true;
            return;
        }
        Group g = m_stack.empty() ? Group() : top();
        m_stack.push_back(g);
        m_skip = 0;
    }

    void closeGroup()
    {
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.empty()) {
            m_done = true;
            return;
        }
        if (top().dest == Dest::FontTable)
            commitFont();
        m_stack.pop_back();
        m_skip = 0;
        // The closing brace of the outermost group ends the document.
        if (m_stack.empty())
            m_done = true;
    }

    // A control word, symbol or hex byte starting after the backslash at i.
    qsizetype control(const char *p, qsizetype n, qsizetype i)
    {
        if (i >= n)
            return i;
        const char c = p[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            QByteArray word;
            while (i < n && ((p[i] >= 'a' && p[i] <= 'z') || (p[i] >= 'A' && p[i] <= 'Z'))) {
                if (word.size() < kMaxWordLength + 1)
                    word += p[i];
                ++i;
            }
            bool hasParam = false;
            bool negative = false;
            int64_t value = 0;
            if (i < n && p[i] == '-' && i + 1 < n && p[i + 1] >= '0' && p[i + 1] <= '9') {
                negative = true;
                ++i;
            }
            while (i < n && p[i] >= '0' && p[i] <= '9') {
                hasParam = true;
                value = std::min<int64_t>(value * 10 + (p[i] - '0'), INT32_MAX);
                ++i;
            }
            if (i < n && p[i] == ' ')
                ++i;
            const int param = int(negative ? -value : value);
            if (word == "bin") {
                // Raw bytes follow: never read them as RTF.
                flushBytes();
                const qsizetype skip = hasParam && param > 0 ? std::min<qsizetype>(param, n - i) : 0;
                return i + skip;
            }
            flushBytes();
            if (m_skip > 0) {
                --m_skip;
                return i;
            }
            if (word.size() <= kMaxWordLength)
                controlWord(word, hasParam, param);
            return i;
        }
        if (c == '\'') {
            auto hex = [](char h) {
                return h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10 : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
            };
            const int hi = i + 1 < n ? hex(p[i + 1]) : -1;
            const int lo = i + 2 < n ? hex(p[i + 2]) : -1;
            if (hi < 0 || lo < 0)
                return i + 1;
            textByte(uint8_t(hi * 16 + lo));
            return i + 3;
        }
        // Control symbols.
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textByte(uint8_t(c));
            break;
        case '~':
            symbol(QChar(QChar::Nbsp));
            break;
        case '_':
            symbol(QChar(0x2011));
            break;
        case '*':
            flushBytes();
            if (!m_stack.empty())
                top().dest = Dest::Skip;
            break;
        case '\r':
        case '\n':
            flushBytes();
            if (m_skip > 0)
                --m_skip;
            else
                paragraph();
            break;
        default: // "\-" (optional hyphen), "\|", "\:" and the unknown ones
            flushBytes();
            if (m_skip > 0)
                --m_skip;
            break;
        }
        return i + 1;
    }

    void symbol(QChar ch)
    {
        flushBytes();
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        put(QString(ch));
    }

    void controlWord(const QByteArray &w, bool hasParam, int param)
    {
        if (m_stack.empty())
            return;
        Group &g = top();
        const bool on = !hasParam || param != 0;
        if (w == "u") {
            // A signed 16-bit code unit, followed by uc fallback characters to skip.
            put(QString(QChar(char16_t(uint32_t(param) & 0xFFFF))));
            m_skip = g.uc;
            return;
        }
        if (w == "uc") {
            g.uc = std::clamp(param, 0, 1 << 20);
            return;
        }
        switch (g.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            if (w == "f") {
                commitFont();
                m_fontEntry = param;
            } else if (w == "fcharset" && m_fontEntry >= 0) {
                m_fonts[m_fontEntry].charset = param;
            }
            return;
        case Dest::ColorTable:
            if (w == "red")
                m_color.setRed(std::clamp(param, 0, 255));
            else if (w == "green")
                m_color.setGreen(std::clamp(param, 0, 255));
            else if (w == "blue")
                m_color.setBlue(std::clamp(param, 0, 255));
            else
                return;
            m_colorSet = true;
            return;
        case Dest::Text:
            break;
        }
        CharState &cs = g.chars;
        if (w == "par" || w == "sect" || w == "page")
            paragraph();
        else if (w == "line")
            put(QString(QChar(QChar::LineSeparator)));
        else if (w == "tab")
            put(QStringLiteral("\t"));
        else if (w == "b")
            cs.bold = on;
        else if (w == "i")
            cs.italic = on;
        else if (w == "strike" || w == "striked")
            cs.strike = on;
        else if (w == "ulnone")
            cs.underline = false;
        else if (w.startsWith("ul") && w != "ulc")
            cs.underline = on;
        else if (w == "fs")
            cs.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        else if (w == "f")
            cs.font = std::max(param, 0);
        else if (w == "cf")
            cs.color = std::max(param, 0);
        else if (w == "plain")
            cs = CharState();
        else if (w == "pard")
            g.align = Qt::AlignLeft;
        else if (w == "ql")
            g.align = Qt::AlignLeft;
        else if (w == "qc")
            g.align = Qt::AlignHCenter;
        else if (w == "qr")
            g.align = Qt::AlignRight;
        else if (w == "qj")
            g.align = Qt::AlignJustify;
        else if (w == "ansicpg")
            m_codePage = param;
        else if (w == "deff")
            m_defaultFont = param;
        else if (w == "emdash")
            put(QString(QChar(0x2014)));
        else if (w == "endash")
            put(QString(QChar(0x2013)));
        else if (w == "bullet")
            put(QString(QChar(0x2022)));
        else if (w == "lquote")
            put(QString(QChar(0x2018)));
        else if (w == "rquote")
            put(QString(QChar(0x2019)));
        else if (w == "ldblquote")
            put(QString(QChar(0x201C)));
        else if (w == "rdblquote")
            put(QString(QChar(0x201D)));
        else if (w == "emspace" || w == "enspace" || w == "qmspace")
            put(QStringLiteral(" "));
        else if (w == "fonttbl")
            g.dest = Dest::FontTable;
        else if (w == "colortbl") {
            g.dest = Dest::ColorTable;
            m_colors.clear();
            m_colorSet = false;
            m_color = QColor(0, 0, 0);
        } else if (isSkippedDestination(w))
            g.dest = Dest::Skip;
    }

    static bool isSkippedDestination(const QByteArray &w)
    {
        static const char *const names[] = {
            "stylesheet", "info", "pict", "object", "header", "headerl", "headerr", "headerf", "footer",
            "footerl", "footerr", "footerf", "footnote", "fldinst", "xe", "tc", "txe", "rxe", "themedata",
            "colorschememapping", "latentstyles", "datastore", "listtable", "listoverridetable", "rsidtbl",
            "generator", "filetbl", "revtbl", "pgdsctbl", "nonshppict", "shpinst", "shppict", "bkmkstart",
            "bkmkend", "userprops", "docvar", "template", "annotation", "atnid", "atnauthor", "xmlnstbl",
            "mmathPr", "private", "objdata", "blipuid", "fchars", "lchars", "comment", "title", "author",
            "operator", "keywords", "subject", "doccomm"};
        for (const char *name : names)
            if (w == name)
                return true;
        return false;
    }

    void textByte(uint8_t b)
    {
        if (m_stack.empty())
            return;
        if (m_skip > 0) {
            flushBytes();
            --m_skip;
            return;
        }
        const Dest dest = top().dest;
        if (dest == Dest::Skip)
            return;
        if (b == ';' && dest == Dest::ColorTable) {
            m_colors.push_back(m_colorSet ? m_color : QColor());
            m_colorSet = false;
            m_color = QColor(0, 0, 0);
            return;
        }
        if (dest == Dest::ColorTable)
            return;
        if (b == ';' && dest == Dest::FontTable) {
            flushBytes();
            commitFont();
            return;
        }
        m_bytes += char(b);
    }

    int codePageNow()
    {
        const int font = m_stack.empty() ? -1 : top().dest == Dest::FontTable ? m_fontEntry : top().chars.font;
        const int f = font >= 0 ? font : m_defaultFont;
        if (auto it = m_fonts.constFind(f); it != m_fonts.cend())
            if (const int cp = codePageOfCharset(it->charset))
                return cp;
        return m_codePage > 0 ? m_codePage : 1252;
    }

    // Bytes of text and \'hh escapes, decoded together so that double-byte characters survive.
    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        const QByteArray bytes = std::exchange(m_bytes, QByteArray());
        put(decode(bytes, codePageNow()));
    }

    QString decode(const QByteArray &bytes, int codePage)
    {
        auto it = m_decoders.find(codePage);
        if (it == m_decoders.end())
            it = m_decoders.emplace(codePage, QStringDecoder(codecName(codePage).constData(), QStringDecoder::Flag::Stateless)).first;
        if (it->second.isValid())
            return it->second.decode(bytes);
        // No codec for this code page in this build: every byte is kept as Latin-1.
        return QString::fromLatin1(bytes);
    }

    void put(const QString &text)
    {
        if (m_stack.empty() || text.isEmpty())
            return;
        const Group &g = top();
        if (g.dest == Dest::FontTable) {
            if (m_fontEntry >= 0)
                m_fontName += text;
            return;
        }
        if (g.dest != Dest::Text)
            return;
        insertPendingParagraph();
        if (g.chars != m_runChars)
            flushRun();
        m_runChars = g.chars;
        m_run += text;
    }

    void commitFont()
    {
        if (m_fontEntry >= 0 && !m_fontName.trimmed().isEmpty())
            m_fonts[m_fontEntry].name = m_fontName.trimmed();
        m_fontName.clear();
    }

    QTextCharFormat format(const CharState &cs) const
    {
        QTextCharFormat f;
        if (cs.bold)
            f.setFontWeight(QFont::Bold);
        if (cs.italic)
            f.setFontItalic(true);
        if (cs.underline)
            f.setFontUnderline(true);
        if (cs.strike)
            f.setFontStrikeOut(true);
        if (cs.halfPoints > 0)
            f.setFontPointSize(cs.halfPoints / 2.0);
        const int font = cs.font >= 0 ? cs.font : m_defaultFont;
        if (auto it = m_fonts.constFind(font); it != m_fonts.cend() && !it->name.isEmpty())
            f.setFontFamilies(QStringList{it->name});
        if (cs.color > 0 && cs.color < m_colors.size() && m_colors[cs.color].isValid())
            f.setForeground(m_colors[cs.color]);
        return f;
    }

    void flushRun()
    {
        if (m_run.isEmpty())
            return;
        m_cursor.insertText(m_run, format(m_runChars));
        m_run.clear();
    }

    // A paragraph mark ends its paragraph; the next one starts only when something follows, so
    // the mark closing the last paragraph adds no empty one.
    void paragraph()
    {
        if (m_stack.empty() || top().dest != Dest::Text)
            return;
        insertPendingParagraph();
        flushRun();
        setAlignment();
        m_pendingParagraph = true;
    }

    void insertPendingParagraph()
    {
        if (!m_pendingParagraph)
            return;
        flushRun();
        m_pendingParagraph = false;
        m_cursor.insertBlock(QTextBlockFormat(), format(m_runChars));
    }

    void setAlignment()
    {
        QTextBlockFormat bf = m_cursor.blockFormat();
        bf.setAlignment(m_stack.empty() ? Qt::AlignLeft : top().align);
        m_cursor.setBlockFormat(bf);
    }

    void finish()
    {
        flushRun();
        if (!m_pendingParagraph && !m_stack.empty())
            setAlignment();
    }

    const QByteArray &m_in;
    QTextCursor m_cursor;
    std::vector<Group> m_stack;
    int m_overflow = 0;
    bool m_done = false;
    bool m_damaged = false;
    int m_skip = 0;
    QByteArray m_bytes;
    QString m_run;
    CharState m_runChars;
    bool m_pendingParagraph = false;
    int m_codePage = 1252;
    int m_defaultFont = -1;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QString m_fontName;
    QList<QColor> m_colors;
    QColor m_color;
    bool m_colorSet = false;
    std::map<int, QStringDecoder> m_decoders;
};

} // namespace

bool LooksLikeRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

RtfReadResult ReadRtf(const QByteArray &rtf, QTextDocument &doc)
{
    doc.clear();
    if (!LooksLikeRtf(rtf)) {
        RtfReadResult refused;
        refused.error = QStringLiteral("not rich text: the bytes do not start with {\\rtf");
        return refused;
    }
    return Reader(rtf, doc).run();
}

std::optional<QString> RtfToPlain(const QByteArray &rtf)
{
    QTextDocument doc;
    if (!ReadRtf(rtf, doc).ok)
        return std::nullopt;
    // Not toPlainText(): it turns non-breaking spaces into plain ones.
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        blocks << b.text().replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return blocks.join(QLatin1Char('\n'));
}

} // namespace qor
