#pragma once
// Random values for every cell and column attribute, and snapshots that compare them all.
#include <QBuffer>
#include <QImage>
#include <QStringList>
#include <random>
#include <string_view>

#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"

#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace qor::recordtest {

inline QByteArray hex(const char *h) { return QByteArray::fromHex(QByteArray(h).replace(' ', "")); }

inline std::unique_ptr<TQorGrid> makeGrid(int rows = 6, int cols = 6)
{
    auto grid = std::make_unique<TQorGrid>();
    grid->SetRows(rows);
    grid->SetCols(cols);
    return grid;
}

class Random {
public:
    explicit Random(unsigned seed) : m_gen(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_gen); }
    bool flip() { return between(0, 1) == 1; }
    int32_t any() { return int32_t(m_gen()); }
    uint16_t u16() { return uint16_t(between(0, 0xFFFF)); }
    double real() { return std::uniform_real_distribution<double>(-1e6, 1e6)(m_gen); }
    QString text()
    {
        QString s;
        const int n = between(1, 12);
        for (int i = 0; i < n; ++i)
            s += QChar(char16_t(between(0, 3) == 0 ? between(0x4E00, 0x9FA5) : between('a', 'z')));
        return s;
    }

private:
    std::mt19937 m_gen;
};

inline QByteArray imageBytes(QColor color, const char *format, int w = 4, int h = 3)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 1 x 1 red GIF (Qt reads GIF but does not write it).
inline QByteArray gifBytes()
{
    return QByteArray::fromHex("47494638396101000100800000ff00000000002c00000000010001000002024401003b");
}

// The last ordinal of each enumeration in the attribute table, as the writers produce them.
template <class T>
constexpr int lastOrdinal = -1;
template <> inline constexpr int lastOrdinal<TAlignment> = taCenter;
template <> inline constexpr int lastOrdinal<TVerAlignment> = vtaCenter;
template <> inline constexpr int lastOrdinal<TCellType> = ctMemo;
template <> inline constexpr int lastOrdinal<TValueType> = vtChineseDate;
template <> inline constexpr int lastOrdinal<TBrushStyle> = bsDiagCross;
template <> inline constexpr int lastOrdinal<TPenStyle> = psInsideFrame;
template <> inline constexpr int lastOrdinal<TBiasDirection> = bdUp;

// Any value an attribute of type T can hold; digits stay a count the display can use.
template <class T>
T randomValue(Random &r, const char *name)
{
    if constexpr (std::is_same_v<T, bool>)
        return r.flip();
    else if constexpr (std::is_same_v<T, QString>)
        return r.text();
    else if constexpr (std::is_same_v<T, QChar>)
        return QChar(char16_t(r.between(1, 255)));
    else if constexpr (std::is_same_v<T, double>)
        return r.real();
    else if constexpr (std::is_same_v<T, uint16_t>)
        return r.u16();
    else if constexpr (std::is_same_v<T, int16_t>)
        return T(r.between(-32768, 32767));
    else if constexpr (std::is_enum_v<T>) {
        static_assert(lastOrdinal<T> >= 0, "give the enumeration its last ordinal");
        return T(r.between(0, lastOrdinal<T>));
    } else
        return std::string_view(name) == "Digits" ? r.between(0, 10) : T(r.any());
}

#define QOR_RECORD_CELL_ONLY(X)                                                              \
    X(ItemIndex, r.any())                                                                  \
    X(Checked, r.flip())                                                                   \
    X(Ctl3D, r.flip())                                                                     \
    X(Name, r.text())                                                                      \
    X(FieldName, r.text())                                                                 \
    X(TabNextRow, r.any())                                                                 \
    X(TabNextCol, r.any())

template <class T>
QString show(const T &v)
{
    if constexpr (std::is_same_v<T, QString>)
        return v;
    else if constexpr (std::is_same_v<T, QChar>)
        return QString::number(v.unicode());
    else if constexpr (std::is_same_v<T, double>)
        return QString::number(v, 'g', 17);
    else
        return QString::number(qlonglong(v));
}

