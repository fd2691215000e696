#include "core/view/cell_painter_p.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include "core/model/cell_rec.h"
#include "core/grid_seams_p.h"

namespace qor {

using platform::ToQColor;

namespace {

Qt::PenStyle penStyle(TPenStyle s)
{
    switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyle(TBrushStyle s)
{
    switch (s) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

enum ButtonKind { DropDown, Ellipsis, Spin };

// Right and bottom coordinates one past the rectangle, whatever QRect's inclusive right() says.
int x1(const QRect &r) { return r.left() + r.width(); }
int y1(const QRect &r) { return r.top() + r.height(); }

} // namespace

int CellPainter::TextFlags(TAlignment horz, TVerAlignment vert, bool wordWrap)
{
    int f = horz == taRightJustify ? Qt::AlignRight : horz == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    f |= vert == vtaTop ? Qt::AlignTop : vert == vtaBottom ? Qt::AlignBottom : Qt::AlignVCenter;
    if (wordWrap)
        f |= Qt::TextWordWrap;
    return f;
}

QRect CellPainter::GetTextRect(const QRect &rect, const CellPaintStyle &s)
{
    return rect.adjusted(s.textMargin[0], s.textMargin[1], -s.textMargin[2], -s.textMargin[3]);
}

void CellPainter::Paint(const QRect &rect, const CellPaintStyle &style, const CellPaintFlags &flags, bool handled)
{
    if (rect.isEmpty())
        return;
    if (!handled)
        PaintBackground(rect, style);
    PaintLines(rect, style, flags.drawLeftLine, flags.drawTopLine);
    if (flags.frames)
        PaintFrames(rect, style, flags.drawLeftLine, flags.drawTopLine);
    if (handled)
        return;
    if (style.ctl3D)
        Paint3D(rect);
    // On a page every clip is written out: a line of text that fits goes without one.
    const bool clip = !m_env.printing || !fitsWithoutClip(rect, style);
    if (clip) {
        m_p.save();
        m_p.setClipRect(rect, Qt::IntersectClip);
    }
    PaintButtons(rect, style, flags.current);
    PaintGraphic(rect, style);
    if (style.IsDiagonal())
        PaintDiagonal(rect, style);
    else
        PaintText(rect, style);
    if (style.hasHint && m_env.showHintSymbol)
        PaintHintMarker(rect);
    if (clip)
        m_p.restore();
}

bool CellPainter::fitsWithoutClip(const QRect &rect, const CellPaintStyle &s) const
{
    if (!s.graphic.isNull() || s.imageIndex >= 0 || s.IsDiagonal() || s.IsLedger() || !s.richText.isEmpty() ||
        s.verticalText || s.wordWrap || s.fontAngle % 360 != 0 || (s.cellType != ctEdit && s.cellType != ctDate))
        return false;
    if (s.text.isEmpty())
        return true;
    const QRect textRect = GetTextRect(rect, s);
    const QFontMetrics fm(s.font);
    return fm.height() <= textRect.height() && fm.horizontalAdvance(s.text) <= textRect.width();
}

void CellPainter::PaintBackground(const QRect &rect, const CellPaintStyle &s)
{
    const bool picture = m_env.backGround && !m_env.backGround->isNull();
    // White paper needs no white cells.
    if (m_env.printing && !picture && s.brushStyle == bsSolid && ToQColor(s.backColor) == QColor(Qt::white))
        return;
    if (picture) {
        m_p.save();
        m_p.setClipRect(rect, Qt::IntersectClip);
        const QImage &img = *m_env.backGround;
        if (m_env.tileBackGround)
            m_p.drawTiledPixmap(rect, QPixmap::fromImage(img), rect.topLeft() - m_env.backGroundOrigin);
        else
            m_p.drawImage(m_env.backGroundOrigin, img);
        m_p.restore();
        // Cells of the sheet's own colour let the picture show through.
        if (!s.selected && s.backColor == m_env.sheetColor)
            return;
    }
    const QColor color = ToQColor(SelectionBrushColor(s.backColor, s.selected, m_env.tint));
    const Qt::BrushStyle bs = brushStyle(s.brushStyle);
    if (bs == Qt::NoBrush)
        return;
    if (bs != Qt::SolidPattern && !picture)
        m_p.fillRect(rect, ToQColor(m_env.sheetColor));
    m_p.fillRect(rect, QBrush(color, bs));
}

void CellPainter::PaintLines(const QRect &rect, const CellPaintStyle &s, bool left, bool top)
{
    // A cell owns the pixels of its right and bottom edges; the first cell of a band also
    // draws the boundary before it, one pixel outside.
    const QColor c = ToQColor(m_env.lineColor);
    if (s.line[ceRight])
        fillLine(QRect(x1(rect) - 1, rect.top(), 1, rect.height()), true, c);
    if (s.line[ceBottom])
        fillLine(QRect(rect.left(), y1(rect) - 1, rect.width(), 1), false, c);
    if (left && s.line[ceLeft])
        fillLine(QRect(rect.left() - 1, rect.top() - 1, 1, rect.height() + 1), true, c);
    if (top && s.line[ceTop])
        fillLine(QRect(rect.left() - 1, rect.top() - 1, rect.width() + 1, 1), false, c);
}

// A line's band of pixels, thinned about its middle when the page draws lines finer.
void CellPainter::fillLine(const QRect &band, bool vertical, const QColor &color)
{
    if (m_env.lineScale >= 1.0) {
        m_p.fillRect(band, color);
        return;
    }
    QRectF r(band);
    if (vertical) {
        const double w = r.width() * m_env.lineScale;
        r = QRectF(r.left() + (r.width() - w) / 2, r.top(), w, r.height());
    } else {
        const double h = r.height() * m_env.lineScale;
        r = QRectF(r.left(), r.top() + (r.height() - h) / 2, r.width(), h);
    }
    m_p.fillRect(r, color);
}

void CellPainter::drawEdge(int edge, const QRect &rect, int width, TColor color, TPenStyle style)
{
    if (width <= 0 || style == psClear)
        return;
    const bool vertical = edge == ceLeft || edge == ceRight;
    const int boundary = edge == ceLeft ? rect.left() : edge == ceTop ? rect.top() : edge == ceRight ? x1(rect) : y1(rect);
    const int start = FrameStart(boundary, width);
    // Frames reach over the crossing edges so that corners close.
    const int from = (vertical ? rect.top() : rect.left()) - 1 - (width - 1) / 2;
    const int to = (vertical ? y1(rect) : x1(rect)) - 1 + width / 2;
    const QColor qc = ToQColor(color);
    if (style == psSolid || style == psInsideFrame) {
        fillLine(vertical ? QRect(start, from, width, to - from + 1) : QRect(from, start, to - from + 1, width), vertical, qc);
        return;
    }
    QPen pen(qc, 1, penStyle(style), Qt::FlatCap);
    // On screen one pixel; on a scaled page the dashes grow with the cell.
    pen.setCosmetic(m_p.transform().isIdentity());
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, false);
    m_p.setPen(pen);
    for (int i = 0; i < width; ++i) {
        if (vertical)
            m_p.drawLine(QPoint(start + i, from), QPoint(start + i, to));
        else
            m_p.drawLine(QPoint(from, start + i), QPoint(to, start + i));
    }
    m_p.restore();
}

void CellPainter::PaintFrames(const QRect &rect, const CellPaintStyle &s, bool left, bool top)
{
    for (int e = 0; e < 4; ++e) {
        if (!s.frame[e] || (e == ceLeft && !left) || (e == ceTop && !top))
            continue;
        drawEdge(e, rect, s.frameWidth[e], s.frameColor[e], s.frameStyle[e]);
    }
}

void CellPainter::Paint3D(const QRect &rect)
{
    const QColor light = ToQColor(clBtnHighlight);
    const QColor dark = ToQColor(clBtnShadow);
    const int r = x1(rect) - 2;
    const int b = y1(rect) - 2;
    m_p.fillRect(QRect(rect.left(), rect.top(), r - rect.left(), 1), light);
    m_p.fillRect(QRect(rect.left(), rect.top(), 1, b - rect.top()), light);
    m_p.fillRect(QRect(rect.left(), b, r - rect.left() + 1, 1), dark);
    m_p.fillRect(QRect(r, rect.top(), 1, b - rect.top() + 1), dark);
}

void CellPainter::drawButton(const QRect &r, int kind)
{
    m_p.fillRect(r, ToQColor(clBtnFace));
    m_p.fillRect(QRect(r.left(), r.top(), r.width(), 1), ToQColor(clBtnHighlight));
    m_p.fillRect(QRect(r.left(), r.top(), 1, r.height()), ToQColor(clBtnHighlight));
    m_p.fillRect(QRect(r.left(), y1(r) - 1, r.width(), 1), ToQColor(clBtnShadow));
    m_p.fillRect(QRect(x1(r) - 1, r.top(), 1, r.height()), ToQColor(clBtnShadow));
    const QColor ink = ToQColor(clBtnText);
    const QPoint c = r.center();
    m_p.save();
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(ink);
    if (kind == DropDown) {
        const QPoint tri[3] = {QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1), QPoint(c.x(), c.y() + 3)};
        m_p.drawPolygon(tri, 3);
    } else if (kind == Ellipsis) {
        for (int i = -1; i <= 1; ++i)
            m_p.fillRect(QRect(c.x() + i * 3 - 1, c.y() + 1, 2, 2), ink);
    } else {
        const int h = r.height() / 2;
        m_p.fillRect(QRect(r.left() + 1, r.top() + h, r.width() - 2, 1), ToQColor(clBtnShadow));
        const int cy1 = r.top() + h / 2, cy2 = r.top() + h + h / 2;
        const QPoint up[3] = {QPoint(c.x() - 3, cy1 + 2), QPoint(c.x() + 4, cy1 + 2), QPoint(c.x(), cy1 - 2)};
        const QPoint down[3] = {QPoint(c.x() - 3, cy2 - 1), QPoint(c.x() + 4, cy2 - 1), QPoint(c.x(), cy2 + 3)};
        m_p.drawPolygon(up, 3);
        m_p.drawPolygon(down, 3);
    }
    m_p.restore();
}

void CellPainter::drawCheckBox(const QRect &r, bool checked)
{
    m_p.fillRect(r, ToQColor(clWindow));
    m_p.save();
    m_p.setBrush(Qt::NoBrush);
    m_p.setPen(QPen(ToQColor(clBtnShadow), 1));
    m_p.drawRect(r.adjusted(0, 0, -1, -1));
    if (checked) {
        m_p.setPen(QPen(ToQColor(clWindowText), 2));
        const QPoint tick[3] = {QPoint(r.left() + 3, r.top() + 6), QPoint(r.left() + 5, r.top() + 9),
                                QPoint(r.left() + 10, r.top() + 3)};
        m_p.drawPolyline(tick, 3);
    }
    m_p.restore();
}

void CellPainter::drawRadioItems(const QRect &rect, const CellPaintStyle &s)
{
    if (s.items.isEmpty())
        return;
    const QRect area = GetTextRect(rect, s);
    const int h = std::max(1, area.height() / int(s.items.size()));
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, true);
    m_p.setFont(s.font);
    for (int i = 0; i < s.items.size(); ++i) {
        const QRect row(area.left(), area.top() + i * h, area.width(), h);
        const QRect circle(row.left(), row.center().y() - 6, 12, 12);
        m_p.setPen(QPen(ToQColor(clBtnShadow), 1));
        m_p.setBrush(ToQColor(clWindow));
        m_p.drawEllipse(circle);
        if (i == s.itemIndex) {
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(ToQColor(clWindowText));
            m_p.drawEllipse(circle.adjusted(3, 3, -3, -3));
        }
        m_p.setPen(ToQColor(s.fontColor));
        m_p.drawText(row.adjusted(16, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, s.items[i]);
    }
    m_p.restore();
}

void CellPainter::PaintButtons(const QRect &rect, const CellPaintStyle &s, bool current)
{
    if (s.cellType == ctCheckBox) {
        const QRect box(0, 0, 13, 13);
        QRect r = box;
        const QRect area = GetTextRect(rect, s);
        const int f = TextFlags(s.alignment, s.verAlignment, false);
        r.moveLeft(f & Qt::AlignLeft ? area.left() : f & Qt::AlignRight ? x1(area) - 13 : area.center().x() - 6);
        r.moveTop(f & Qt::AlignTop ? area.top() : f & Qt::AlignBottom ? y1(area) - 13 : rect.center().y() - 6);
        drawCheckBox(r, s.checked);
        return;
    }
    if (s.cellType == ctRadioButton) {
        drawRadioItems(rect, s);
        return;
    }
    if (!current && !m_env.alwaysShowButton)
        return;
    int kind;
    switch (s.cellType) {
    case ctCombo:
    case ctDate: kind = DropDown; break;
    case ctButton: kind = Ellipsis; break;
    case ctSpinEdit: kind = Spin; break;
    default: return;
    }
    const int w = std::min(16, rect.width());
    drawButton(QRect(x1(rect) - w - 1, rect.top(), w, rect.height() - 1), kind);
}

void CellPainter::PaintGraphic(const QRect &rect, const CellPaintStyle &s)
{
    QImage img = s.graphic;
    if (img.isNull() && m_env.images && s.imageIndex >= 0 && s.imageIndex < int(m_env.images->size()))
        img = (*m_env.images)[size_t(s.imageIndex)];
    if (img.isNull())
        return;
    const QRect area = rect.adjusted(s.graphicMargin[0], s.graphicMargin[1], -s.graphicMargin[2], -s.graphicMargin[3]);
    if (area.isEmpty())
        return;
    if (s.transparent) {
        img = img.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ToQColor(s.transparentColor).rgb() | 0xFF000000u;
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
        }
    }
    m_p.save();
    m_p.setClipRect(area, Qt::IntersectClip);
    if (s.tileGraphic) {
        m_p.drawTiledPixmap(area, QPixmap::fromImage(img));
    } else if (s.stretch) {
        m_p.drawImage(area, img);
    } else {
        QSize size = img.size();
        if (s.stretchFine)
            size = size.scaled(area.size(), Qt::KeepAspectRatio);
        const int x = s.graphicHorAlignment == taLeftJustify ? area.left()
                      : s.graphicHorAlignment == taRightJustify ? x1(area) - size.width()
                                                                : area.left() + (area.width() - size.width()) / 2;
        const int y = s.graphicVerAlignment == vtaTop ? area.top()
                      : s.graphicVerAlignment == vtaBottom ? y1(area) - size.height()
                                                           : area.top() + (area.height() - size.height()) / 2;
        m_p.drawImage(QRect(QPoint(x, y), size), img);
    }
    m_p.restore();
}

