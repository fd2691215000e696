#pragma once
// Edit masks in the grid's three-field format "mask;save-literals;blank", e.g.
// "!\(9999\)000-00000;1;_". Mask characters: 0 digit required, 9 digit optional, # digit or
// sign optional, L/l letter required/optional, A/a letter or digit required/optional, C/c any
// character required/optional, > upper case, < lower case, <> no case change, \ next character
// literal, _ a literal space, ! blanks lead (accepted and ignored); ":" "/" and all else literal.
// Qt's input masks use other letters (9 and 0 swapped, A means a letter), so masks are
// translated, never handed over as they are.
#include <QChar>
#include <QString>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TEditMask {
public:
    enum class SlotKind : uint8_t { Literal, Digit, DigitOrSign, Letter, AlphaNum, Any };
    enum class Case : uint8_t { Keep, Upper, Lower };
    struct Slot {
        SlotKind kind = SlotKind::Literal;
        bool required = false;
        Case caseConversion = Case::Keep;
        QChar literal;  // the character of a literal slot
    };

    TEditMask() = default;
    // Splits the three fields at unescaped ";": a missing save field means "1", a missing or
    // empty blank field means "_".
    static TEditMask Parse(const QString &editMask);

    bool IsEmpty() const { return m_mask.isEmpty(); }
    const QString &MaskPart() const { return m_mask; }
    bool SaveLiterals() const { return m_saveLiterals; }
    QChar Blank() const { return m_blank; }
    const std::vector<Slot> &Slots() const { return m_slots; }
    int InputSlotCount() const;

    // "mask;1;_" again, with the given parts.
    static QString Compose(const QString &maskPart, bool saveLiterals, QChar blank);
    QString ToString() const { return Compose(m_mask, m_saveLiterals, m_blank); }

    // The same mask in the syntax of QLineEdit::setInputMask.
    QString ToQtInputMask() const;

    // Whether ch may stand in a slot of this kind.
    static bool Accepts(SlotKind kind, QChar ch);

    // The value a cell stores for the edit text (one character per slot, blanks where nothing
    // was typed): with save-literals the literals stay and unfilled slots are spaces; without,
    // only the typed characters. Trailing spaces are dropped.
    QString ValueFromEditText(const QString &editText) const;
    // Puts a stored value into the slots: with save-literals the value holds the literals too;
    // without, its characters fill the input slots in order. Unfilled slots show the blank.
    QString EditTextFromValue(const QString &value) const;
    // The characters of the input slots, a space for each unfilled one.
    QString InputFromEditText(const QString &editText) const;
    // Puts raw characters into the input slots only (how the sample list shows its samples).
    QString FormatInput(const QString &input) const;
    // Every required slot holds an acceptable character.
    bool IsComplete(const QString &editText) const;

private:
    QString m_mask;
    bool m_saveLiterals = true;
    QChar m_blank = u'_';
    std::vector<Slot> m_slots;
};

} // namespace qor
