// A QTextDocument as RTF: every paragraph closed by \par, every run in a group of its own with
// its full character format, so that the reader gets back exactly what was written.
#include "format/rich_text.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

namespace qor {

namespace {

void appendEscaped(QByteArray &out, const QString &text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u == QChar::Nbsp) {
            out += "\\~";
        } else if (u == QChar::ObjectReplacementCharacter || u < 0x20) {
            // Embedded objects and control characters have no place in this subset.
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(int(int16_t(u))) + '?';
        }
    }
}

class Writer {
public:
    explicit Writer(const QTextDocument &doc) : m_doc(doc) {}

    QByteArray run()
    {
        QByteArray body;
        for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next()) {
            body += "\\pard";
            const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
            body += a & Qt::AlignHCenter ? "\\qc" : a & Qt::AlignRight ? "\\qr" : a & Qt::AlignJustify ? "\\qj" : "\\ql";
            body += ' ';
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (const QTextFragment fragment = it.fragment(); fragment.isValid())
                    run(body, fragment.charFormat(), fragment.text());
            body += "\\par\n";
        }
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil ";
            appendEscaped(out, m_fonts[i]);
            out += ";}";
        }
        out += "}\n{\\colortbl ;";
        for (const QColor &c : m_colors)
            out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
                   QByteArray::number(c.blue()) + ';';
        out += "}\n";
        out += body;
        out += "}\n";
        return out;
    }

private:
    void run(QByteArray &out, const QTextCharFormat &f, const QString &text)
    {
        out += "{\\f" + QByteArray::number(fontIndex(family(f)));
        double size = f.fontPointSize();
        if (size <= 0)
            size = m_doc.defaultFont().pointSizeF();
        if (size <= 0)
            size = 12;
        out += "\\fs" + QByteArray::number(std::max(2, int(std::lround(size * 2))));
        if (f.fontWeight() >= QFont::DemiBold)
            out += "\\b";
        if (f.fontItalic())
            out += "\\i";
        if (f.fontUnderline())
            out += "\\ul";
        if (f.fontStrikeOut())
            out += "\\strike";
        if (f.foreground().style() != Qt::NoBrush)
            out += "\\cf" + QByteArray::number(colorIndex(f.foreground().color()));
        out += ' ';
        appendEscaped(out, text);
        out += '}';
    }

    QString family(const QTextCharFormat &f) const
    {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
        return m_doc.defaultFont().family();
    }

    int fontIndex(const QString &name)
    {
        int i = int(m_fonts.indexOf(name));
        if (i < 0) {
            i = int(m_fonts.size());
            m_fonts.push_back(name);
        }
        return i;
    }

    // Entry 0 of the table is the default colour.
    int colorIndex(const QColor &c)
    {
        const QColor rgb = c.toRgb();
        for (int i = 0; i < m_colors.size(); ++i)
            if (m_colors[i].rgb() == rgb.rgb())
                return i + 1;
        m_colors.push_back(rgb);
        return int(m_colors.size());
    }

    const QTextDocument &m_doc;
    QStringList m_fonts;
    QList<QColor> m_colors;
};

} // namespace

QByteArray WriteRtf(const QTextDocument &doc)
{
    return Writer(doc).run();
}

QByteArray PlainToRtf(const QString &text, const QFont &font, const QColor &color)
{
    QTextDocument doc;
    doc.setDefaultFont(font);
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCursor cursor(&doc);
    QTextCharFormat f;
    f.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0)
        f.setFontPointSize(font.pointSizeF());
    else if (font.pixelSize() > 0)
        f.setFontPointSize(font.pixelSize() * 72.0 / 96.0); // cell fonts in pixels are screen pixels at 96 dpi
    if (font.bold())
        f.setFontWeight(QFont::Bold);
    f.setFontItalic(font.italic());
    f.setFontUnderline(font.underline());
    f.setFontStrikeOut(font.strikeOut());
    if (color.isValid())
        f.setForeground(color);
    const QStringList lines = plain.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), f);
        else
            cursor.setBlockCharFormat(f);
        cursor.insertText(lines[i], f);
    }
    return WriteRtf(doc);
}

} // namespace qor