void CellPainter::PaintText(const QRect &rect, const CellPaintStyle &s)
{
    if (s.cellType == ctCheckBox || s.cellType == ctRadioButton)
        return;
    const QRect textRect = GetTextRect(rect, s);
    m_p.setFont(s.font);
    m_p.setPen(ToQColor(s.fontColor));
    if (s.IsLedger()) {
        bool ok = false;
        const double value = s.text.toDouble(&ok);
        const QString text = LedgerText(s.text, m_env.ledger.currencyDigits);
        TLedgerStyle ledger = m_env.ledger;
        ledger.ruling = m_env.printing ? s.printCurrencyLine : true;
        DrawCurrenyCell(m_p, rect, textRect.adjusted(-1, 0, 1, 0), TextFlags(s.alignment, s.verAlignment, false),
                        ledger, text, ok ? value : 0.0, s.passwordChar, s.valueType == vtChineseCurrency);
        return;
    }
    if (!s.richText.isEmpty() && m_env.richText &&
        m_env.richText->Draw(m_p, textRect, s.richText, Qt::Alignment(TextFlags(s.alignment, s.verAlignment, false)) & Qt::AlignVertical_Mask))
        return;
    if (s.text.isEmpty())
        return;
    if (s.verticalText)
        drawVerticalText(textRect, s);
    else
        drawAutoText(textRect, s, s.text);
}

