#include "format/masked_edit.h"

namespace qor {

TQorMaskEdit::TQorMaskEdit(QWidget *parent) : QLineEdit(parent) {}

void TQorMaskEdit::SetEditMask(const QString &editMask)
{
    if (editMask == m_editMask)
        return;
    // What was typed stays typed: the characters move into the new mask's input positions.
    const TEditMask old = m_mask;
    const QString edit = EditText();
    m_editMask = editMask;
    m_mask = TEditMask::Parse(editMask);
    setInputMask(m_mask.ToQtInputMask());
    if (old.IsEmpty())
        SetText(edit);
    else if (m_mask.IsEmpty())
        setText(old.ValueFromEditText(edit));
    else
        setQtText(m_mask.FormatInput(old.InputFromEditText(edit)));
}

QString TQorMaskEdit::Text() const
{
    return m_mask.IsEmpty() ? text() : m_mask.ValueFromEditText(displayText());
}

void TQorMaskEdit::SetText(const QString &value)
{
    if (m_mask.IsEmpty()) {
        setText(value);
        return;
    }
    setQtText(m_mask.EditTextFromValue(value));
}

void TQorMaskEdit::setQtText(const QString &editText)
{
    // Blanks would be taken as typed characters by Qt's mask: hand over spaces instead.
    QString qt = editText;
    for (QChar &c : qt)
        if (c == m_mask.Blank())
            c = u' ';
    setText(qt);
}

QString TQorMaskEdit::EditText() const
{
    return m_mask.IsEmpty() ? text() : displayText();
}

bool TQorMaskEdit::IsComplete() const
{
    return m_mask.IsEmpty() || m_mask.IsComplete(displayText());
}

} // namespace qor
