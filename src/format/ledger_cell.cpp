#include "format/ledger_cell.h"

#include <QFontMetrics>
#include <QPainter>
#include "format/chinese_money.h"
#include "format/number_text.h"

namespace qor {

QString LedgerText(const QString &cellText, int currencyDigits)
{
    TNumberFormat f;
    f.decimals = std::max(currencyDigits, 0);
    return FormatNumberText(cellText, f);
}

namespace {

// Walks the digit columns from the right edge leftwards and rules each one.
class LedgerRuler {
public:
    LedgerRuler(QPainter &p, const QRect &cellRect, const QRect &textRect, const TLedgerStyle &s)
        : m_p(p), m_cell(cellRect), m_text(textRect), m_style(s),
          m_width(std::max(s.cellWidth, 1)), m_x(textRect.right() + 1 + 2),
          m_group(s.currencyDigits), m_groupColor(s.decimalColor)
    {
    }

    int x() const { return m_x; }
    int width() const { return m_width; }

    void advance()
    {
        ++m_n;
        m_x -= m_width;
        TColor color = m_style.separatorColor;
        if (m_n == m_group) {
            color = m_groupColor;
            m_group = 3;
            m_groupColor = m_style.thousandColor;
            m_n = 0;
        }
        if (m_x >= m_text.left() && m_style.ruling) {
            // Width 1, not cosmetic: a printed page scales the ruling with the cell.
            m_p.setPen(QPen(platform::ToQColor(color), 1));
            m_p.drawLine(QPoint(m_x, m_cell.top()), QPoint(m_x, m_cell.bottom()));
        }
    }

private:
    QPainter &m_p;
    QRect m_cell, m_text;
    const TLedgerStyle &m_style;
    int m_width;
    int m_x;
    int m_group;
    TColor m_groupColor;
    int m_n = 0;
};

} // namespace

void DrawCurrenyCell(QPainter &canvas, const QRect &cellRect, const QRect &textRect, int flags,
                     const TLedgerStyle &style, const QString &text, double value,
                     QChar passwordChar, bool chineseDigits)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    const QPen textPen = canvas.pen();
    const QFontMetrics fm(canvas.font());
    LedgerRuler ruler(canvas, cellRect, textRect, style);
    const int w = ruler.width();
    int vertical = flags & Qt::AlignVertical_Mask;
    if (vertical == 0)
        vertical = Qt::AlignVCenter;

    auto drawAt = [&](const QString &s, int offset) {
        canvas.setPen(textPen);
        canvas.save();
        canvas.setClipRect(textRect, Qt::IntersectClip);
        const QRect r(ruler.x() + offset, textRect.top(), w, textRect.height());
        canvas.drawText(r, Qt::AlignLeft | vertical | Qt::TextSingleLine, s);
        canvas.restore();
    };

    if (value != 0) {
        const QString sample = chineseDigits ? QStringLiteral("壹") : QStringLiteral("9");
        const int offset = (w - fm.horizontalAdvance(sample)) / 2 + 1;
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            const QChar c = text[i];
            if (c == u'.' || c == u',')
                continue;
            ruler.advance();
            QString shown;
            if (!passwordChar.isNull())
                shown = passwordChar;
            else if (chineseDigits && c >= u'0' && c <= u'9')
                shown = ChineseDigit(c.unicode() - '0');
            else
                shown = c;
            drawAt(shown, offset);
        }
        if (!style.symbol.isEmpty()) {
            ruler.advance();
            drawAt(style.symbol, (w - fm.horizontalAdvance(style.symbol)) / 2 + 1);
        }
    }
    while (ruler.x() > textRect.left())
        ruler.advance();
    canvas.restore();
}

} // namespace qor
