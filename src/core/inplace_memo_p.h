#pragma once
// The memo editor: multi-line plain text over the cell.
#include <QPlainTextEdit>
#include "core/inplace_control_p.h"

namespace qor {

class QOR_AUTOTEST_EXPORT TInplaceMemo : public QPlainTextEdit, public IInplaceControl {
    Q_OBJECT

public:
    explicit TInplaceMemo(QWidget *parent = nullptr);

    QWidget *Widget() override { return this; }
    void Load(const TInplaceCell &cell) override;
    void ApplyStyle(const TInplaceCell &cell) override;
    QString Text() const override { return toPlainText(); }
    void SetText(const QString &text) override { setPlainText(text); }
};

} // namespace qor