void CellPainter::drawAutoText(const QRect &textRect, const CellPaintStyle &s, const QString &text)
{
    const int flags = TextFlags(s.alignment, s.verAlignment, s.wordWrap);
    if (s.shrinkToFit && !s.wordWrap) {
        const QFontMetrics fm(m_p.font());
        const int width = fm.horizontalAdvance(text);
        if (width > textRect.width() && textRect.width() > 0) {
            QFont f = m_p.font();
            const qreal size = f.pointSizeF() > 0 ? f.pointSizeF() : f.pixelSize();
            const qreal shrunk = std::max<qreal>(1.0, size * textRect.width() / width);
            if (f.pointSizeF() > 0)
                f.setPointSizeF(shrunk);
            else
                f.setPixelSize(std::max(1, int(shrunk)));
            m_p.setFont(f);
        }
    }
    const int angle = s.fontAngle % 360;
    if (angle == 0) {
        m_p.drawText(textRect, flags, text);
        return;
    }
    // Rotated text turns about the centre of its rectangle, counter-clockwise for positive angles.
    m_p.save();
    const QPointF centre = QRectF(textRect).center();
    m_p.translate(centre);
    m_p.rotate(-angle);
    const QFontMetrics fm(m_p.font());
    const QRectF box(-fm.horizontalAdvance(text) / 2.0 - 1, -fm.height() / 2.0, fm.horizontalAdvance(text) + 2,
                     fm.height());
    m_p.drawText(box, Qt::AlignCenter, text);
    m_p.restore();
}