// Both TCellInfo and TQorColumn answer every attribute of the table under its name.
template <class Target>
void randomizeStyle(Target &t, Random &r)
{
#define QOR_SET(Type, Name, Default, Bits) t.Set##Name(randomValue<Type>(r, #Name));
    QOR_STYLE_ATTRIBUTES(QOR_SET)
#undef QOR_SET
}

template <class Target>
QStringList styleSnapshot(const Target &t)
{
    QStringList s;
#define QOR_GET(Type, Name, Default, Bits) s << QStringLiteral(#Name "=") + show(t.Get##Name());
    QOR_STYLE_ATTRIBUTES(QOR_GET)
#undef QOR_GET
    return s;
}

inline void randomizeCell(TCellInfo &c, Random &r)
{
    randomizeStyle(c, r);
#define QOR_SET(Name, value) c.Set##Name(value);
    QOR_RECORD_CELL_ONLY(QOR_SET)
#undef QOR_SET
    for (int e = 0; e < 4; ++e) {
        c.SetLine(TCellEdge(e), r.flip());
        c.SetFrame(TCellEdge(e), r.flip());
        c.SetFrameWidth(TCellEdge(e), r.between(0, 9));
        c.SetFrameColor(TCellEdge(e), r.any());
        c.SetFrameStyle(TCellEdge(e), TPenStyle(r.between(0, 6)));
    }
    // ItemIndex of a combo cell with items follows the text; keep the items off combo cells.
    if (c.GetCellType() != ctCombo)
        c.Items().SetText(r.text() + "\r\n" + r.text());
    TQorFont font = c.Font();
    font.Font.setFamily(r.flip() ? "Arial" : "SimSun");
    font.Font.setPointSize(r.between(6, 30));
    font.Font.setBold(r.flip());
    font.Font.setItalic(r.flip());
    font.Font.setUnderline(r.flip());
    font.Font.setStrikeOut(r.flip());
    font.Color = r.any();
    font.Charset = uint8_t(r.between(0, 255));
    c.SetFont(font);
    c.SetRichText(QByteArray("{\\rtf1 ") + r.text().toUtf8() + "}");
    c.SetIsNumber(r.flip());
    if (r.flip()) {
        c.SetText(r.text());
    } else {
        c.SetText(QString());
        c.SetLeftText(r.text());
        c.SetRightText(r.text());
    }
}

inline QStringList cellSnapshot(const TCellInfo &c)
{
    QStringList s = styleSnapshot(c);
#define QOR_GET(Name, value) s << QStringLiteral(#Name "=") + show(c.Get##Name());
    QOR_RECORD_CELL_ONLY(QOR_GET)
#undef QOR_GET
    s << "Text=" + c.GetText() << "LeftText=" + c.GetLeftText() << "RightText=" + c.GetRightText();
    s << "Rows=" + show(c.GetRows()) << "Cols=" + show(c.GetCols());
    for (int e = 0; e < 4; ++e) {
        const TCellEdge edge = TCellEdge(e);
        s << QString("Edge%1=%2,%3,%4,%5,%6")
                 .arg(e)
                 .arg(c.GetLine(edge))
                 .arg(c.GetFrame(edge))
                 .arg(c.GetFrameWidth(edge))
                 .arg(c.GetFrameColor(edge))
                 .arg(int(c.GetFrameStyle(edge)));
    }
    s << "Items=" + (c.PeekItems() ? c.PeekItems()->Items().join('|') : QString("-"));
    if (const TQorFont *f = c.PeekFont())
        s << QString("Font=%1,%2,%3%4%5%6,%7,%8")
                 .arg(f->Font.family())
                 .arg(f->Font.pointSize())
                 .arg(f->Font.bold())
                 .arg(f->Font.italic())
                 .arg(f->Font.underline())
                 .arg(f->Font.strikeOut())
                 .arg(f->Color)
                 .arg(f->Charset);
    else
        s << "Font=-";
    s << "Picture=" + (c.PeekGraphic() ? QString::fromLatin1(c.PeekGraphic()->Data.toHex()) : QString("-"));
    s << "Rich=" + QString::fromLatin1(c.GetRichText().toHex());
    s << "IsNumber=" + show(c.HasNumberCache() && c.GetIsNumber());
    return s;
}

} // namespace qor::recordtest
