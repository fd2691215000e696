#pragma once
// The column-backed attributes: every cell answers them from its record, else from its column.
// One table declares the getters and setters of cells and columns and lays out TCellStyle.
#include <QChar>
#include <QString>
#include <cstdint>
#include <type_traits>
#include "core/model/enums.h"
#include "platform/colors.h"

// X(Type, Name, column default, bits): bits > 0 packs the stored value into a bit-field.
#define QOR_STYLE_ATTRIBUTES(X) \
    X(TAlignment, Alignment, taLeftJustify, 2) \
    X(TVerAlignment, VerAlignment, vtaCenter, 2) \
    X(TCellType, CellType, ctEdit, 4) \
    X(TValueType, ValueType, vtString, 4) \
    X(int, Digits, 2, 0) \
    X(bool, ThousandSeparators, true, 1) \
    X(bool, TrimZero, false, 1) \
    X(QString, Mask, QString(), 0) \
    X(int, MaxLength, 0, 0) \
    X(QChar, PasswordChar, QChar(), 0) \
    X(bool, ReadOnly, false, 1) \
    X(bool, FixCell, false, 1) \
    X(bool, DirectInput, true, 1) \
    X(bool, AutoHeight, false, 1) \
    X(bool, WordWrap, false, 1) \
    X(bool, VerticalText, false, 1) \
    X(int, VerticalTextSpace, 3, 0) \
    X(bool, ShrinkToFit, false, 1) \
    X(int, FontAngle, 0, 0) \
    X(TColor, BackColor, clWhite, 0) \
    X(TBrushStyle, BrushStyle, bsSolid, 3) \
    X(bool, Transparent, false, 1) \
    X(TColor, TransparentColor, clBlack, 0) \
    X(TAlignment, GraphicHorAlignment, taCenter, 2) \
    X(TVerAlignment, GraphicVerAlignment, vtaCenter, 2) \
    X(bool, Stretch, false, 1) \
    X(bool, StretchFine, false, 1) \
    X(bool, TileGraphic, false, 1) \
    X(int, ImageIndex, -1, 0) \
    X(uint16_t, TextLMargin, 3, 0) \
    X(uint16_t, TextTMargin, 2, 0) \
    X(uint16_t, TextRMargin, 4, 0) \
    X(uint16_t, TextBMargin, 2, 0) \
    X(uint16_t, GraphicLMargin, 4, 0) \
    X(uint16_t, GraphicTMargin, 2, 0) \
    X(uint16_t, GraphicRMargin, 4, 0) \
    X(uint16_t, GraphicBMargin, 2, 0) \
    X(TColor, BiasColor, clBlack, 0) \
    X(TPenStyle, BiasStyle, psSolid, 3) \
    X(int, BiasWidth, 1, 0) \
    X(TBiasDirection, BiasDirection, bdDown, 1) \
    X(TCursor, Cursor, crDefault, 0) \
    X(QString, Hint, QString(), 0) \
    X(QString, Tag, QString(), 0) \
    X(int, DropDownCount, 7, 0) \
    X(int, ComboItemHeight, 13, 0) \
    X(double, Increment, 1.0, 0) \
    X(QString, ValueChecked, QString(), 0) \
    X(QString, ValueUnChecked, QString(), 0) \
    X(bool, Printable, true, 1) \
    X(bool, PrintCurrencyLine, true, 1) \
    X(bool, ShowCurrencyLine, true, 1) \

namespace qor {

// Setter argument type of an attribute: texts by reference, the rest by value.
template <class T>
using AttrArg = std::conditional_t<std::is_same_v<T, QString>, const QString &, T>;

// Stored type of an attribute: characters as UTF-16 code units, enumerations as their ordinal.
template <class T>
using AttrStorage = std::conditional_t<std::is_same_v<T, QChar>, char16_t,
                                       std::conditional_t<std::is_enum_v<T>, uint8_t, T>>;

inline char16_t ToStorage(QChar c) { return c.unicode(); }
template <class T>
inline T ToStorage(const T &v) { return v; }

} // namespace qor

// The getter and setter of one attribute, as cells and columns declare them.
#define QOR_DECLARE_STYLE_ATTRIBUTE(Type, Name, Default, Bits) \
    Type Get##Name() const;                                    \
    void Set##Name(AttrArg<Type> Value);

// TCellStyle's members in two passes, full-width fields first and bit-fields after them, so
// that the bit-fields pack together: QOR_STYLE_IF_BITS_n keeps its argument only for n > 0.
#define QOR_STYLE_IF_BITS_0(...)
#define QOR_STYLE_IF_BITS_1(...) __VA_ARGS__
#define QOR_STYLE_IF_BITS_2(...) __VA_ARGS__
#define QOR_STYLE_IF_BITS_3(...) __VA_ARGS__
#define QOR_STYLE_IF_BITS_4(...) __VA_ARGS__
#define QOR_STYLE_IF_WIDE_0(...) __VA_ARGS__
#define QOR_STYLE_IF_WIDE_1(...)
#define QOR_STYLE_IF_WIDE_2(...)
#define QOR_STYLE_IF_WIDE_3(...)
#define QOR_STYLE_IF_WIDE_4(...)
#define QOR_STYLE_WIDE_MEMBER(Type, Name, Default, Bits) \
    QOR_STYLE_IF_WIDE_##Bits(AttrStorage<Type> Name = ToStorage(Type(Default));)
#define QOR_STYLE_BIT_MEMBER(Type, Name, Default, Bits) \
    QOR_STYLE_IF_BITS_##Bits(AttrStorage<Type> Name : Bits = ToStorage(Type(Default));)
