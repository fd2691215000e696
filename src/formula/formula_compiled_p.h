#pragma once
// The compiled form of a formula cell: for bodies that are a plain chain of operators over
// single references and number literals ("F1+A2", "A1*2+B1"), the references as positions and
// the operations in the order the expression engine would apply them. Evaluating it gives
// exactly what writing the referenced values into a text and handing that to the engine gives,
// without reading the formula's text or parsing anything; whatever it does not cover goes the
// text way.
#include <QString>
#include <QStringView>
#include <cstdint>
#include <string_view>
#include "platform/qor_global.h"

namespace qor {

struct CompiledOperand {
    int32_t row = -1;        // a reference; -1 for a number literal
    int32_t col = -1;
    double number = 0;       // the literal, or what the last read of the referenced cell gave
    // The referenced plain cell's text that number was read from. Holding it keeps its
    // storage alive, so the same address in the cell means the same text.
    QString seen;

    bool Saw(const QString &text) const { return SameText(seen, text); }
    // Only texts with storage of their own: raw data of a caller may change in place.
    static bool SameText(const QString &held, const QString &text)
    {
        return text.constData() == held.constData() && text.size() == held.size() && held.data_ptr().isMutable();
    }
};

// A list in place, its length first: a short formula's form is read from one or two lines.
template <class T, int N>
struct InPlaceList {
    uint8_t n = 0;
    T items[N];

    int size() const { return n; }
    T &operator[](int i) { return items[i]; }
    const T &operator[](int i) const { return items[i]; }
    const T *begin() const { return items; }
    const T *end() const { return items + n; }
    void append(const T &v) { items[n++] = v; }
    void clear()
    {
        for (int i = 0; i < n; ++i)
            items[i] = T();
        n = 0;
    }
};

struct CompiledFormula {
    static constexpr int MaxOperands = 6;
    struct Step {
        char op;       // 0: push the operand, else apply this operator to the top two
        uint8_t operand;
    };

    // The text this was made from, held for the same reason as CompiledOperand::seen.
    QString source;
    bool usable = false;
    char ops[MaxOperands - 1] = {}; // ops[i] stands between operands i and i + 1
    InPlaceList<Step, 2 * MaxOperands - 1> steps;
    InPlaceList<CompiledOperand, MaxOperands> operands;

    bool IsFor(const QString &text) const { return CompiledOperand::SameText(source, text); }
};

namespace fcompiled {

// Makes the compiled form of a cell text; out.usable tells whether it covers it.
QOR_AUTOTEST_EXPORT void Compile(const QString &text, CompiledFormula &out);

// A number as written into an evaluation text and read back by the engine: what the engine
// reads.
struct Written {
    double value = 0;
};
// The engine's reading of one number literal ("12.5", "1.5E-7"); false when the text would
// not be read as exactly one number.
QOR_AUTOTEST_EXPORT bool ReadLiteral(std::string_view s, double &out);
// A formula's value as it is written for the formulas that read it: false for values that are
// no number literal (infinities, NaN).
QOR_AUTOTEST_EXPORT bool WriteNumber(double d, Written &out);
// A plain (non-formula) cell's text: false when it is written as a text, not a number; an
// empty or unreadable number reads as 0.
QOR_AUTOTEST_EXPORT bool WritePlain(QStringView t, Written &out);

} // namespace fcompiled
} // namespace qor
