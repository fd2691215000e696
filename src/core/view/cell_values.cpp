// A cell's display text, its typed views and the rewriting of its stored text when its value
// type or decimals change.
#include "core/model/cell.h"

#include "core/grid.h"
#include "core/grid_p.h"
#include "format/display_text.h"
#include "format/number_text.h"

namespace qor {

QString TCellInfo::GetDisplayText() const
{
    return GetGrid()->CellDisplayText(GetRow(), m_col);
}

bool TCellInfo::GetAsBoolean() const
{
    return TextAsBoolean(m_text);
}

void TCellInfo::SetAsBoolean(bool Value)
{
    SetText(BooleanText(Value));
}

int TCellInfo::GetAsInteger() const
{
    return StrToIntDef(m_text, 0);
}

void TCellInfo::SetAsInteger(int Value)
{
    SetText(QString::number(Value));
    SetIsNumber(true);
}

double TCellInfo::GetAsFloat() const
{
    return StrToFloatDef(m_text, 0.0);
}

void TCellInfo::SetAsFloat(double Value)
{
    SetText(FloatToStr(Value));
    SetIsNumber(true);
}

TCurrency TCellInfo::GetAsCurrency() const
{
    return TCurrency::FromText(m_text).value_or(TCurrency());
}

void TCellInfo::SetAsCurrency(TCurrency Value)
{
    SetText(Value.ToText());
    SetIsNumber(true);
}

QDateTime TCellInfo::GetAsDateTime() const
{
    if (const auto value = TextToDateTime(m_text))
        return *value;
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(m_text).toStdString());
}

void TCellInfo::SetAsDateTime(const QDateTime &Value)
{
    SetText(DateTimeToStr(Value));
}

void TCellInfo::ConvertStoredText(bool DigitsChanged)
{
    if (DigitsChanged && m_rec && m_rec->Style.Digits < 0)
        m_rec->Style.Digits = 0;
    if (m_text.isEmpty() || TCustomQorGrid::IsFormulaText(m_text) || GetGrid()->GetLoading())
        return;
    const TValueType type = GetValueType();
    if (!DigitsChanged)
        SetText(ConvertTextForValueType(m_text, type));
    else if (DigitsRewriteText(type))
        SetText(ConvertTextForDigits(m_text, GetDigits()));
}

} // namespace qor
