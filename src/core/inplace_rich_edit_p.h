#pragma once
// The rich text editor over the cell.
#include <QTextEdit>
#include "core/inplace_control_p.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceRichEdit : public QTextEdit, public IInplaceControl {
    Q_OBJECT

public:
    explicit TInplaceRichEdit(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Load(const TInplaceCell &cell) override;
    void ApplyStyle(const TInplaceCell &cell) override;
    QString Text() const override { return toPlainText(); }
    void SetText(const QString &text) override { setPlainText(text); }
};

} // namespace qor
