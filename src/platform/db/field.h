#pragma once
// One column of a data set: its description, and its value in the data set's active record.
#include <QString>
#include <QVariant>
#include <functional>
#include "platform/qor_global.h"

namespace qor::db {

class TDataSet;

enum TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftLargeint, ftBoolean, ftFloat, ftCurrency,
    ftDate, ftTime, ftDateTime, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftFixedChar, ftWideString
};
enum TFieldKind { fkData, fkCalculated, fkLookup };

class QOR_EXPORT TField {
public:
    // Text handlers: Get may replace the text shown (DisplayText true) or edited; Set stores
    // a typed text in its own way.
    using GetTextHandler = std::function<void(TField &Sender, QString &Text, bool DisplayText)>;
    using SetTextHandler = std::function<void(TField &Sender, const QString &Text)>;

    TField(TDataSet &dataSet, int index, const QString &name, TFieldType type);

    TDataSet &DataSet() const { return m_dataSet; }
    int Index() const { return m_index; }
    const QString &FieldName() const { return m_name; }
    TFieldType DataType() const { return m_type; }
    void SetDataType(TFieldType Value) { m_type = Value; }
    TFieldKind FieldKind() const { return m_kind; }
    void SetFieldKind(TFieldKind Value) { m_kind = Value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool Value);
    // The field name when no label was given.
    QString DisplayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void SetDisplayLabel(const QString &Value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value) { m_readOnly = Value; }
    QString EditMask() const { return m_editMask; }
    void SetEditMask(const QString &Value) { m_editMask = Value; }
    // Writable: a data field, not read-only, of a data set that can be modified.
    bool CanModify() const;
    bool IsBlob() const { return m_type == ftBlob || m_type == ftMemo || m_type == ftGraphic || m_type == ftFmtMemo; }
    // String, memo, formatted memo, fixed char and wide string: values that are texts.
    bool IsStringLike() const;

    // --- The value in the data set's active record (the edit buffer while editing)
    QVariant Value() const;
    // Puts the data set into edit mode first when it browses. Throws EDatabaseError when the
    // data set cannot be modified.
    void SetValue(const QVariant &Value);
    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const { return Value().toInt(); }
    // Converts the text to the field's type; a text the type cannot take (letters into an
    // integer field) throws EDatabaseError and changes nothing. Empty stores null.
    void SetAsString(const QString &Text);
    // The texts shown and edited, through OnGetText when assigned.
    QString DisplayText() const;
    QString Text() const;
    // Through OnSetText when assigned, else SetAsString.
    void SetText(const QString &Text);
    int BlobSize() const;

    GetTextHandler OnGetText;
    SetTextHandler OnSetText;

    // The value a text stands for in this field's type; false when it stands for none.
    bool Convert(const QString &text, QVariant &out) const;
    QString FormatValue(const QVariant &v) const;

private:
    TDataSet &m_dataSet;
    int m_index;
    QString m_name;
    QString m_label;
    QString m_editMask;
    TFieldType m_type;
    TFieldKind m_kind = fkData;
    bool m_visible = true;
    bool m_readOnly = false;
};

} // namespace qor::db
