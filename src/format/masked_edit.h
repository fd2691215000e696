#pragma once
// A line edit that enforces an edit mask of the grid's three-field format.
#include <QLineEdit>
#include "format/edit_mask.h"
#include "platform/qor_global.h"

namespace qor {

class QOR_EXPORT TQorMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TQorMaskEdit(QWidget *parent = nullptr);

    // "mask;save-literals;blank"; an empty mask lets any text through.
    void SetEditMask(const QString &editMask);
    QString EditMask() const { return m_editMask; }
    const TEditMask &Mask() const { return m_mask; }

    // The value as a cell stores it (literals only when the mask saves them).
    QString Text() const;
    void SetText(const QString &value);
    // The text as shown, blanks included.
    QString EditText() const;
    // Every required position is filled.
    bool IsComplete() const;

private:
    void setQtText(const QString &editText);

    QString m_editMask;
    TEditMask m_mask;
};

} // namespace qor
