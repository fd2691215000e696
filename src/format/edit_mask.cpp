#include "format/edit_mask.h"

#include <QStringList>

namespace qor {

namespace {

QStringList splitFields(const QString &s)
{
    QStringList fields;
    QString cur;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\' && i + 1 < s.size()) {
            cur += c;
            cur += s[++i];
        } else if (c == u';') {
            fields << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    fields << cur;
    return fields;
}

QChar convertCase(QChar c, TEditMask::Case cc)
{
    switch (cc) {
    case TEditMask::Case::Upper: return c.toUpper();
    case TEditMask::Case::Lower: return c.toLower();
    default: return c;
    }
}

} // namespace

TEditMask TEditMask::Parse(const QString &editMask)
{
    TEditMask m;
    if (editMask.isEmpty())
        return m;
    const QStringList fields = splitFields(editMask);
    m.m_mask = fields.value(0);
    if (fields.size() > 1)
        m.m_saveLiterals = fields[1].trimmed() != QLatin1String("0");
    if (fields.size() > 2 && !fields[2].isEmpty())
        m.m_blank = fields[2][0];

    Case cc = Case::Keep;
    const QString &s = m.m_mask;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        Slot slot;
        switch (c.unicode()) {
        case '\\':
            if (i + 1 < s.size())
                slot.literal = s[++i];
            else
                continue;
            break;
        case '>':
            cc = Case::Upper;
            continue;
        case '<':
            if (i + 1 < s.size() && s[i + 1] == u'>') {
                cc = Case::Keep;
                ++i;
            } else {
                cc = Case::Lower;
            }
            continue;
        case '!':
            continue;
        case '0': slot.kind = SlotKind::Digit; slot.required = true; break;
        case '9': slot.kind = SlotKind::Digit; break;
        case '#': slot.kind = SlotKind::DigitOrSign; break;
        case 'L': slot.kind = SlotKind::Letter; slot.required = true; break;
        case 'l': slot.kind = SlotKind::Letter; break;
        case 'A': slot.kind = SlotKind::AlphaNum; slot.required = true; break;
        case 'a': slot.kind = SlotKind::AlphaNum; break;
        case 'C': slot.kind = SlotKind::Any; slot.required = true; break;
        case 'c': slot.kind = SlotKind::Any; break;
        case '_': slot.literal = u' '; break;
        default: slot.literal = c; break;
        }
        slot.caseConversion = cc;
        m.m_slots.push_back(slot);
    }
    return m;
}

int TEditMask::InputSlotCount() const
{
    int n = 0;
    for (const Slot &s : m_slots)
        n += s.kind != SlotKind::Literal;
    return n;
}

QString TEditMask::Compose(const QString &maskPart, bool saveLiterals, QChar blank)
{
    return maskPart + u';' + (saveLiterals ? u'1' : u'0') + u';' + (blank.isNull() ? QChar(u'_') : blank);
}

QString TEditMask::ToQtInputMask() const
{
    if (m_slots.empty())
        return QString();
    static const QString special = QStringLiteral("AaNnXx90DdHhBb#><!\\[]{};");
    QString out;
    Case current = Case::Keep;
    for (const Slot &s : m_slots) {
        if (s.kind == SlotKind::Literal) {
            if (special.contains(s.literal))
                out += u'\\';
            out += s.literal;
            continue;
        }
        if (s.caseConversion != current) {
            current = s.caseConversion;
            out += current == Case::Upper ? u'>' : current == Case::Lower ? u'<' : u'!';
        }
        switch (s.kind) {
        case SlotKind::Digit: out += s.required ? u'9' : u'0'; break;
        case SlotKind::DigitOrSign: out += u'#'; break;
        case SlotKind::Letter: out += s.required ? u'A' : u'a'; break;
        case SlotKind::AlphaNum: out += s.required ? u'N' : u'n'; break;
        default: out += s.required ? u'X' : u'x'; break;
        }
    }
    out += u';';
    out += m_blank;
    return out;
}

bool TEditMask::Accepts(SlotKind kind, QChar ch)
{
    switch (kind) {
    case SlotKind::Digit: return ch >= u'0' && ch <= u'9';
    case SlotKind::DigitOrSign: return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-';
    case SlotKind::Letter: return ch.isLetter();
    case SlotKind::AlphaNum: return ch.isLetterOrNumber();
    case SlotKind::Any: return ch.isPrint();
    default: return false;
    }
}

QString TEditMask::ValueFromEditText(const QString &editText) const
{
    if (m_slots.empty())
        return editText;
    QString out;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const Slot &s = m_slots[i];
        const QChar c = qsizetype(i) < editText.size() ? editText[qsizetype(i)] : m_blank;
        if (s.kind == SlotKind::Literal) {
            if (m_saveLiterals)
                out += s.literal;
        } else if (c == m_blank || !Accepts(s.kind, c)) {
            if (m_saveLiterals)
                out += u' ';
        } else {
            out += c;
        }
    }
    while (out.endsWith(u' '))
        out.chop(1);
    return out;
}

QString TEditMask::InputFromEditText(const QString &editText) const
{
    QString out;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].kind == SlotKind::Literal)
            continue;
        const QChar c = qsizetype(i) < editText.size() ? editText[qsizetype(i)] : m_blank;
        out += (c == m_blank || !Accepts(m_slots[i].kind, c)) ? QChar(u' ') : c;
    }
    return out;
}

QString TEditMask::FormatInput(const QString &input) const
{
    if (m_slots.empty())
        return input;
    QString out;
    qsizetype j = 0;
    for (const Slot &s : m_slots) {
        if (s.kind == SlotKind::Literal) {
            out += s.literal;
            continue;
        }
        const QChar c = j < input.size() ? input[j++] : m_blank;
        out += Accepts(s.kind, c) ? convertCase(c, s.caseConversion) : m_blank;
    }
    return out;
}

QString TEditMask::EditTextFromValue(const QString &value) const
{
    if (!m_saveLiterals)
        return FormatInput(value);
    QString out;
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const Slot &s = m_slots[i];
        if (s.kind == SlotKind::Literal) {
            out += s.literal;
            continue;
        }
        const QChar c = qsizetype(i) < value.size() ? value[qsizetype(i)] : m_blank;
        out += Accepts(s.kind, c) ? convertCase(c, s.caseConversion) : m_blank;
    }
    return out;
}

bool TEditMask::IsComplete(const QString &editText) const
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        const Slot &s = m_slots[i];
        if (s.kind == SlotKind::Literal || !s.required)
            continue;
        if (qsizetype(i) >= editText.size() || !Accepts(s.kind, editText[qsizetype(i)]))
            return false;
    }
    return true;
}

} // namespace qor
