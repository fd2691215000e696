#include "platform/db/field.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>
#include "platform/db/database_error.h"
#include "platform/db/dataset.h"

namespace qor::db {

namespace {

const char *typeWord(TFieldType t)
{
    switch (t) {
    case ftSmallint: case ftInteger: case ftWord: case ftLargeint: return "整数";
    case ftFloat: case ftCurrency: return "数值";
    case ftBoolean: return "逻辑值";
    case ftDate: return "日期";
    case ftTime: return "时间";
    case ftDateTime: return "日期时间";
    default: return "值";
    }
}

} // namespace

TField::TField(TDataSet &dataSet, int index, const QString &name, TFieldType type)
    : m_dataSet(dataSet), m_index(index), m_name(name), m_type(type)
{
}

void TField::SetVisible(bool Value)
{
    if (m_visible == Value)
        return;
    m_visible = Value;
    m_dataSet.FieldLayoutChanged();
}

void TField::SetDisplayLabel(const QString &Value)
{
    if (m_label == Value)
        return;
    m_label = Value;
    m_dataSet.FieldLayoutChanged();
}

bool TField::CanModify() const
{
    return !m_readOnly && m_kind == fkData && m_dataSet.CanModify();
}

bool TField::IsStringLike() const
{
    return m_type == ftString || m_type == ftMemo || m_type == ftFmtMemo || m_type == ftFixedChar || m_type == ftWideString;
}

QVariant TField::Value() const { return m_dataSet.FieldValue(m_index); }

void TField::SetValue(const QVariant &Value) { m_dataSet.SetFieldValue(*this, Value); }

bool TField::IsNull() const { return Value().isNull(); }

bool TField::Convert(const QString &text, QVariant &out) const
{
    const QString t = text.trimmed();
    if (t.isEmpty() && !IsStringLike()) {
        out = QVariant();
        return true;
    }
    bool ok = true;
    switch (m_type) {
    case ftSmallint: case ftInteger: case ftWord: {
        const int v = t.toInt(&ok);
        ok = ok && (m_type != ftSmallint || (v >= -32768 && v <= 32767)) && (m_type != ftWord || (v >= 0 && v <= 65535));
        out = v;
        break;
    }
    case ftLargeint:
        out = t.toLongLong(&ok);
        break;
    case ftFloat: case ftCurrency: {
        QString s = t;
        s.remove(QLatin1Char(','));
        const double v = s.toDouble(&ok);
        ok = ok && std::isfinite(v);
        out = v;
        break;
    }
    case ftBoolean: {
        const QString l = t.toLower();
        if (l == QLatin1String("true") || l == QLatin1String("1") || l == QLatin1String("yes") || l == QStringLiteral("是"))
            out = true;
        else if (l == QLatin1String("false") || l == QLatin1String("0") || l == QLatin1String("no") || l == QStringLiteral("否"))
            out = false;
        else
            ok = false;
        break;
    }
    case ftDate: {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        ok = d.isValid();
        out = d;
        break;
    }
    case ftTime: {
        QTime tm = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
        if (!tm.isValid())
            tm = QTime::fromString(t, QStringLiteral("HH:mm"));
        ok = tm.isValid();
        out = tm;
        break;
    }
    case ftDateTime: {
        QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid())
            dt = QDateTime::fromString(t, Qt::ISODate);
        if (!dt.isValid())
            dt = QDateTime(QDate::fromString(t, Qt::ISODate), QTime(0, 0));
        ok = dt.isValid();
        out = dt;
        break;
    }
    case ftBlob: case ftGraphic:
        ok = false;   // bytes are not typed in
        break;
    default:
        out = text;
        break;
    }
    return ok;
}

QString TField::FormatValue(const QVariant &v) const
{
    if (v.isNull())
        return QString();
    switch (m_type) {
    case ftDate: {
        const QDate d = v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
        return d.isValid() ? d.toString(Qt::ISODate) : v.toString();
    }
    case ftDateTime: {
        const QDateTime dt = v.typeId() == QMetaType::QDateTime ? v.toDateTime() : QDateTime::fromString(v.toString(), Qt::ISODate);
        return dt.isValid() ? dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : v.toString();
    }
    case ftTime:
        return v.typeId() == QMetaType::QTime ? v.toTime().toString(QStringLiteral("HH:mm:ss")) : v.toString();
    case ftBoolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ftFloat: case ftCurrency:
        return QString::number(v.toDouble(), 'g', 15);
    case ftBlob: case ftGraphic:
        return QStringLiteral("(BLOB)");
    default:
        return v.toString();
    }
}

QString TField::AsString() const { return FormatValue(Value()); }

void TField::SetAsString(const QString &Text)
{
    QVariant v;
    if (!Convert(Text, v))
        throw EDatabaseError(QStringLiteral("“%1”不是字段 %2 的有效%3").arg(Text, DisplayLabel(), QString::fromUtf8(typeWord(m_type))));
    SetValue(v);
}

QString TField::DisplayText() const
{
    QString text = AsString();
    if (OnGetText)
        OnGetText(const_cast<TField &>(*this), text, true);
    return text;
}

QString TField::Text() const
{
    QString text = AsString();
    if (OnGetText)
        OnGetText(const_cast<TField &>(*this), text, false);
    return text;
}

void TField::SetText(const QString &Text)
{
    if (OnSetText)
        OnSetText(*this, Text);
    else
        SetAsString(Text);
}

int TField::BlobSize() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    return v.typeId() == QMetaType::QByteArray ? int(v.toByteArray().size()) : int(v.toString().toUtf8().size());
}

} // namespace qor::db
