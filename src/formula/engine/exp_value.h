#pragma once
// The evaluator's variant: a small value type on the hot path (no QVariant, no heap for numbers).
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/qor_global.h"

namespace qor {

class QOR_EXPORT ExpValue {
public:
    enum class Type : uint8_t { Double, Int, Text, Bool, Date };

    ExpValue() = default; // the number 0
    ExpValue(double d) : m_num(d) {}
    static ExpValue FromInt(int32_t i) { ExpValue v; v.m_type = Type::Int; v.m_int = i; return v; }
    static ExpValue FromText(std::string s) { ExpValue v; v.m_type = Type::Text; v.m_text = std::move(s); return v; }
    static ExpValue FromText(const QString &s) { return FromText(s.toStdString()); }
    static ExpValue FromBool(bool b) { ExpValue v; v.m_type = Type::Bool; v.m_int = b ? 1 : 0; return v; }
    // Days since 1899-12-30, the fraction being the time of day.
    static ExpValue FromDate(double days) { ExpValue v; v.m_type = Type::Date; v.m_num = days; return v; }

    Type GetType() const { return m_type; }
    bool IsText() const { return m_type == Type::Text; }
    bool IsNumber() const { return m_type != Type::Text; }
    // The numeric value: texts that are not numbers give 0.
    double AsDouble() const
    {
        if (m_type == Type::Double || m_type == Type::Date)
            return m_num;
        if (m_type == Type::Text)
            return TextAsDouble();
        return m_int;
    }
    bool IsDouble() const { return m_type == Type::Double; }
    void SetDouble(double d)
    {
        if (m_type == Type::Text)
            m_text.clear();
        m_type = Type::Double;
        m_num = d;
    }
    std::string AsText() const;
    QString ToQString() const { return QString::fromStdString(AsText()); }
    const std::string &TextRef() const { return m_text; } // the stored text of a Text value
    std::string &MutableText() { return m_text; }         // the same, to grow it in place
    int32_t IntRef() const { return m_int; }
    double DoubleRef() const { return m_num; }

    bool operator==(const ExpValue &o) const;

private:
    double TextAsDouble() const;

    Type m_type = Type::Double;
    int32_t m_int = 0;
    double m_num = 0;
    std::string m_text;
};

namespace exp {

// Blanks and control characters, as the text functions trim them.
std::string_view TrimBlanks(std::string_view s);
// A decimal number with "." as decimal point, optional sign and exponent, blanks around allowed.
QOR_AUTOTEST_EXPORT bool ParseNumber(std::string_view s, double &out);
// A number literal of the tokenizer: digits, ".", one "E" and what follows it; nothing else.
QOR_AUTOTEST_EXPORT bool ParseLiteral(std::string_view s, double &out);
// The tokenizer's numeric token at the start of text: its length and its value (0 when the
// characters taken do not make a number). Plain decimals are converted on the way: digits / 10^k
// is exact and correctly rounded while the digits fit in 53 bits.
QOR_AUTOTEST_EXPORT size_t ReadNumericToken(std::string_view text, double &value);
// The numeric-text test: drops every "," from s, then accepts a number or the empty text.
QOR_AUTOTEST_EXPORT bool IsNumericText(std::string &s);
// Shortest general text of a float, 15 significant digits, "E" exponent ("1E20", "1.5E-7").
QOR_AUTOTEST_EXPORT std::string FormatNumber(double d);
// Variant-to-integer conversion (rounds half to even); raises for texts that are not numbers
// and for values outside the 32-bit range.
QOR_AUTOTEST_EXPORT int32_t ToInt32(const ExpValue &v);
// Variant-to-float conversion; raises for texts that are not numbers.
QOR_AUTOTEST_EXPORT double ToFloatStrict(const ExpValue &v);

} // namespace exp
} // namespace qor