void CellPainter::drawVerticalText(const QRect &textRect, const CellPaintStyle &s)
{
    const QFontMetrics fm(m_p.font());
    const int step = fm.height() + s.verticalTextSpace;
    const int count = int(s.text.size());
    const int total = count * step - s.verticalTextSpace;
    int y = s.verAlignment == vtaTop      ? textRect.top()
            : s.verAlignment == vtaBottom ? y1(textRect) - total
                                          : textRect.top() + (textRect.height() - total) / 2;
    const int hflags = TextFlags(s.alignment, vtaTop, false) & Qt::AlignHorizontal_Mask;
    for (int i = 0; i < count; ++i, y += step)
        m_p.drawText(QRect(textRect.left(), y, textRect.width(), fm.height()), hflags | Qt::AlignTop, QString(s.text[i]));
}

void CellPainter::PaintDiagonal(const QRect &rect, const CellPaintStyle &s)
{
    const bool down = s.biasDirection == bdDown;
    if (s.biasWidth > 0 && s.biasStyle != psClear) {
        QPen pen(ToQColor(s.biasColor), s.biasWidth, penStyle(s.biasStyle));
        m_p.save();
        m_p.setPen(pen);
        const QPoint tl(rect.left(), rect.top()), br(x1(rect) - 1, y1(rect) - 1);
        const QPoint bl(rect.left(), y1(rect) - 1), tr(x1(rect) - 1, rect.top());
        if (down)
            m_p.drawLine(tl, br);
        else
            m_p.drawLine(bl, tr);
        m_p.restore();
    }
    // Each text sits in the corner of its own triangle: right text above a falling line
    // (top right), left text below it (bottom left); mirrored for a rising line.
    m_p.setFont(s.font);
    m_p.setPen(ToQColor(s.fontColor));
    const QRect area = GetTextRect(rect, s);
    const int leftFlags = Qt::AlignLeft | (down ? Qt::AlignBottom : Qt::AlignTop);
    const int rightFlags = Qt::AlignRight | (down ? Qt::AlignTop : Qt::AlignBottom);
    m_p.drawText(area, leftFlags, s.leftText);
    m_p.drawText(area, rightFlags, s.rightText);
}

void CellPainter::PaintHintMarker(const QRect &rect)
{
    const int n = std::min({6, rect.width(), rect.height()});
    const int r = x1(rect) - 2;
    const QPoint tri[3] = {QPoint(r - n + 1, rect.top()), QPoint(r, rect.top()), QPoint(r, rect.top() + n - 1)};
    m_p.save();
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(ToQColor(clRed));
    m_p.drawPolygon(tri, 3);
    m_p.restore();
}

} // namespace qor
